// Whole-number enlargement on big monitors. When the monitor holds the picture twice or more in
// both directions, the scene is shown at the largest whole factor n that still fits, every pixel
// repeated n x n and never smoothed, so the painted art stays crisp. The scene itself keeps working
// in picture pixels on a screen of (monitor / n): its screen context is then a memory picture of
// that size, and after each step of a tick what was drawn into it is enlarged onto the window. At
// factor 1 the scene draws on the window itself and nothing here costs anything.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "gfx/blit.h"

// The picture the factor is measured against.
constexpr int ZoomPictureWidth = 1024;
constexpr int ZoomPictureHeight = 660;

// The largest whole n at which the picture times n fits into the monitor; 1 when it does not fit
// twice, or when the enlargement is switched off.
int ZoomFactor(int monitorWidth, int monitorHeight, bool enabled);

// Whether a part about to be sent lies so far from what waits to go on to the display that the two
// are better handed on apart than as one rectangle around both (picture pixels).
bool SendApart(const RECT& waiting, const RECT& next);

struct WindowZoom {
    int factor;               // 1: the scene draws on the window
    HDC windowDc;             // the window's context; at factor 1 the scene's screen itself
    HDC sceneDc;              // factor > 1: the memory context the scene draws in
    HBITMAP sceneBitmap;      // its picture of (window part / factor)
    HGDIOBJ originalBitmap;
    int sceneWidth, sceneHeight;  // its size in picture pixels
    // On a display of 32 bits per pixel the scene's picture is one the program can read: a part is
    // then enlarged by the program itself, and only where its pixels differ from what the window
    // was last given (kept in shown), through a band of enlarged rows. Elsewhere: StretchBlt.
    uint32_t* scenePixels;
    uint32_t* shown;
    uint32_t* bandPixels;
    size_t bandStride;  // pixels from one band row to the next
    // The band is either rows shared n times over (one piece of memory for the n window rows of a
    // picture row; see window_zoom.cpp) or a plain picture the window copies from.
    HANDLE bandSection;
    HDC bandDc;
    HBITMAP bandBitmap;
    HGDIOBJ bandOriginal;
    RECT pending;  // sent to the window since the thread last handed its drawings on
};

extern WindowZoom gZoom;

// Gives the scene its screen for a window part of width x height pixels, at the window context's
// origin, enlarged by factor. Returns the context the scene draws in and sets *sceneWidth and
// *sceneHeight to its size in picture pixels. When the memory picture cannot be made, or the display
// works with a palette (whose colours an enlarged copy would have to map anew), it stays at 1x.
HDC StartWindowZoom(HDC windowDc, int width, int height, int factor, int* sceneWidth, int* sceneHeight);
// Frees what StartWindowZoom made at a factor above 1, and gives the window's context back.
void StopWindowZoom(HWND window);

bool ZoomActive();
// The window's own context, for what must ask the real display (its colours).
HDC ZoomWindowDc();
// Enlarges onto the window whatever the scene drew into its screen since the last call.
// Does nothing at factor 1, where the scene drew on the window already.
void ShowZoomedDraws();
// The tick is over: the thread waits for the next one, and the window's drawings go on meanwhile.
void ZoomTickDone();
// Puts the given part of the scene (picture pixels) on the window anew, changed or not: after a
// paint request the window no longer holds what it was given.
void RepaintZoomed(const RECT& part);

// Whether the enlargement compares every part it sends with what the window was last given, so
// that whoever draws into the scene need not compare first.
bool ZoomComparesWithWindow();
// Where the enlargement is the program's own: puts part of a picture the program can read (part in
// its own pixels, cut to the picture and the scene) into the scene with the picture's first pixel at
// (left, top), and onto the window as far as it differs from what the window shows. Returns false,
// doing nothing, where the enlargement is GDI's or there is none.
bool ShowZoomedPicture(const DirectPixels& picture, int left, int top, const RECT& part);

// With shared rows off, the band is always a plain picture (for comparing the two).
void SetSharedBandRows(bool on);
