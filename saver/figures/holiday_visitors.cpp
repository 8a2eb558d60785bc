#include "figures/holiday_visitors.h"

#include "figures/script_model.h"

namespace {

constexpr gfx::FrameRect Row(int x, int width, int height) {
    return gfx::FrameRect{x, 0, width, height};
}

// Each walks in from the left, stops now and then past the sign, and walks out to the right.
void PlaceAtTheLeft(FigureRecord& f, int x) {
    f.x = x;
    f.ready = 0;
    f.y = gScene.stageHeight - Rand() % 7 - f.height - 140;
    f.phase = 1;
}

// Figure 26, the old man with the Christmas tree.
//   phase 1  walking right, frames 0..3, 21 pixels a run; after five runs past the sign he may stop
//   phase 2  the tree set up beside him, frames 4..8, looping from 5, 6 or 7
constexpr gfx::FrameRect kFigure26[] = {Row(0, 144, 132),   Row(145, 160, 132), Row(306, 160, 132),
                                        Row(467, 160, 132), Row(628, 176, 132), Row(805, 176, 132),
                                        Row(982, 176, 132), Row(1159, 176, 132), Row(1336, 176, 132)};

// Figure 37, St Nicholas.
//   phase 1  walking right, frames 0..3, 17 pixels a run
//   phase 2  a stop, frames 4..8, then a step of 25 pixels
constexpr gfx::FrameRect kFigure37[] = {
    Row(0, 64, 83),   Row(65, 64, 83),  Row(130, 64, 83), Row(195, 72, 83), Row(268, 80, 83),
    Row(349, 80, 83), Row(430, 80, 83), Row(511, 88, 83), Row(600, 88, 83), Row(689, 72, 83),
    Row(762, 72, 83), Row(835, 64, 83), Row(900, 64, 83)};

// Figure 38, the rabbit costume.
//   phase 1  walking right, frames 0..3, 31 pixels a run
//   phase 2  crouching, frame 4
//   phase 3  a hop, frames 5..8 or 5..9, landing 42 pixels further on
constexpr gfx::FrameRect kFigure38[] = {Row(0, 64, 103),   Row(65, 64, 103),  Row(130, 72, 103), Row(203, 80, 103),
                                        Row(284, 104, 103), Row(389, 104, 103), Row(494, 104, 103),
                                        Row(599, 104, 103), Row(704, 104, 103), Row(809, 104, 103)};

// The end of a walking run of 37 and 38: a stop past the sign takes no step; otherwise a step, or
// leaving once beyond the right edge.
void WalkOrStop(FigureId id, FigureRecord& f, int stopAfter, int chance, int step) {
    if (f.x > gScene.signX + stopAfter && Rand() % chance == 0) {
        f.phase = 2;
    } else if (f.x <= gScene.stageWidth) {
        f.x += step;
    } else {
        LeaveStage(id);
    }
}

}  // namespace

void Figure26Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        PlaceAtTheLeft(f, -160);
        return;
    case 1:
        DrawFrame(id, kFigure26, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex > 3) {
            c.frameIndex = 0;
            f.x += 21;
            if (f.x > gScene.signX) {
                c.runCount += 1;
                if (c.runCount > 5 && Rand() % 6 == 0) {
                    f.phase = 2;
                    return;
                }
            }
            if (f.x > gScene.stageWidth)
                LeaveStage(id);
        }
        return;
    case 2:
        DrawFrame(id, kFigure26, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 11 + 5) && c.frameIndex == 5) {
            c.frameIndex = Rand() % 3 + 1;
            if (Rand() % 4 == 0) {
                c.runCount = 0;
                f.x += 15;
                f.phase = 1;  // walking resumes where the loop left the picture
            }
        }
        return;
    default:
        return;
    }
}

void Figure37Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        PlaceAtTheLeft(f, -100);
        return;
    case 1:
        DrawFrame(id, kFigure37, c.frameIndex);
        if (AdvanceFrame(c, Rand() % 3 + 1) && c.frameIndex > 3) {
            c.frameIndex = 0;
            WalkOrStop(id, f, 100, 10, 17);
        }
        return;
    case 2:
        DrawFrame(id, kFigure37, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 11 + 5) && c.frameIndex > 4) {
            c.frameIndex = 0;
            f.x += 25;
            f.phase = 1;
        }
        return;
    default:
        return;
    }
}

void Figure38Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        PlaceAtTheLeft(f, -100);
        return;
    case 1:
        DrawFrame(id, kFigure38, c.frameIndex);
        if (AdvanceFrame(c, Rand() % 2 + 1) && c.frameIndex > 3) {
            c.frameIndex = 0;
            WalkOrStop(id, f, 50, 8, 31);
        }
        return;
    case 2:
        DrawFrame(id, kFigure38, 4);
        if (AdvanceFrame(c, Rand() % 4 + 1)) {
            c.frameIndex = 0;
            f.phase = 3;
        }
        return;
    case 3:
        DrawFrame(id, kFigure38, 5 + c.frameIndex);
        if (AdvanceFrame(c, 1) && c.frameIndex > Rand() % 2 + 3) {
            c.frameIndex = 0;
            f.x += 42;
            f.phase = 1;
        }
        return;
    default:
        return;
    }
}
