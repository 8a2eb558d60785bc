// Passers-by of the day who do not wait for the bus: a boy on a skateboard (11), an old woman who
// phones from the telephone box (14), an old man with a stick (15), a figure in a hooded coat (20),
// a dog (24), a man with a sack who sits down to eat (25), a woman with a parcel (29, by day),
// two children with a ball (30) and a man in a green uniform (34).
#pragma once
#include "scene/scene_state.h"

void Figure11Script(FigureId id);
void Figure14Script(FigureId id);
void Figure15Script(FigureId id);
void Figure20Script(FigureId id);
void Figure24Script(FigureId id);
void Figure25Script(FigureId id);
// The woman with the parcel as she walks by day; at night another script drives her.
void Figure29DayScript(FigureId id);
void Figure30Script(FigureId id);
void Figure34Script(FigureId id);
