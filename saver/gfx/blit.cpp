#include "gfx/blit.h"

namespace {

MaskedBlitObserver gMaskedBlitObserver = nullptr;

void ReportMaskedBlit(HDC dc, int x, int y, int width, int height) {
    if (gMaskedBlitObserver)
        gMaskedBlitObserver(dc, x, y, width, height);
}

// Held sprites: a bitmap, the context it stays selected in, and its size.
struct HeldSprite {
    HBITMAP bitmap;
    HDC dc;
    HGDIOBJ previous;
    SIZE size;
};
// Enough for every sheet and mask of a full stage (seven persons, the bus, two vehicles, the
// night layers, the sign) with room to spare.
constexpr int kMaxHeldSprites = 96;
HeldSprite gHeld[kMaxHeldSprites];
int gHeldCount = 0;
bool gHolding = true;

const HeldSprite* FindHeld(HBITMAP bitmap) {
    if (!bitmap)
        return nullptr;
    for (int i = 0; i < gHeldCount; ++i)
        if (gHeld[i].bitmap == bitmap)
            return &gHeld[i];
    return nullptr;
}

void ReleaseAt(int i) {
    SelectObject(gHeld[i].dc, gHeld[i].previous);
    DeleteDC(gHeld[i].dc);
    gHeld[i] = gHeld[--gHeldCount];
}

SIZE BitmapSize(HBITMAP bitmap) {
    if (const HeldSprite* held = FindHeld(bitmap))
        return held->size;
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info))
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void CopyWhole(HDC dc, int x, int y, HBITMAP bitmap) {
    BitmapDc source(bitmap);
    if (!source.ok())
        return;
    const SIZE size = BitmapSize(bitmap);
    BitBlt(dc, x, y, size.cx, size.cy, source.dc(), 0, 0, SRCCOPY);
}

}  // namespace

BitmapDc::BitmapDc(HBITMAP bitmap) {
    if (const HeldSprite* held = FindHeld(bitmap)) {
        dc_ = held->dc;
        ok_ = true;
        return;
    }
    if (!bitmap)  // a missing picture draws nothing, and that costs nothing either
        return;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_)
        return;
    owned_ = true;
    SetMapMode(dc_, MM_TEXT);
    previous_ = bitmap ? SelectObject(dc_, bitmap) : nullptr;
    ok_ = previous_ && previous_ != HGDI_ERROR;
}

BitmapDc::~BitmapDc() {
    if (!owned_)
        return;
    if (ok_)
        SelectObject(dc_, previous_);
    DeleteDC(dc_);
}

void HoldSprite(HBITMAP bitmap) {
    if (!gHolding || !bitmap || FindHeld(bitmap) || gHeldCount >= kMaxHeldSprites)
        return;
    BITMAP info{};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    SetMapMode(dc, MM_TEXT);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    if (!previous || previous == HGDI_ERROR) {  // selected elsewhere already: stays on the slow path
        DeleteDC(dc);
        return;
    }
    gHeld[gHeldCount++] = HeldSprite{bitmap, dc, previous, SIZE{info.bmWidth, info.bmHeight}};
}

void ReleaseSprite(HBITMAP bitmap) {
    for (int i = 0; i < gHeldCount; ++i) {
        if (gHeld[i].bitmap == bitmap) {
            ReleaseAt(i);
            return;
        }
    }
}

void DeleteSprite(HBITMAP& bitmap) {
    if (!bitmap)
        return;
    ReleaseSprite(bitmap);
    DeleteObject(bitmap);
    bitmap = nullptr;
}

int HeldSpriteCount() {
    return gHeldCount;
}

void SetSpriteHolding(bool on) {
    while (gHeldCount > 0)
        ReleaseAt(gHeldCount - 1);
    gHolding = on;
}

void GetBitmapSize(HBITMAP bitmap, gfx::FrameRect* rect) {
    const SIZE size = BitmapSize(bitmap);
    rect->width = size.cx;
    rect->height = size.cy;
}

void BlitToWindow(HWND window, int x, int y, HBITMAP bitmap) {
    HDC dc = GetDC(window);
    if (!dc)
        return;
    CopyWhole(dc, x, y, bitmap);
    ReleaseDC(window, dc);
}

void BlitToDc(HDC dc, int x, int y, HBITMAP bitmap) {
    CopyWhole(dc, x, y, bitmap);
}

void BlitRect(HDC dc, int x, int y, HBITMAP bitmap, const gfx::FrameRect& source) {
    BitmapDc from(bitmap);
    if (from.ok())
        BitBlt(dc, x, y, source.width, source.height, from.dc(), source.x, source.y, SRCCOPY);
}

void BlitMasked(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at) {
    const SIZE size = BitmapSize(mask);
    ReportMaskedBlit(dc, at.x, at.y, size.cx, size.cy);
    {
        BitmapDc hole(mask);
        if (hole.ok())
            BitBlt(dc, at.x, at.y, size.cx, size.cy, hole.dc(), 0, 0, SRCAND);
    }
    BitmapDc colour(image);
    if (colour.ok())
        BitBlt(dc, at.x, at.y, size.cx, size.cy, colour.dc(), 0, 0, SRCINVERT);
}

void BlitMaskedRect(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at, const gfx::FrameRect& source) {
    ReportMaskedBlit(dc, at.x, at.y, source.width, source.height);
    {
        BitmapDc hole(mask);
        if (hole.ok())
            BitBlt(dc, at.x, at.y, source.width, source.height, hole.dc(), source.x, source.y, SRCAND);
    }
    BitmapDc colour(image);
    if (colour.ok())
        BitBlt(dc, at.x, at.y, source.width, source.height, colour.dc(), source.x, source.y, SRCINVERT);
}

void SetMaskedBlitObserver(MaskedBlitObserver observer) {
    gMaskedBlitObserver = observer;
}

HBITMAP CreateMaskBitmap(HBITMAP bitmap) {
    if (!bitmap)
        return nullptr;
    const SIZE size = BitmapSize(bitmap);
    return CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
}

int MakeMask(HBITMAP image, HBITMAP mask, COLORREF key) {
    if (!image || !mask)
        return 0;
    const SIZE size = BitmapSize(image);
    HBITMAP keyBits = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);  // 1 where the image shows the key
    HBITMAP keptBits = CreateBitmap(size.cx, size.cy, 1, 1, nullptr); // its inverse
    int ok = 0;
    if (keyBits && keptBits) {
        BitmapDc img(image), msk(mask), kept(keptBits), keyed(keyBits);
        if (img.ok() && msk.ok() && kept.ok() && keyed.ok()) {
            // Colour-to-monochrome: pixels equal to the background colour become 1.
            const COLORREF oldBack = SetBkColor(img.dc(), key);
            BitBlt(keyed.dc(), 0, 0, size.cx, size.cy, img.dc(), 0, 0, SRCCOPY);
            SetBkColor(img.dc(), oldBack);
            BitBlt(kept.dc(), 0, 0, size.cx, size.cy, keyed.dc(), 0, 0, NOTSRCCOPY);
            BitBlt(msk.dc(), 0, 0, size.cx, size.cy, keyed.dc(), 0, 0, SRCCOPY);
            // Monochrome-to-colour maps 0 to the text colour and 1 to the background colour;
            // with the defaults (black, white) the key pixels turn black and the rest stay.
            BitBlt(img.dc(), 0, 0, size.cx, size.cy, kept.dc(), 0, 0, SRCAND);
            ok = 1;
        }
    }
    if (keyBits)
        DeleteObject(keyBits);
    if (keptBits)
        DeleteObject(keptBits);
    return ok;
}
