#include "gfx/blit.h"

#include "gfx/pixel_rows.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

MaskedBlitObserver gMaskedBlitObserver = nullptr;

void ReportMaskedBlit(HDC dc, int x, int y, int width, int height) {
    if (gMaskedBlitObserver)
        gMaskedBlitObserver(dc, x, y, width, height);
}

// Only our own surfaces get here, and those are top-down: GetObject reports the height of a DIB
// section as positive whichever way its rows run, so the order cannot be read off the bitmap.
bool PixelsOf(HBITMAP bitmap, DirectPixels* out) {
    DIBSECTION section{};
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section)
        return false;  // a device-dependent bitmap: only GDI reaches its pixels
    if (section.dsBm.bmBitsPixel != 32 || section.dsBmih.biCompression != BI_RGB || !section.dsBm.bmBits)
        return false;
    out->top = static_cast<unsigned char*>(section.dsBm.bmBits);
    out->pitch = section.dsBm.bmWidthBytes;
    out->width = section.dsBm.bmWidth;
    out->height = section.dsBm.bmHeight;
    return true;
}

// Held sprites: a bitmap, the context it stays selected in, and its size. Sprites that are 32-bit
// DIB sections also keep what a masked draw straight into the stage's pixels needs.
struct HeldSprite {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
    SIZE size{};
    DirectPixels pixels{};  // width 0 when the bitmap is not a 32-bit DIB section
    // New whenever the context is handed out to be drawn into: what was read off the pixels
    // before is stale then. Drawn from one counter for all sprites, so that a version names one
    // content of one sprite, even after its slot and its handle are reused.
    unsigned version = 0;
    // A mask's shown pixels as runs [start, end) per row: row y's pairs are runs[rowStart[y]] up to
    // runs[rowStart[y + 1]]. Made on first use, for the mask as it was at maskVersion.
    std::vector<uint32_t> rowStart;
    std::vector<uint16_t> runs;
    bool runsMade = false, runsUsable = false;
    unsigned maskVersion = 0;
    // The image last checked against this mask: drawn through the runs alone only when it is black
    // wherever the mask hides it, as MakeMask leaves it.
    HBITMAP checkedImage = nullptr;
    unsigned checkedImageVersion = 0, checkedMaskVersion = 0;
    bool imageFits = false;
};
// Enough for every sheet and mask of a full stage (seven persons, the bus, two vehicles, the
// night layers, the sign) with room to spare.
constexpr int kMaxHeldSprites = 96;
HeldSprite gHeld[kMaxHeldSprites];
int gHeldCount = 0;
bool gHolding = true;
bool gDirectDrawing = true;
unsigned gLastVersion = 0;

unsigned NewVersion() {
    return ++gLastVersion;
}

// The one context whose pixels masked draws may write straight into, with their draws logged.
struct DirectTarget {
    HDC dc = nullptr;
    DirectPixels pixels{};
};
DirectTarget gTarget;
// Work surfaces that masked draws write straight into at once, unlogged.
constexpr int kMaxWorkSurfaces = 4;
DirectTarget gWorkSurfaces[kMaxWorkSurfaces];

const DirectPixels* WorkSurfacePixels(HDC dc) {
    for (const DirectTarget& surface : gWorkSurfaces)
        if (surface.dc && surface.dc == dc)
            return &surface.pixels;
    return nullptr;
}

// The draws into the target since the log was last started, and whether they are put off.
struct TargetLog {
    std::vector<HeldDraw> draws;
    bool putOff = false;
    void (*catchUp)() = nullptr;
    bool unlogged = false;  // GDI drew into the target since the start
};
TargetLog gLog;
// Far more than a tick draws (a few dozen): the log is restarted on every tick.
constexpr size_t kMaxLoggedDraws = 4096;

// Before a sprite that a put-off draw uses is drawn into or released: the draw must show it as
// it was.
void BeforeSpriteChanges(HBITMAP bitmap) {
    if (!gLog.putOff)
        return;
    for (const HeldDraw& d : gLog.draws) {
        if (d.image == bitmap || d.mask == bitmap) {
            gLog.putOff = false;
            if (gLog.catchUp)
                gLog.catchUp();
            return;
        }
    }
}

// Before GDI draws into the target: what was put off must be there first.
void BeforeGdiDraw(HDC dc) {
    if (!gTarget.dc || dc != gTarget.dc)
        return;
    gLog.unlogged = true;
    if (gLog.putOff) {
        gLog.putOff = false;
        if (gLog.catchUp)
            gLog.catchUp();
    }
}

HeldSprite* FindHeldEntry(HBITMAP bitmap) {
    if (!bitmap)
        return nullptr;
    for (int i = 0; i < gHeldCount; ++i)
        if (gHeld[i].bitmap == bitmap)
            return &gHeld[i];
    return nullptr;
}

const HeldSprite* FindHeld(HBITMAP bitmap) {
    return FindHeldEntry(bitmap);
}

void ReleaseAt(int i) {
    BeforeSpriteChanges(gHeld[i].bitmap);
    SelectObject(gHeld[i].dc, gHeld[i].previous);
    DeleteDC(gHeld[i].dc);
    if (i != --gHeldCount)
        gHeld[i] = std::move(gHeld[gHeldCount]);
    gHeld[gHeldCount] = HeldSprite{};
}

// Reads a monochrome mask's bits into runs of shown (0) pixels.
void MakeRuns(HeldSprite& mask) {
    mask.runsMade = true;
    mask.runsUsable = false;
    mask.maskVersion = mask.version;
    mask.rowStart.clear();
    mask.runs.clear();
    BITMAP info{};
    if (!GetObjectA(mask.bitmap, sizeof info, &info) || info.bmBitsPixel != 1 || info.bmPlanes != 1 ||
        info.bmWidth > 0xFFFF)
        return;
    const LONG bytes = info.bmWidthBytes * info.bmHeight;
    std::vector<uint8_t> bits(static_cast<size_t>(bytes));
    if (bytes <= 0 || GetBitmapBits(mask.bitmap, bytes, bits.data()) != bytes)
        return;
    mask.rowStart.reserve(info.bmHeight + 1);
    for (int y = 0; y < info.bmHeight; ++y) {
        mask.rowStart.push_back(static_cast<uint32_t>(mask.runs.size()));
        const uint8_t* row = &bits[static_cast<size_t>(y) * info.bmWidthBytes];
        int x = 0;
        while (x < info.bmWidth) {
            while (x < info.bmWidth && (row[x >> 3] & (0x80 >> (x & 7))))
                ++x;  // hidden: the key colour
            const int start = x;
            while (x < info.bmWidth && !(row[x >> 3] & (0x80 >> (x & 7))))
                ++x;
            if (x > start) {
                mask.runs.push_back(static_cast<uint16_t>(start));
                mask.runs.push_back(static_cast<uint16_t>(x));
            }
        }
    }
    mask.rowStart.push_back(static_cast<uint32_t>(mask.runs.size()));
    mask.runsUsable = true;
}

// Whether the image is black under every pixel the mask hides: then the XOR pass leaves those
// pixels as they are, and a masked draw is a copy of the shown runs.
bool ImageBlackWhereHidden(const HeldSprite& mask, const HeldSprite& image) {
    for (int y = 0; y < mask.size.cy; ++y) {
        const uint32_t* row = image.pixels.Row(y);
        int x = 0;
        for (uint32_t k = mask.rowStart[y]; k < mask.rowStart[y + 1]; k += 2) {
            for (; x < mask.runs[k]; ++x)
                if (row[x] & 0x00FFFFFF)
                    return false;
            x = mask.runs[k + 1];
        }
        for (; x < mask.size.cx; ++x)
            if (row[x] & 0x00FFFFFF)
                return false;
    }
    return true;
}

bool ReadyForDirectDraw(HeldSprite& mask, const HeldSprite& image) {
    if (!mask.runsMade || mask.maskVersion != mask.version)
        MakeRuns(mask);
    if (!mask.runsUsable || image.pixels.width != mask.size.cx || image.pixels.height != mask.size.cy)
        return false;
    if (mask.checkedImage != image.bitmap || mask.checkedImageVersion != image.version ||
        mask.checkedMaskVersion != mask.version) {
        mask.checkedImage = image.bitmap;
        mask.checkedImageVersion = image.version;
        mask.checkedMaskVersion = mask.version;
        mask.imageFits = ImageBlackWhereHidden(mask, image);
    }
    return mask.imageFits;
}

// The shown runs of the draw's part inside clip, copied from the image into the pixels.
void DrawRuns(const DirectPixels& into, const HeldSprite& img, const HeldSprite& msk, const HeldDraw& draw,
              const RECT& clip) {
    const int x0 = std::max(draw.to.left, clip.left), x1 = std::min(draw.to.right, clip.right);
    const int y0 = std::max(draw.to.top, clip.top), y1 = std::min(draw.to.bottom, clip.bottom);
    const int dx = draw.sx - draw.to.left;  // from target columns to sprite columns
    for (int y = y0; y < y1; ++y) {
        const int row = draw.sy + (y - draw.to.top);
        uint32_t* to = into.Row(y) - dx;
        const uint32_t* from = img.pixels.Row(row);
        for (uint32_t k = msk.rowStart[row]; k < msk.rowStart[row + 1]; k += 2) {
            const int a = std::max<int>(msk.runs[k], x0 + dx);
            const int b = std::min<int>(msk.runs[k + 1], x1 + dx);
            if (a < b)
                CopyPixels(to + a, from + a, b - a);
        }
    }
}

// The two-pass masked draw done by hand, straight into the target's pixels: AND with the mask
// keeps the hidden pixels and clears the shown ones, and XOR with an image that is black where
// hidden puts the shown pixels in. Both held, the image a 32-bit DIB section. The rectangle is
// clipped as BitBlt clips it: to the sprite first, then to the target. Returns false when the
// draw is not one it can do, and GDI draws it.
bool DrawMaskedDirect(HDC dc, HBITMAP image, HBITMAP mask, int x, int y, int sx, int sy, int w, int h) {
    if (!gDirectDrawing || !dc)
        return false;
    const DirectPixels* work = dc == gTarget.dc ? nullptr : WorkSurfacePixels(dc);
    if (dc != gTarget.dc && !work)
        return false;
    const DirectPixels& into = work ? *work : gTarget.pixels;
    HeldSprite* img = FindHeldEntry(image);
    HeldSprite* msk = FindHeldEntry(mask);
    if (!img || !msk || img->pixels.width == 0 || !ReadyForDirectDraw(*msk, *img))
        return false;
    if (sx < 0) { x -= sx; w += sx; sx = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    w = std::min(w, static_cast<int>(msk->size.cx) - sx);
    h = std::min(h, static_cast<int>(msk->size.cy) - sy);
    if (x < 0) { sx -= x; w += x; x = 0; }
    if (y < 0) { sy -= y; h += y; y = 0; }
    w = std::min(w, into.width - x);
    h = std::min(h, into.height - y);
    if (w <= 0 || h <= 0)
        return true;  // nothing of it is on the target

    const HeldDraw draw{image, mask, img->version, msk->version, RECT{x, y, x + w, y + h}, sx, sy};
    if (!work) {  // the target's draws are logged, and may wait
        if (gLog.draws.size() < kMaxLoggedDraws)
            gLog.draws.push_back(draw);
        else
            BeforeGdiDraw(dc);  // a log nobody restarts: no longer to be trusted, nor put off
        if (gLog.putOff)
            return true;
    }
    GdiFlush();  // whatever GDI still has to draw there lands first
    DrawRuns(into, *img, *msk, draw, draw.to);
    SetBoundsRect(dc, &draw.to, DCB_ACCUMULATE);  // as the two blits would have recorded it
    return true;
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
    BitmapDc source(bitmap, BitmapDc::Use::Read);
    if (!source.ok())
        return;
    const SIZE size = BitmapSize(bitmap);
    BeforeGdiDraw(dc);
    BitBlt(dc, x, y, size.cx, size.cy, source.dc(), 0, 0, SRCCOPY);
}

}  // namespace

BitmapDc::BitmapDc(HBITMAP bitmap, Use use) {
    if (HeldSprite* held = FindHeldEntry(bitmap)) {
        dc_ = held->dc;
        ok_ = true;
        if (use == Use::DrawInto) {
            BeforeSpriteChanges(bitmap);
            held->version = NewVersion();
        }
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
    HeldSprite& held = gHeld[gHeldCount++];
    held = HeldSprite{};
    held.bitmap = bitmap;
    held.dc = dc;
    held.previous = previous;
    held.size = SIZE{info.bmWidth, info.bmHeight};
    held.version = NewVersion();
    PixelsOf(bitmap, &held.pixels);
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
    BitmapDc from(bitmap, BitmapDc::Use::Read);
    if (!from.ok())
        return;
    BeforeGdiDraw(dc);
    BitBlt(dc, x, y, source.width, source.height, from.dc(), source.x, source.y, SRCCOPY);
}

void BlitMasked(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at) {
    const SIZE size = BitmapSize(mask);
    ReportMaskedBlit(dc, at.x, at.y, size.cx, size.cy);
    if (DrawMaskedDirect(dc, image, mask, at.x, at.y, 0, 0, size.cx, size.cy))
        return;
    BeforeGdiDraw(dc);
    {
        BitmapDc hole(mask, BitmapDc::Use::Read);
        if (hole.ok())
            BitBlt(dc, at.x, at.y, size.cx, size.cy, hole.dc(), 0, 0, SRCAND);
    }
    BitmapDc colour(image, BitmapDc::Use::Read);
    if (colour.ok())
        BitBlt(dc, at.x, at.y, size.cx, size.cy, colour.dc(), 0, 0, SRCINVERT);
}

void BlitMaskedRect(HDC dc, HBITMAP image, HBITMAP mask, const BlitPoint& at, const gfx::FrameRect& source) {
    ReportMaskedBlit(dc, at.x, at.y, source.width, source.height);
    if (DrawMaskedDirect(dc, image, mask, at.x, at.y, source.x, source.y, source.width, source.height))
        return;
    BeforeGdiDraw(dc);
    {
        BitmapDc hole(mask, BitmapDc::Use::Read);
        if (hole.ok())
            BitBlt(dc, at.x, at.y, source.width, source.height, hole.dc(), source.x, source.y, SRCAND);
    }
    BitmapDc colour(image, BitmapDc::Use::Read);
    if (colour.ok())
        BitBlt(dc, at.x, at.y, source.width, source.height, colour.dc(), source.x, source.y, SRCINVERT);
}

bool UsesDirectSurfaces(HDC like) {
    return gDirectDrawing && GetDeviceCaps(like, BITSPIXEL) == 32 && !(GetDeviceCaps(like, RASTERCAPS) & RC_PALETTE);
}

BITMAPINFO TopDownHeader(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateTopDownSection(HDC like, int width, int height, uint32_t** pixels) {
    const BITMAPINFO info = TopDownHeader(width, height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = section ? static_cast<uint32_t*>(bits) : nullptr;
    return section;
}

HBITMAP CreateSurfaceBitmap(HDC like, int width, int height) {
    uint32_t* pixels = nullptr;
    if (UsesDirectSurfaces(like))
        if (HBITMAP section = CreateTopDownSection(like, width, height, &pixels))
            return section;
    return CreateCompatibleBitmap(like, width, height);
}

void StartTargetLog(bool putOff, void (*catchUp)()) {
    gLog.draws.clear();
    gLog.putOff = putOff && gTarget.dc;
    gLog.catchUp = catchUp;
    gLog.unlogged = false;
}

void StopPuttingOff() {
    gLog.putOff = false;
}

bool PuttingOff() {
    return gLog.putOff;
}

const std::vector<HeldDraw>& TargetDraws() {
    return gLog.draws;
}

bool TargetDrawnByGdi() {
    return gLog.unlogged;
}

bool DrawHeldDraw(const HeldDraw& draw, const RECT& clip) {
    const HeldSprite* img = FindHeld(draw.image);
    const HeldSprite* msk = FindHeld(draw.mask);
    if (!gTarget.dc || !img || !msk || img->version != draw.imageVersion || msk->version != draw.maskVersion)
        return false;
    DrawRuns(gTarget.pixels, *img, *msk, draw, clip);
    return true;
}

void SetDirectTarget(HDC dc, HBITMAP bitmap) {
    gLog = TargetLog{};
    gTarget = DirectTarget{};
    if (dc && PixelsOf(bitmap, &gTarget.pixels))
        gTarget.dc = dc;
}

bool DirectTargetPixels(HDC dc, DirectPixels* out) {
    if (!gDirectDrawing || !dc || gTarget.dc != dc)
        return false;
    *out = gTarget.pixels;
    return true;
}

bool SurfacePixels(HBITMAP surface, DirectPixels* out) {
    return gDirectDrawing && PixelsOf(surface, out);
}

void ForgetDirectTarget(HDC dc) {
    if (dc && gTarget.dc == dc) {
        gTarget = DirectTarget{};
        gLog = TargetLog{};
    }
}

bool AddWorkSurface(HDC dc, HBITMAP bitmap) {
    DirectPixels pixels{};
    if (!dc || !gDirectDrawing || WorkSurfacePixels(dc) || !PixelsOf(bitmap, &pixels))
        return false;
    for (DirectTarget& surface : gWorkSurfaces) {
        if (!surface.dc) {
            surface.dc = dc;
            surface.pixels = pixels;
            return true;
        }
    }
    return false;
}

void ForgetWorkSurface(HDC dc) {
    for (DirectTarget& surface : gWorkSurfaces)
        if (dc && surface.dc == dc)
            surface = DirectTarget{};
}

void SetDirectDrawing(bool on) {
    gDirectDrawing = on;
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
