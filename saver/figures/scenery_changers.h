// Figures that leave lasting traces in the backdrop: the woman whose bag tears (16), the street
// sweeper who restores the clean pavement (22), the bill poster who pastes a new motive (27).
#pragma once
#include "scene/scene_state.h"

void Figure16Script(FigureId id);
void Figure22Script(FigureId id);
void Figure27Script(FigureId id);
