#include "scene/stage_copy.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "gfx/blit.h"
#include "gfx/pixel_rows.h"
#include "scene/scene_state.h"
#include "scene/window_zoom.h"

namespace {

bool gPartialCopies = true;

// What the window shows of the stage, pixel for pixel, where the stage's own pixels can be read
// (see SetDirectTarget): a part is then copied only as far as it differs from it. A figure that
// stands still is drawn again on every tick and so lies in the parts; copying it would send the
// same pixels to the window, and the window system on to the screen, 45 times a second.
struct ShownStage {
    HDC stageDc = nullptr;  // the stage it was taken of; any other makes it stale
    int width = 0;
    std::vector<uint32_t> pixels;
};
ShownStage gShown;

bool ReadStage(DirectPixels* stage) {
    return DirectTargetPixels(gScene.stageDc, stage) && stage->width == gScene.stageWidth &&
           stage->height == StageHeight;
}

// After a copy of the whole strip the window shows the stage as it is.
void TakeShownStage() {
    DirectPixels stage{};
    if (!ReadStage(&stage)) {
        gShown = ShownStage{};
        return;
    }
    GdiFlush();
    gShown.stageDc = gScene.stageDc;
    gShown.width = stage.width;
    gShown.pixels.resize(static_cast<size_t>(stage.width) * stage.height);
    for (int y = 0; y < stage.height; ++y)
        CopyPixels(&gShown.pixels[static_cast<size_t>(y) * stage.width], stage.Row(y), stage.width);
}

// Shrinks part to the pixels where the stage differs from what the window shows, and notes them
// as shown. Returns false when it cannot tell; the part is then copied whole.
bool ShrinkToDifference(RECT* part) {
    DirectPixels stage{};
    if (gShown.stageDc != gScene.stageDc || !ReadStage(&stage) || gShown.width != stage.width)
        return false;
    GdiFlush();
    RECT differs{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = part->top; y < part->bottom; ++y) {
        const uint32_t* now = stage.Row(y);
        uint32_t* shown = &gShown.pixels[static_cast<size_t>(y) * stage.width];
        const int left = FirstDifference(now, shown, part->left, part->right);
        if (left == part->right)
            continue;
        const int right = LastDifference(now, shown, left, part->right);
        CopyPixels(shown + left, now + left, right - left);
        differs.left = std::min<LONG>(differs.left, left);
        differs.right = std::max<LONG>(differs.right, right);
        differs.top = std::min<LONG>(differs.top, y);
        differs.bottom = y + 1;
    }
    *part = differs.left < differs.right ? differs : RECT{};
    return true;
}

// Whatever reaches the window unasked (a copy of a part that could not be compared) is shown too.
void NoteShown(const RECT& part) {
    DirectPixels stage{};
    if (gShown.stageDc != gScene.stageDc || !ReadStage(&stage))
        return;
    for (int y = part.top; y < part.bottom; ++y)
        CopyPixels(&gShown.pixels[static_cast<size_t>(y) * stage.width + part.left], stage.Row(y) + part.left,
                   part.right - part.left);
}

RECT StageRect() {
    return RECT{0, 0, gScene.stageWidth, StageHeight};
}

// The bounds of what was drawn into dc since the last call, moved by (-dx, -dy) and clipped to the stage.
RECT TakeBounds(HDC dc, int dx, int dy) {
    RECT drawn{};
    const UINT state = GetBoundsRect(dc, &drawn, DCB_RESET);
    RECT onStage{};
    if (state == DCB_SET) {
        OffsetRect(&drawn, -dx, -dy);
        const RECT stage = StageRect();
        IntersectRect(&onStage, &drawn, &stage);
    }
    return onStage;
}

void Add(RECT& into, const RECT& more) {
    UnionRect(&into, &into, &more);
}

// Rectangles this close are copied as one: a little more copying beats another copy.
constexpr int kJoinGap = 8;

long Area(const RECT& r) {
    return static_cast<long>(r.right - r.left) * (r.bottom - r.top);
}

// r joins the areas, swallowing every rectangle it overlaps or nearly touches; when the set is
// full it is joined with the rectangle that grows least by it.
void AddArea(StageAreas& areas, RECT r) {
    if (IsRectEmpty(&r))
        return;
    for (int i = 0; i < areas.count;) {
        RECT reach = areas.rect[i], overlap;
        InflateRect(&reach, kJoinGap, kJoinGap);
        if (IntersectRect(&overlap, &reach, &r)) {
            Add(r, areas.rect[i]);
            areas.rect[i] = areas.rect[--areas.count];
            i = 0;  // the larger r may reach rectangles it missed before
        } else {
            ++i;
        }
    }
    if (areas.count == StageAreas::Capacity) {
        int best = 0;
        long least = LONG_MAX;
        for (int i = 0; i < areas.count; ++i) {
            RECT both;
            UnionRect(&both, &areas.rect[i], &r);
            const long growth = Area(both) - Area(areas.rect[i]) - Area(r);
            if (growth < least) {
                least = growth;
                best = i;
            }
        }
        Add(r, areas.rect[best]);
        areas.rect[best] = areas.rect[--areas.count];
        AddArea(areas, r);
        return;
    }
    areas.rect[areas.count++] = r;
}

void AddAreas(StageAreas& into, const StageAreas& more) {
    for (int i = 0; i < more.count; ++i)
        AddArea(into, more.rect[i]);
}

StageAreas WholeStage() {
    StageAreas all{};
    all.rect[0] = StageRect();
    all.count = 1;
    return all;
}

// Partial copies rely on both memory contexts keeping bounds since the last tick; a context made
// anew (a rebuilt scene) has not, and then one tick copies everything.
bool TrackingHolds() {
    return gScene.stageCopyWhole == 0 && gScene.trackedBackdropDc == gScene.backdropDc &&
           gScene.trackedStageDc == gScene.stageDc;
}

void StartTracking() {
    for (HDC dc : {gScene.backdropDc, gScene.stageDc})
        SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
    gScene.trackedBackdropDc = gScene.backdropDc;
    gScene.trackedStageDc = gScene.stageDc;
    gScene.stageCopyWhole = 0;
}

void Copy(HDC to, int toX, int toY, HDC from, int fromX, int fromY, const RECT& part) {
    BitBlt(to, toX + part.left, toY + part.top, part.right - part.left, part.bottom - part.top, from,
           fromX + part.left, fromY + part.top, SRCCOPY);
}

}  // namespace

void RefreshStage() {
    if (!gScene.stageDc || !gScene.backdropDc)
        return;
    StageAreas parts = WholeStage();
    if (gPartialCopies && TrackingHolds()) {
        // Where the figures were, what was painted into the backdrop, and anything else drawn into
        // the stage since the last tick (a rebuilt scenery, the sign).
        parts = gScene.stageSpriteAreas;
        AddArea(parts, TakeBounds(gScene.backdropDc, gScene.stageLeft, gScene.stageTop));
        AddArea(parts, TakeBounds(gScene.stageDc, 0, 0));
        gScene.stageChanged = parts;
    } else {
        gScene.stageCopyWhole = 1;
    }
    for (int i = 0; i < parts.count; ++i)
        Copy(gScene.stageDc, 0, 0, gScene.backdropDc, gScene.stageLeft, gScene.stageTop, parts.rect[i]);
    gScene.stageFigureAreas = StageAreas{};
    if (gPartialCopies)
        SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET | DCB_ENABLE);  // from here on: the figures
}

void NoteFigureDrawn() {
    if (gPartialCopies && gScene.stageDc && TrackingHolds())
        AddArea(gScene.stageFigureAreas, TakeBounds(gScene.stageDc, 0, 0));
}

void CopyStageToWindow() {
    if (!gScene.stageDc)
        return;
    StageAreas parts = WholeStage();
    RECT overDrawn{};  // drawn on the window over the stage: copied whatever the stage holds there
    const bool partial = gPartialCopies && gScene.stageCopyWhole == 0 && TrackingHolds();
    if (partial) {
        StageAreas figures = gScene.stageFigureAreas;
        AddArea(figures, TakeBounds(gScene.stageDc, 0, 0));  // drawn outside the figures' turns
        gScene.stageSpriteAreas = figures;
        parts = gScene.stageChanged;
        AddAreas(parts, figures);
        // What the scene drew on the window over the stage since the last copy is put back, as a
        // whole-strip copy would put it back.
        RECT drawn = gScene.windowDrawn, onStage{};
        OffsetRect(&drawn, -gScene.stageLeft, -gScene.stageTop);
        const RECT stage = StageRect();
        IntersectRect(&onStage, &drawn, &stage);
        overDrawn = onStage;
    }
    if (!IsRectEmpty(&overDrawn)) {
        Copy(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageDc, 0, 0, overDrawn);
        ShowZoomedDraws();
        NoteShown(overDrawn);
    }
    for (int i = 0; i < parts.count; ++i) {
        RECT part = parts.rect[i];
        if (partial && gShown.stageDc && !ShrinkToDifference(&part))
            NoteShown(part);
        if (IsRectEmpty(&part))
            continue;
        Copy(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageDc, 0, 0, part);
        ShowZoomedDraws();  // each part enlarged on its own, not the stretch between them
    }
    if (!partial && gPartialCopies)
        TakeShownStage();
    gScene.stageFigureAreas = StageAreas{};
    if (!gPartialCopies)
        return;
    if (gScene.stageCopyWhole || !TrackingHolds()) {
        StartTracking();
        gScene.stageSpriteAreas = WholeStage();  // what the figures drew is not known this once
    }
    gScene.stageChanged = StageAreas{};
    gScene.windowDrawn = RECT{};
}

void NoteWindowDraw(int x, int y, int width, int height) {
    const RECT drawn{x, y, x + width, y + height};
    Add(gScene.windowDrawn, drawn);
}

void InvalidateStage() {
    gScene.stageCopyWhole = 1;
    gShown.stageDc = nullptr;  // until the whole copy, what the window shows is not known
}

void SetPartialStageCopies(bool on) {
    gPartialCopies = on;
    gScene.stageCopyWhole = 1;
}
