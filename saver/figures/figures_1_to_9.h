// The persons in front of the shelter: passers-by, riders who wait for the bus, the woman with
// the dog, the caller in the telephone booth.
#pragma once
#include "scene/scene_state.h"

void Figure1Script(FigureId id);
void Figure2Script(FigureId id);
void Figure3Script(FigureId id);
void Figure4Script(FigureId id);
void Figure5Script(FigureId id);
void Figure6Script(FigureId id);
void Figure7Script(FigureId id);
void Figure8Script(FigureId id);
void Figure9Script(FigureId id);
