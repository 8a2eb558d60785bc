// Drawing primitives: plain copies and the two-pass mask technique (AND the mask, XOR the image).
// Every primitive makes and deletes its own memory device context; nothing is cached.
#pragma once
#include <windows.h>

// Transparent pixels of every sprite carry this colour.
constexpr COLORREF TransparentKey = RGB(255, 0, 255);

// Our own names live in a namespace because windows.h already has a function called FrameRect.
namespace gfx {

// A source rectangle on a sprite sheet: position and size, not right and bottom.
struct FrameRect {
    int x;
    int y;
    int width;
    int height;
};

struct BlitPoint {
    int x;
    int y;
};

}  // namespace gfx

using gfx::BlitPoint;

// Writes the bitmap's size into rect.width/height; x and y are left alone.
void GetBitmapSize(HBITMAP bitmap, gfx::FrameRect* rect);

void BlitToWindow(HWND window, int x, int y, HBITMAP bitmap);
void BlitToDc(HDC dc, int x, int y, HBITMAP bitmap);
void BlitRect(HDC dc, int x, int y, HBITMAP bitmap, const gfx::FrameRect& source);
void BlitMasked(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at);
void BlitMaskedRect(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at, const gfx::FrameRect& source);

// The benchmark replays a tick's sprite draws from surfaces of its own: the observer sees the
// destination context and rectangle of every masked draw. Null (the default) watches nothing.
using MaskedBlitObserver = void (*)(HDC dc, int x, int y, int width, int height);
void SetMaskedBlitObserver(MaskedBlitObserver observer);

// A monochrome bitmap of the same size, or null for a null bitmap.
HBITMAP CreateMaskBitmap(HBITMAP bitmap);
// Fills mask with 1 where image shows key and 0 elsewhere, and blacks out the key pixels of
// image so that it can be XORed into the hole the mask cuts. Returns 1 on success, 0 on failure.
int MakeMask(HBITMAP image, HBITMAP mask, COLORREF key);
