// The two copies of the running tick: the stage refreshed from the backdrop before the figures
// draw, and the stage copied to the window after. Between two ticks the stage changes only where
// figures draw, where they drew the tick before and where the backdrop was painted; the window
// differs from the stage only there and where something else drew on the window. GDI keeps the
// bounds of every draw into a context, taken after each figure's turn, so each copy covers just a
// few rectangles (one per group of figures that stand close together): the window shows the same
// pictures for a fraction of the copying. GDI does not bound draws on a window under every system,
// so what the scene itself draws on the window between two copies is noted by hand.
#pragma once
#include <windows.h>

// How the figures draw into the stage between the refresh and the copy.
enum class FigureDrawing {
    Any,           // GDI too: the stage is refreshed before they draw
    ThroughBlits,  // only through gfx/blit.h: the refresh waits until their draws are known
};
// Before the figures draw: refreshes the part of the stage that can differ from the backdrop, or
// (through blits, on a stage whose pixels the program can reach) only notes it, and the figures'
// draws are put off until the copy, which then refreshes and draws only where they changed.
void RefreshStage(FigureDrawing drawing = FigureDrawing::Any);
// After each figure's turn: notes where it drew, so that figures far apart are copied apart.
void NoteFigureDrawn();
// After they drew: copies the parts of the stage that can differ from the window.
void CopyStageToWindow();
// Something was drawn on the window at this rectangle (window coordinates) after the last copy.
void NoteWindowDraw(int x, int y, int width, int height);
// The next tick refreshes and copies the whole strip (after a paint request or a palette change,
// whose effects on the window GDI does not bound).
void InvalidateStage();

// With partial copies off, every tick copies the whole strip both times.
void SetPartialStageCopies(bool on);
// Off: every tick refreshes and draws every figure again, changed or not (for comparing the two).
void SetRedrawChangedOnly(bool on);
