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
bool gRedrawChangedOnly = true;

// What the window shows of the stage, pixel for pixel, where the stage's own pixels can be read
// (see SetDirectTarget): a part is then copied only as far as it differs from it. A figure that
// stands still is drawn again on every tick and so lies in the parts; copying it would send the
// same pixels to the window, and the window system on to the screen, 45 times a second. Kept at
// 1x only: an enlarged scene compares what it sends by itself (see TakeShownStage), and then the
// two functions below find no copy and do nothing.
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

// After a copy of the whole strip the window shows the stage as it is. An enlarged scene keeps no
// copy here: the enlargement compares every part with what the window shows by itself, and a
// second comparison would only find the same.
void TakeShownStage() {
    DirectPixels stage{};
    if (ZoomComparesWithWindow() || !ReadStage(&stage)) {
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

// The stage's rectangle lies inside a picture of width x height at the stage's place.
bool StageInside(int width, int height) {
    return gScene.stageLeft >= 0 && gScene.stageTop >= 0 && gScene.stageLeft + gScene.stageWidth <= width &&
           gScene.stageTop + StageHeight <= height;
}

// Stage rows copied by hand from a picture the stage lies in at its place: a few rectangles on
// every tick, for which GDI's checks cost more than the copy.
void CopyRowsToStage(const DirectPixels& stage, const uint32_t* picture, ptrdiff_t picturePitch, const RECT& area) {
    const RECT all = StageRect();
    RECT part{};
    if (!IntersectRect(&part, &area, &all))
        return;
    const int width = part.right - part.left;
    for (int y = part.top; y < part.bottom; ++y)
        CopyPixels(stage.Row(y) + part.left,
                   picture + (gScene.stageTop + y) * picturePitch + gScene.stageLeft + part.left, width);
}

void RefreshFromBackdrop(const StageAreas& parts) {
    DirectPixels stage{}, backdrop{};
    if (ReadStage(&stage) && SurfacePixels(gScene.backdropBitmap, &backdrop) &&
        StageInside(backdrop.width, backdrop.height)) {
        GdiFlush();  // what GDI drew into either lands first
        for (int i = 0; i < parts.count; ++i)
            CopyRowsToStage(stage, backdrop.Row(0), backdrop.pitch / static_cast<ptrdiff_t>(sizeof(uint32_t)),
                            parts.rect[i]);
        return;
    }
    for (int i = 0; i < parts.count; ++i)
        Copy(gScene.stageDc, 0, 0, gScene.backdropDc, gScene.stageLeft, gScene.stageTop, parts.rect[i]);
}

// A part of the stage onto the scene's screen. Enlarged by the program itself, the stage's pixels
// go straight on to the window where they differ from what it shows, and into the enlarged scene's
// picture only there.
void CopyToScreen(const RECT& area) {
    DirectPixels stage{};
    RECT part{};
    const RECT all = StageRect();
    if (!IntersectRect(&part, &area, &all))
        return;
    if (ReadStage(&stage) && ShowZoomedPicture(stage, gScene.stageLeft, gScene.stageTop, part))
        return;
    Copy(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageDc, 0, 0, part);
}

// Most of what the figures draw on a tick is what they drew on the tick before: the same picture
// at the same place (a figure waiting, the bus at the stop). Refreshing, drawing and comparing
// all of it again would only find it unchanged. So, where the stage's pixels are the program's
// own, the figures' draws are put off and only logged (gfx/blit.h); once all are known, the tick
// compares them with the last tick's, in order, and refreshes and draws the stage only where a
// draw is new or gone, or where something else changed under the figures. Outside those parts the
// stage already shows the backdrop with the same draws on top, in the same order.
struct LastDraws {
    std::vector<HeldDraw> draws;
    // The stage holds the backdrop with exactly these draws on top, besides what the next tick
    // refreshes anyway: no GDI drew among them, and nothing failed.
    bool complete = false;
};
LastDraws gLast;
StageAreas gUnderFigures;  // what changed under the figures: the backdrop, other draws into the stage

// Something must be drawn at once while the draws are put off: the tick goes on as one that draws
// at once, with the whole refresh (where the figures were and what changed under them) and the
// draws so far.
void CatchUpStage() {
    RefreshFromBackdrop(gScene.stageChanged);
    GdiFlush();  // the copies land before the pixels are written by hand
    for (const HeldDraw& d : TargetDraws()) {
        if (!DrawHeldDraw(d, d.to))
            InvalidateStage();
        AddArea(gScene.stageFigureAreas, d.to);
    }
    SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET | DCB_ENABLE);  // from here on: the figures
}

// The tick's draws are known: the parts where they differ from the tick before, refreshed and
// drawn. Returns where the tick's draws lie, for the next tick that may have to refresh them all.
StageAreas DrawWhatChanged() {
    StopPuttingOff();
    const std::vector<HeldDraw>& now = TargetDraws();
    StageAreas changed = gUnderFigures;
    std::vector<bool> kept(gLast.draws.size(), false);
    size_t next = 0;  // matches keep their order: a draw that moved above another is new
    for (const HeldDraw& d : now) {
        size_t k = next;
        while (k < gLast.draws.size() && !(gLast.draws[k] == d))
            ++k;
        if (k < gLast.draws.size()) {
            kept[k] = true;
            next = k + 1;
        } else {
            AddArea(changed, d.to);
        }
    }
    for (size_t k = 0; k < gLast.draws.size(); ++k)
        if (!kept[k])
            AddArea(changed, gLast.draws[k].to);

    RefreshFromBackdrop(changed);
    GdiFlush();
    StageAreas drawnAt{};
    for (const HeldDraw& d : now) {
        AddArea(drawnAt, d.to);
        for (int i = 0; i < changed.count; ++i) {
            RECT part;
            if (IntersectRect(&part, &d.to, &changed.rect[i]) && !DrawHeldDraw(d, part))
                InvalidateStage();
        }
    }
    SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET | DCB_ENABLE);
    gScene.stageChanged = changed;
    return drawnAt;
}

}  // namespace

void RefreshStage(FigureDrawing drawing) {
    if (!gScene.stageDc || !gScene.backdropDc)
        return;
    StageAreas parts = WholeStage();
    const bool tracking = gPartialCopies && TrackingHolds();
    if (tracking) {
        // Where the figures were, what was painted into the backdrop, and anything else drawn into
        // the stage since the last tick (a rebuilt scenery, the sign).
        gUnderFigures = StageAreas{};
        AddArea(gUnderFigures, TakeBounds(gScene.backdropDc, gScene.stageLeft, gScene.stageTop));
        AddArea(gUnderFigures, TakeBounds(gScene.stageDc, 0, 0));
        parts = gScene.stageSpriteAreas;
        AddAreas(parts, gUnderFigures);
        gScene.stageChanged = parts;
    } else {
        gScene.stageCopyWhole = 1;
    }
    gScene.stageFigureAreas = StageAreas{};
    DirectPixels stage{};
    const bool putOff = tracking && drawing == FigureDrawing::ThroughBlits && gRedrawChangedOnly && gLast.complete &&
                        ReadStage(&stage);
    StartTargetLog(putOff, CatchUpStage);
    if (!putOff)
        RefreshFromBackdrop(parts);
    if (gPartialCopies)
        SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET | DCB_ENABLE);  // from here on: the figures
}

void NoteFigureDrawn() {
    if (!gPartialCopies || !gScene.stageDc || !TrackingHolds())
        return;
    const RECT drawn = TakeBounds(gScene.stageDc, 0, 0);
    if (PuttingOff() && !IsRectEmpty(&drawn)) {
        // Drawn into the stage past the log while its draws wait: the order is lost this once.
        CatchUpStage();
        InvalidateStage();
    }
    AddArea(gScene.stageFigureAreas, drawn);
}

void CopyStageToWindow() {
    if (!gScene.stageDc)
        return;
    StageAreas drawnAt{};
    if (PuttingOff()) {
        const RECT past = TakeBounds(gScene.stageDc, 0, 0);
        if (IsRectEmpty(&past)) {
            drawnAt = DrawWhatChanged();
        } else {  // GDI drew into the stage past the log: the order is lost this once
            CatchUpStage();
            InvalidateStage();
        }
    }
    StageAreas parts = WholeStage();
    RECT overDrawn{};  // drawn on the window over the stage: copied whatever the stage holds there
    const bool partial = gPartialCopies && gScene.stageCopyWhole == 0 && TrackingHolds();
    if (partial) {
        StageAreas figures = gScene.stageFigureAreas;
        AddArea(figures, TakeBounds(gScene.stageDc, 0, 0));  // drawn outside the figures' turns
        gScene.stageSpriteAreas = figures;
        AddAreas(gScene.stageSpriteAreas, drawnAt);
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
        CopyToScreen(overDrawn);
        ShowZoomedDraws();
        NoteShown(overDrawn);
    }
    for (int i = 0; i < parts.count; ++i) {
        RECT part = parts.rect[i];
        if (partial && gShown.stageDc && !ShrinkToDifference(&part))
            NoteShown(part);
        if (IsRectEmpty(&part))
            continue;
        CopyToScreen(part);
        ShowZoomedDraws();  // each part enlarged on its own, not the stretch between them
    }
    if (!partial && gPartialCopies)
        TakeShownStage();
    gLast.draws = TargetDraws();
    gLast.complete = gPartialCopies && gScene.stageCopyWhole == 0 && !TargetDrawnByGdi();
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
    gLast.complete = false;
    gShown.stageDc = nullptr;  // until the whole copy, what the window shows is not known
}

void SetPartialStageCopies(bool on) {
    gPartialCopies = on;
    gScene.stageCopyWhole = 1;
}

void SetRedrawChangedOnly(bool on) {
    gRedrawChangedOnly = on;
    gLast.complete = false;
}
