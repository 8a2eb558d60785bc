#include "scene/stage_copy.h"

#include "scene/scene_state.h"

namespace {

bool gPartialCopies = true;

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
    RECT part = StageRect();
    if (gPartialCopies && TrackingHolds()) {
        // Where the figures were, what was painted into the backdrop, and anything else drawn into
        // the stage since the last tick (a rebuilt scenery, the sign).
        part = gScene.stageSpriteBounds;
        Add(part, TakeBounds(gScene.backdropDc, gScene.stageLeft, gScene.stageTop));
        Add(part, TakeBounds(gScene.stageDc, 0, 0));
        gScene.stageChanged = part;
    } else {
        gScene.stageCopyWhole = 1;
    }
    if (!IsRectEmpty(&part))
        Copy(gScene.stageDc, 0, 0, gScene.backdropDc, gScene.stageLeft, gScene.stageTop, part);
    if (gPartialCopies)
        SetBoundsRect(gScene.stageDc, nullptr, DCB_RESET | DCB_ENABLE);  // from here on: the figures
}

void CopyStageToWindow() {
    if (!gScene.stageDc)
        return;
    RECT part = StageRect();
    if (gPartialCopies && gScene.stageCopyWhole == 0 && TrackingHolds()) {
        const RECT figures = TakeBounds(gScene.stageDc, 0, 0);
        gScene.stageSpriteBounds = figures;
        part = gScene.stageChanged;
        Add(part, figures);
        // What the scene drew on the window over the stage since the last copy is put back, as a
        // whole-strip copy would put it back.
        RECT drawn = gScene.windowDrawn, onStage{};
        OffsetRect(&drawn, -gScene.stageLeft, -gScene.stageTop);
        const RECT stage = StageRect();
        IntersectRect(&onStage, &drawn, &stage);
        Add(part, onStage);
    }
    if (!IsRectEmpty(&part))
        Copy(gScene.screenDc, gScene.stageLeft, gScene.stageTop, gScene.stageDc, 0, 0, part);
    if (!gPartialCopies)
        return;
    if (gScene.stageCopyWhole || !TrackingHolds()) {
        StartTracking();
        gScene.stageSpriteBounds = StageRect();  // what the figures drew is not known this once
    }
    gScene.stageChanged = RECT{};
    gScene.windowDrawn = RECT{};
}

void NoteWindowDraw(int x, int y, int width, int height) {
    const RECT drawn{x, y, x + width, y + height};
    Add(gScene.windowDrawn, drawn);
}

void InvalidateStage() {
    gScene.stageCopyWhole = 1;
}

void SetPartialStageCopies(bool on) {
    gPartialCopies = on;
    gScene.stageCopyWhole = 1;
}
