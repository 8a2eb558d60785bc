#include "figures/waiting_passengers.h"

#include "figures/script_model.h"

namespace {

constexpr gfx::FrameRect Row(int x, int width, int height) {
    return gfx::FrameRect{x, 0, width, height};
}

// While the bus stands, a rider steps towards its door until it reaches the boarding line.
void ApproachStep(FigureRecord& f, int dx, int dy) {
    if (gScene.busAtStop && AboveBoardingLine(f)) {
        f.x += dx;
        f.y += dy;
    }
}

// Figure 12, already waiting near the sign when placed.
//   phase 1  waiting, cycling through its first two to five pictures; steps right and down to the bus
constexpr gfx::FrameRect kFigure12[] = {Row(0, 64, 62), Row(65, 64, 62), Row(130, 64, 62), Row(195, 56, 62),
                                        Row(252, 56, 62)};

// Figure 13, walks in from the left and waits right of the sign.
//   phase 1  walking, frames 0..3, 15 pixels a run
//   phase 2  waiting, frames 4..7 (looking at the watch)
//   phase 3  playing the trumpet, frames 8..11
//   phase 4  turned to the bus, frame 12
constexpr gfx::FrameRect kFigure13[] = {
    Row(0, 40, 78),   Row(41, 40, 78),  Row(82, 40, 78),  Row(123, 48, 78), Row(172, 48, 78),
    Row(221, 48, 78), Row(270, 56, 78), Row(327, 56, 78), Row(384, 48, 78), Row(433, 56, 78),
    Row(490, 56, 78), Row(547, 56, 78), Row(604, 48, 78)};

// Figure 21, walks in from the left with her basket and waits right of the sign.
//   phase 1  walking, frames 0..3, 11 pixels a run
//   phase 2  settling, frames 4..11 once
//   phase 3  waiting, frames 4 on; now and then a rustle of the basket (sound 21)
//   phase 4  turned to the bus, frame 12
constexpr gfx::FrameRect kFigure21[] = {
    Row(0, 56, 80),   Row(57, 56, 80),  Row(114, 64, 80), Row(179, 64, 80), Row(244, 64, 80),
    Row(309, 56, 80), Row(366, 56, 80), Row(423, 56, 80), Row(480, 64, 80), Row(545, 64, 80),
    Row(610, 64, 80), Row(675, 56, 80), Row(732, 56, 80)};

// Figure 23, two boys walking from the left; they may stop after passing the sign and board a bus
// that pulls in while they stand close to it.
//   phase 2  walking, frames 0..3, 15 pixels a run; may stop
//   phase 3  waiting and chatting, frames 4..8 (sound 22)
//   phase 4  stepping to the bus, frame 8 + the last waiting index (the table ends at 10)
//   phase 5  walking on without stopping again
constexpr gfx::FrameRect kFigure23[] = {
    Row(0, 80, 78),   Row(81, 80, 78),  Row(162, 80, 78), Row(243, 96, 78), Row(340, 96, 78), Row(437, 96, 78),
    Row(534, 96, 78), Row(631, 96, 78), Row(728, 96, 78), Row(825, 96, 78), Row(922, 96, 78)};

}  // namespace

void Figure12Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    if (f.phase == 0) {
        f.ready = 0;
        f.boardsBus = 1;
        f.x = gScene.signX - Rand() % 6 - 55;
        f.y = gScene.stageHeight - f.height - 132;
        f.phase = 1;
        return;
    }
    DrawFrame(id, kFigure12, c.frameIndex);
    if (AdvanceFrame(c, Rand() % 8 + 2) && c.frameIndex > Rand() % 4 + 1)
        c.frameIndex = 0;
    ApproachStep(f, +1, +2);
}

void Figure13Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = -72 - Rand() % 27;
        f.ready = 0;
        f.boardsBus = 1;
        f.y = gScene.stageHeight - Rand() % 7 - f.height - 140;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure13, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex > 3) {
            c.frameIndex = 0;
            f.x += 15;
            // With the boys about he stops sooner, to keep out of their way.
            const int distance = gFigures[23].active ? Rand() % 21 + 20 : Rand() % 31 + 80;
            if (f.x > gScene.signX + distance)
                f.phase = 2;
        }
        return;
    case 2:
        DrawFrame(id, kFigure13, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 12 + 4) && c.frameIndex > Rand() % 4) {
            c.frameIndex = 0;
            if (Rand() % 8 == 0)
                f.phase = 3;
        }
        if (gScene.busAtStop)
            f.phase = 4;
        return;
    case 3:
        DrawFrame(id, kFigure13, 8 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 4 + 3) && c.frameIndex > 3) {
            c.frameIndex = 0;
            f.phase = 2;
        }
        if (gScene.busAtStop)
            f.phase += 1;
        return;
    case 4:
        DrawFrame(id, kFigure13, 12);
        ApproachStep(f, -1, +1);
        return;
    default:
        return;
    }
}

void Figure21Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = -80 - Rand() % 8;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 4 - f.height - 148;
        f.boardsBus = 1;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure21, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex > 3) {
            c.frameIndex = 0;
            f.x += 11;
            if (f.x > gScene.signX + 90)
                f.phase = 2;
        }
        return;
    case 2:
        DrawFrame(id, kFigure21, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 4 + 3) && c.frameIndex > 7) {
            c.frameIndex = 0;
            f.phase = 3;
        }
        if (gScene.busAtStop)
            f.phase = 4;
        return;
    case 3:
        DrawFrame(id, kFigure21, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 12 + 4)) {
            if (c.frameIndex <= Rand() % 7 + 1) {
                if (Rand() % 18 == 0)
                    PlayFigureSound(21);
            } else {
                c.frameIndex = 0;
            }
        }
        if (gScene.busAtStop)
            f.phase = 4;
        return;
    case 4:
        DrawFrame(id, kFigure21, 12);
        ApproachStep(f, -1, +1);
        return;
    default:
        return;
    }
}

namespace {

// One walking run of figure 23; true when the boys have left the stage.
bool Figure23Walk(FigureId id, FigureRecord& f, FigureCounters& c, bool mayStop) {
    DrawFrame(id, kFigure23, c.frameIndex);
    AdvanceFrame(c, NoHold);
    if (c.frameIndex <= 3)
        return false;
    c.frameIndex = 0;
    f.x += 15;
    if (f.x > gScene.stageWidth) {
        LeaveStage(id);
        return true;
    }
    // They stop only past the sign, and not while the other riders crowd the stop.
    if (mayStop && f.x > gScene.signX + 110 && !gFigures[8].active && !gFigures[9].active) {
        c.waitCount += 1;
        const int chance = IsDayScene() ? 9 : 4;
        if (c.waitCount > Rand() % 41 && Rand() % chance == 0) {
            c.waitCount = 0;
            f.phase = 3;
        }
    }
    return false;
}

}  // namespace

void Figure23Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = -78 - Rand() % 8;
        f.ready = 0;
        f.boardsBus = 0;
        f.y = gScene.stageHeight - Rand() % 7 - f.height - 140;
        f.phase = 2;
        return;
    case 1:
        f.phase = 2;
        [[fallthrough]];
    case 2:
        Figure23Walk(id, f, c, true);
        return;
    case 3:
        DrawFrame(id, kFigure23, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 7 + 2)) {
            if (c.frameIndex > Rand() % 5) {
                c.frameIndex = 0;
                c.waitCount += 1;
                if (c.waitCount > Rand() % 351 + 150) {
                    c.waitCount = 0;
                    f.phase = Rand() % 2 == 0 ? 5 : 2;
                    return;
                }
            } else if (Rand() % 11 == 0) {
                PlayFigureSound(22);
            }
        }
        if (gScene.busAtStop && gScene.signX < f.x && f.x < gScene.signX + 140) {
            c.waitCount = 0;
            f.boardsBus = 1;
            f.phase = 4;
        }
        return;
    case 4:
        // The last waiting picture goes on, turned to the bus; beyond the table the last frame shows.
        DrawFrame(id, kFigure23, 8 + c.frameIndex);
        ApproachStep(f, -1, +1);
        return;
    case 5:
        Figure23Walk(id, f, c, false);
        return;
    default:
        return;
    }
}
