// The road traffic: vehicles 80..88 on the far lane (right to left), 89..99 on the near lane
// (left to right). 82, 83 and 95 are driven by the dispatcher itself.
#pragma once
#include "scene/scene_state.h"

void SimpleVehicleScript(FigureId id);
void HaltingCarScript(FigureId id);   // 80 and 86: may halt at the stop at night
void SmallCarScript(FigureId id);     // 88: body, wheels and driver's head drawn each tick
void VanScript(FigureId id);          // 89: body, wheels and driver's head drawn each tick
