// What every figure script has in common: drawing one frame of its sheet, holding a picture for
// some ticks, sounds, walking towards the bus, and leaving the stage.
#pragma once
#include <cstddef>

#include "gfx/blit.h"
#include "scene/scene_state.h"

// A figure's frame table: the source rectangles of the pictures on its sheet.
struct FrameTable {
    const gfx::FrameRect* frames;
    int count;
    template <size_t N>
    constexpr FrameTable(const gfx::FrameRect (&table)[N]) : frames(table), count(static_cast<int>(N)) {}
};

// Draws table entry `entry` of picture variant `variant` at the figure's position. An entry
// beyond the table shows the nearest frame that exists.
void DrawFrame(FigureId id, const FrameTable& table, int entry, int variant = 0);

// Tests watch which table entries the scripts ask for: the observer sees every DrawFrame call with
// the entry as asked (before any correction) and the size of the table. Null watches nothing.
using FrameObserver = void (*)(FigureId id, int entry, int count);
void SetFrameObserver(FrameObserver observer);

// One tick of a hold: the picture advances (tickCount back to 0, frameIndex up by one) once
// tickCount exceeds `hold`. Returns true when it advanced. With NoHold it advances every tick.
constexpr int NoHold = -1;
bool AdvanceFrame(FigureCounters& c, int hold);

// Sound n of the scene (the WAVE resource "SOUNDnn").
void PlayFigureSound(int n);

// The row a rider steps down to while it walks to the bus door.
int BoardingLine(const FigureRecord& f);
bool AboveBoardingLine(const FigureRecord& f);

// The common ending: unload the figure if it is still on stage.
void LeaveStage(FigureId id);

bool IsDayScene();
