#include "figures/script_model.h"

#include "gfx/resources.h"

namespace {
FrameObserver gFrameObserver = nullptr;
}

void SetFrameObserver(FrameObserver observer) {
    gFrameObserver = observer;
}

void DrawFrame(FigureId id, const FrameTable& table, int entry, int variant) {
    if (gFrameObserver)
        gFrameObserver(id, entry, table.count);
    if (entry < 0)
        entry = 0;
    if (entry >= table.count)
        entry = table.count - 1;
    const FigureRecord& f = gFigures[id];
    BlitMaskedRect(gScene.stageDc, f.image[variant], f.mask[variant], BlitPoint{f.x, f.y}, table.frames[entry]);
}

bool AdvanceFrame(FigureCounters& c, int hold) {
    if (hold == NoHold) {  // no hold leaves the tick counter alone
        ++c.frameIndex;
        return true;
    }
    if (++c.tickCount <= hold)
        return false;
    c.tickCount = 0;
    ++c.frameIndex;
    return true;
}

void PlayFigureSound(int n) {
    PlaySceneSound(n - 1);
}

int BoardingLine(const FigureRecord& f) {
    return gScene.stageHeight - f.height - 115;
}

bool AboveBoardingLine(const FigureRecord& f) {
    return f.y < BoardingLine(f);
}

void LeaveStage(FigureId id) {
    if (gFigures[id].active)
        UnloadFigure(id);
}

bool IsDayScene() {
    return gScene.timeOfDay == 1;
}
