// What the scene does on every timer message: the start-up sequence, then the running tick.
#pragma once
#include <windows.h>

#include "scene/scene_state.h"

void FrameTick(HWND window);

// Reads the local time into the scene; with decide also season and time of day.
void UpdateClockState(bool decide);

// The state after the display check for a display with the given number of colours
// (-1 or 0 when it reports none, as true-colour displays do).
StartStage DisplayCheckOutcome(int colours, bool preview);
