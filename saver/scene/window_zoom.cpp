#include "scene/window_zoom.h"

#include <cstdlib>

#include "gfx/pixel_rows.h"

WindowZoom gZoom;

namespace {

// Parts are compared and sent in tiles of this many picture pixels square: figures far apart on
// the stage then cost their own tiles, not the whole stretch between them.
constexpr int kTile = 32;
// Rows of changed tiles that line up go to the window together, this many picture rows at most: a
// tall figure or a car costs two copies to the window instead of four or five. The band holds them.
constexpr int kBandRows = 2 * kTile;

bool gSharedRows = true;

// The n window rows that repeat one picture row hold the same pixels. Where the system lets one
// piece of memory be seen at several addresses, each row of the band is one piece mapped n times
// one after another: the program writes an enlarged row once instead of n times, and the copy to
// the window reads the other n - 1 from the cache instead of from main memory. The window gets
// the band as a picture in the program's memory (SetDIBitsToDevice), since a section's views are
// no bitmap of their own. Views start on the allocation granularity, so a band row takes a whole
// number of those units (64 KB: 16384 pixels, more than any monitor is wide).
void UnmapViews(uint8_t* base, int count, size_t stride) {
    for (int i = 0; i < count; ++i)
        UnmapViewOfFile(base + i * stride);
}

// Maps row r of the section at views r * n to r * n + n - 1 from a free stretch of addresses.
// Another thread may take the stretch between its release and the views: then it tries again.
uint8_t* MapSharedRows(HANDLE section, int rows, int n, size_t stride) {
    const int views = rows * n;
    for (int attempt = 0; attempt < 3; ++attempt) {
        void* stretch = VirtualAlloc(nullptr, views * stride, MEM_RESERVE, PAGE_NOACCESS);
        if (!stretch)
            return nullptr;
        VirtualFree(stretch, 0, MEM_RELEASE);
        uint8_t* base = static_cast<uint8_t*>(stretch);
        int mapped = 0;
        while (mapped < views) {
            const uint64_t offset = static_cast<uint64_t>(mapped / n) * stride;
            if (!MapViewOfFileEx(section, FILE_MAP_WRITE, static_cast<DWORD>(offset >> 32), static_cast<DWORD>(offset),
                                 stride, base + mapped * stride))
                break;
            ++mapped;
        }
        if (mapped == views)
            return base;
        UnmapViews(base, mapped, stride);
    }
    return nullptr;
}

bool StartSharedRows() {
    const int n = gZoom.factor;
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const size_t unit = system.dwAllocationGranularity ? system.dwAllocationGranularity : 65536;
    const size_t rowBytes = static_cast<size_t>(gZoom.sceneWidth) * n * sizeof(uint32_t);
    const size_t stride = (rowBytes + unit - 1) / unit * unit;
    const uint64_t bytes = static_cast<uint64_t>(stride) * kBandRows;
    HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                        static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes), nullptr);
    if (!section)
        return false;
    uint8_t* base = MapSharedRows(section, kBandRows, n, stride);
    if (!base) {
        CloseHandle(section);
        return false;
    }
    // The views must really be one memory: what goes in at the first shows at the last.
    auto* first = reinterpret_cast<volatile uint32_t*>(base);
    auto* last = reinterpret_cast<volatile uint32_t*>(base + (n - 1) * stride);
    *first = 0x5A5A5A5Au;
    if (*last != 0x5A5A5A5Au) {
        UnmapViews(base, kBandRows * n, stride);
        CloseHandle(section);
        return false;
    }
    gZoom.bandSection = section;
    gZoom.bandPixels = reinterpret_cast<uint32_t*>(base);
    gZoom.bandStride = stride / sizeof(uint32_t);
    return true;
}

bool StartPlainBand(HDC windowDc) {
    const int w = gZoom.sceneWidth * gZoom.factor;
    gZoom.bandDc = CreateCompatibleDC(windowDc);
    gZoom.bandBitmap = gZoom.bandDc ? CreateTopDownSection(windowDc, w, kBandRows * gZoom.factor, &gZoom.bandPixels) : nullptr;
    if (!gZoom.bandBitmap)
        return false;
    gZoom.bandOriginal = SelectObject(gZoom.bandDc, gZoom.bandBitmap);
    gZoom.bandStride = static_cast<size_t>(w);
    return true;
}

// The band through which enlarged rows go to the window, and the copy of what the window shows.
bool StartOwnEnlargement(HDC windowDc) {
    const int w = gZoom.sceneWidth, h = gZoom.sceneHeight;
    gZoom.shown = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(w) * h, sizeof(uint32_t)));
    return gZoom.shown && ((gSharedRows && StartSharedRows()) || StartPlainBand(windowDc));
}

void StopOwnEnlargement() {
    std::free(gZoom.shown);
    gZoom.shown = nullptr;
    if (gZoom.bandSection) {
        UnmapViews(reinterpret_cast<uint8_t*>(gZoom.bandPixels), kBandRows * gZoom.factor,
                   gZoom.bandStride * sizeof(uint32_t));
        CloseHandle(gZoom.bandSection);
    }
    if (gZoom.bandDc) {
        if (gZoom.bandOriginal)
            SelectObject(gZoom.bandDc, gZoom.bandOriginal);
        DeleteDC(gZoom.bandDc);
    }
    if (gZoom.bandBitmap)
        DeleteObject(gZoom.bandBitmap);
    gZoom.bandSection = nullptr;
    gZoom.bandDc = nullptr;
    gZoom.bandBitmap = nullptr;
    gZoom.bandOriginal = nullptr;
    gZoom.bandPixels = nullptr;
    gZoom.bandStride = 0;
    gZoom.scenePixels = nullptr;
}

long Area(const RECT& r) {
    return static_cast<long>(r.right - r.left) * (r.bottom - r.top);
}

// Where the pixels to be shown come from: the scene's own picture, or a picture that lies in the
// scene with its first pixel at (left, top) and goes into the scene's picture as it is sent. A part
// of the latter that the window already shows needs no copy into the scene either: the scene's
// picture holds what the window was given.
struct Source {
    const uint32_t* pixels;
    ptrdiff_t pitch;  // pixels from one row to the next
    int left, top;
    bool intoScene;
    // Row y of the scene, its pixel 0 (which the source need not hold: only [from, to) is read).
    const uint32_t* Row(int y) const { return pixels + (y - top) * pitch - left; }
};

Source SceneItself() {
    return Source{gZoom.scenePixels, gZoom.sceneWidth, 0, 0, false};
}

const uint32_t* ShownRow(int y) {
    return gZoom.shown + static_cast<size_t>(y) * gZoom.sceneWidth;
}

// What the window was shown is read only here and when a part is sent, so by the next tick it has
// mostly left the cache: the rows a few ahead are asked for while one is compared.
bool TileChanged(const Source& from, int x0, int y0, int x1, int y1) {
    constexpr int kAhead = 6;
    for (int y = y0; y < y1 && y < y0 + kAhead; ++y)
        PrefetchPixels(ShownRow(y) + x0, x1 - x0);
    for (int y = y0; y < y1; ++y) {
        if (y + kAhead < y1)
            PrefetchPixels(ShownRow(y + kAhead) + x0, x1 - x0);
        if (FirstDifference(from.Row(y), ShownRow(y), x0, x1) < x1)
            return true;
    }
    return false;
}

// Under Wine a window's drawings go on to the X server when the thread next looks at its input,
// as one rectangle around everything drawn since. Enlarged, two small figures far apart would
// send the whole stretch between them nine times over (at 3x) on every tick: before a part that
// lies apart from what is still waiting, asking for a key's state hands the waiting part on by
// itself (elsewhere the call costs next to nothing). A hand-over costs the saver about what the X
// server spends on 192 x 192 picture pixels sent enlarged for nothing, so only parts farther apart
// than that go alone: the cars on both lanes, a plane and the pavement. In picture pixels.
constexpr long kSendAlone = 192 * 192;

void KeepApartFromPending(const RECT& next) {
    if (SendApart(gZoom.pending, next)) {
        GetAsyncKeyState(0);  // key 0 is no key: only the hand-over matters
        gZoom.pending = RECT{};
    }
    UnionRect(&gZoom.pending, &gZoom.pending, &next);
}

// A span of at most kBandRows rows: noted as shown, enlarged into the band, and copied from there
// to the window.
void SendSpan(const Source& source, const RECT& span) {
    KeepApartFromPending(span);
    const int n = gZoom.factor;
    const size_t stride = static_cast<size_t>(gZoom.sceneWidth);
    const size_t bandStride = gZoom.bandStride;
    const int writes = gZoom.bandSection ? 1 : n;  // shared rows repeat themselves
    const int x0 = span.left, y0 = span.top, width = span.right - span.left, rows = span.bottom - y0;
    for (int y = y0; y < span.bottom; ++y) {
        const uint32_t* from = source.Row(y) + x0;
        CopyPixels(gZoom.shown + y * stride + x0, from, width);
        if (source.intoScene)
            CopyPixels(gZoom.scenePixels + y * stride + x0, from, width);
        uint32_t* row = gZoom.bandPixels + static_cast<size_t>((y - y0) * n) * bandStride + x0 * n;
        for (int k = 0; k < writes; ++k)
            RepeatPixels(row + k * bandStride, from, width, n);
    }
    if (gZoom.bandSection) {
        const BITMAPINFO band = TopDownHeader(static_cast<int>(bandStride), rows * n);  // its first rows
        SetDIBitsToDevice(gZoom.windowDc, x0 * n, y0 * n, width * n, rows * n, x0 * n, 0, 0, rows * n,
                          gZoom.bandPixels, &band, DIB_RGB_COLORS);
    } else {
        BitBlt(gZoom.windowDc, x0 * n, y0 * n, width * n, rows * n, gZoom.bandDc, x0 * n, 0, SRCCOPY);
    }
}

// The runs of changed tiles found so far that the next row of tiles may still extend downwards.
struct OpenSpans {
    static constexpr int Capacity = 8;
    RECT span[Capacity];
    bool extended[Capacity];
    int count;
    bool force;  // every tile counts as changed, and goes whole
    Source from;
};

// A span of changed tiles shrunk to the rectangle around its pixels that differ from what the
// window shows: a figure's change rarely fills its tiles to their edges, and each pixel left out
// is n x n fewer for the window. Empty when nothing differs after all.
RECT ChangedWithin(const Source& from, const RECT& span) {
    RECT around{span.right, span.bottom, span.left, span.top};
    for (int y = span.top; y < span.bottom; ++y) {
        const uint32_t* now = from.Row(y);
        const uint32_t* shown = ShownRow(y);
        const int left = FirstDifference(now, shown, span.left, span.right);
        if (left == span.right)
            continue;
        const int right = LastDifference(now, shown, left, span.right);
        around.left = left < around.left ? left : around.left;
        around.right = right > around.right ? right : around.right;
        around.top = y < around.top ? y : around.top;
        around.bottom = y + 1;
    }
    return around.left < around.right ? around : RECT{};
}

void Send(const OpenSpans& open, const RECT& span) {
    const RECT part = open.force ? span : ChangedWithin(open.from, span);
    if (!IsRectEmpty(&part))
        SendSpan(open.from, part);
}

// A run joins an open span right above it when the two line up, or nearly: what the joined
// rectangle holds besides them is sent again unchanged, which costs less than one more copy.
constexpr long kJoinWaste = kTile * kTile / 2;

bool Joins(const RECT& open, const RECT& run) {
    if (open.bottom != run.top || run.bottom - open.top > kBandRows)
        return false;
    RECT both;
    UnionRect(&both, &open, &run);
    return Area(both) - Area(open) - Area(run) <= kJoinWaste;
}

void SendAndClose(OpenSpans& open, int i) {
    Send(open, open.span[i]);
    --open.count;
    open.span[i] = open.span[open.count];
    open.extended[i] = open.extended[open.count];
}

void AddRun(OpenSpans& open, const RECT& run) {
    for (int i = 0; i < open.count; ++i) {
        if (!open.extended[i] && Joins(open.span[i], run)) {
            UnionRect(&open.span[i], &open.span[i], &run);
            open.extended[i] = true;
            return;
        }
    }
    if (open.count == OpenSpans::Capacity)
        SendAndClose(open, 0);
    open.span[open.count] = run;
    open.extended[open.count++] = true;
}

// At the end of a row of tiles: what it did not extend cannot grow any more and goes.
void SendUnextended(OpenSpans& open) {
    for (int i = 0; i < open.count;) {
        if (open.extended[i]) {
            open.extended[i++] = false;
            continue;
        }
        SendAndClose(open, i);
    }
}

// Sends the part tile by tile: runs of changed tiles in a row go out together, and runs that line
// up in rows below one another too. With force every tile counts as changed.
void SendPart(const RECT& part, bool force, const Source& from) {
    GdiFlush();  // the draws must have reached the pixels
    OpenSpans open{};
    open.force = force;
    open.from = from;
    for (int ty = part.top / kTile * kTile; ty < part.bottom; ty += kTile) {
        const int y0 = ty > part.top ? ty : part.top;
        const int y1 = ty + kTile < part.bottom ? ty + kTile : part.bottom;
        int runStart = -1;
        for (int tx = part.left / kTile * kTile; tx < part.right; tx += kTile) {
            const int x0 = tx > part.left ? tx : part.left;
            const int x1 = tx + kTile < part.right ? tx + kTile : part.right;
            const bool changed = force || TileChanged(from, x0, y0, x1, y1);
            if (changed && runStart < 0)
                runStart = x0;
            if (!changed && runStart >= 0) {
                AddRun(open, RECT{runStart, y0, x0, y1});
                runStart = -1;
            }
        }
        if (runStart >= 0)
            AddRun(open, RECT{runStart, y0, part.right, y1});
        SendUnextended(open);
    }
    for (int i = 0; i < open.count; ++i)
        Send(open, open.span[i]);
}

void Enlarge(const RECT& drawn, bool force) {
    const RECT scene{0, 0, gZoom.sceneWidth, gZoom.sceneHeight};
    RECT part{};
    if (!IntersectRect(&part, &drawn, &scene))
        return;
    if (gZoom.scenePixels) {
        SendPart(part, force, SceneItself());
        return;
    }
    const int n = gZoom.factor;
    const int w = part.right - part.left, h = part.bottom - part.top;
    KeepApartFromPending(part);
    StretchBlt(gZoom.windowDc, part.left * n, part.top * n, w * n, h * n, gZoom.sceneDc, part.left, part.top, w, h,
               SRCCOPY);
}

}  // namespace

bool SendApart(const RECT& waiting, const RECT& next) {
    if (IsRectEmpty(&waiting) || IsRectEmpty(&next))
        return false;
    RECT both;
    UnionRect(&both, &waiting, &next);
    return Area(both) - Area(waiting) - Area(next) > kSendAlone;
}

int ZoomFactor(int monitorWidth, int monitorHeight, bool enabled) {
    if (!enabled || monitorWidth <= 0 || monitorHeight <= 0)
        return 1;
    const int across = monitorWidth / ZoomPictureWidth;
    const int down = monitorHeight / ZoomPictureHeight;
    const int n = across < down ? across : down;
    return n >= 2 ? n : 1;
}

HDC StartWindowZoom(HDC windowDc, int width, int height, int factor, int* sceneWidth, int* sceneHeight) {
    gZoom = WindowZoom{};
    gZoom.factor = 1;
    gZoom.windowDc = windowDc;
    *sceneWidth = width;
    *sceneHeight = height;
    if (factor < 2 || !windowDc || (GetDeviceCaps(windowDc, RASTERCAPS) & RC_PALETTE))
        return windowDc;

    const int w = width / factor, h = height / factor;
    const bool ownEnlargement = GetDeviceCaps(windowDc, BITSPIXEL) == 32;
    HDC dc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = nullptr;
    if (dc)
        bitmap = ownEnlargement ? CreateTopDownSection(windowDc, w, h, &gZoom.scenePixels) : CreateCompatibleBitmap(windowDc, w, h);
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        gZoom.scenePixels = nullptr;
        return windowDc;
    }
    gZoom.factor = factor;
    gZoom.sceneDc = dc;
    gZoom.sceneBitmap = bitmap;
    gZoom.sceneWidth = w;
    gZoom.sceneHeight = h;
    gZoom.originalBitmap = SelectObject(dc, bitmap);
    if (ownEnlargement && !StartOwnEnlargement(windowDc))
        StopOwnEnlargement();  // StretchBlt does the same, only dearer
    SetGraphicsMode(dc, GM_COMPATIBLE);
    SetMapMode(dc, MM_TEXT);
    PatBlt(dc, 0, 0, w, h, BLACKNESS);
    // Every pixel repeated, none blended: the enlarged art must stay exactly the art.
    SetStretchBltMode(windowDc, COLORONCOLOR);
    SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
    *sceneWidth = w;
    *sceneHeight = h;
    return dc;
}

void StopWindowZoom(HWND window) {
    StopOwnEnlargement();
    if (gZoom.sceneDc) {
        if (gZoom.originalBitmap)
            SelectObject(gZoom.sceneDc, gZoom.originalBitmap);
        DeleteDC(gZoom.sceneDc);
    }
    if (gZoom.sceneBitmap)
        DeleteObject(gZoom.sceneBitmap);
    if (gZoom.windowDc)
        ReleaseDC(window, gZoom.windowDc);
    gZoom = WindowZoom{};
    gZoom.factor = 1;
}

bool ZoomActive() {
    return gZoom.factor > 1 && gZoom.sceneDc;
}

HDC ZoomWindowDc() {
    return gZoom.windowDc;
}

void ShowZoomedDraws() {
    if (!ZoomActive())
        return;
    RECT drawn{};
    if (GetBoundsRect(gZoom.sceneDc, &drawn, DCB_RESET) == DCB_SET)
        Enlarge(drawn, false);
}

void ZoomTickDone() {
    gZoom.pending = RECT{};  // the thread waits for its next tick now, and the waiting part goes
}

void RepaintZoomed(const RECT& part) {
    if (ZoomActive())
        Enlarge(part, true);
}

bool ZoomComparesWithWindow() {
    return ZoomActive() && gZoom.scenePixels;
}

bool ShowZoomedPicture(const DirectPixels& picture, int left, int top, const RECT& part) {
    if (!ZoomComparesWithWindow() || !picture.top)
        return false;
    ShowZoomedDraws();  // the scene's picture holds what the window shows, as the comparison needs
    const RECT whole{0, 0, picture.width, picture.height};
    RECT inPicture{}, inScene{};
    if (!IntersectRect(&inPicture, &part, &whole))
        return true;
    OffsetRect(&inPicture, left, top);
    const RECT scene{0, 0, gZoom.sceneWidth, gZoom.sceneHeight};
    if (IntersectRect(&inScene, &inPicture, &scene))
        SendPart(inScene, false,
                 Source{picture.Row(0), picture.pitch / static_cast<ptrdiff_t>(sizeof(uint32_t)), left, top, true});
    return true;
}

void SetSharedBandRows(bool on) {
    gSharedRows = on;
}
