// The bus: pulls in at the stop on set minutes, takes the waiting riders and shows their faces.
#pragma once
#include "scene/scene_state.h"

void BusScript(FigureId id);
// Paints the face of passenger `id` into a free window of all three bus pictures.
void SeatPassenger(FigureId id);
