// Persons who come to the stop and wait for the bus: a man with a parcel (12), a man with a
// watch and a trumpet (13), a woman with a basket (21), and two boys who may stop and board (23).
#pragma once
#include "scene/scene_state.h"

void Figure12Script(FigureId id);
void Figure13Script(FigureId id);
void Figure21Script(FigureId id);
void Figure23Script(FigureId id);
