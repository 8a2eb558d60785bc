#include "figures/figures_1_to_9.h"

#include "figures/script_model.h"
#include "scene/director.h"
#include "settings/settings.h"

namespace {

constexpr gfx::FrameRect Row(int x, int width, int height) {
    return gfx::FrameRect{x, 0, width, height};
}

FigureCounters& CountersOf(FigureId id) {
    return gScene.counters[id];
}

bool FigureActive(FigureId id) {
    return gFigures[id].active != 0;
}

// While the bus stands at the stop a waiting rider steps down towards its door, one pixel a tick.
void StepTowardsTheBus(FigureRecord& f, int dx) {
    if (gScene.busAtStop && AboveBoardingLine(f)) {
        f.y += 1;
        f.x += dx;
    }
}

// ---------------------------------------------------------------------------------------------
// Figure 1: walks in from the right and waits for the bus at the shelter.
//   phase 1  walking left, frames 0..3, 16 pixels a run, until just past the sign
//   phase 2  waiting, frames 4..7; more restless while figure 3 strolls about; the bus takes it
constexpr gfx::FrameRect kFigure1[] = {Row(0, 56, 72),   Row(57, 56, 72),  Row(114, 48, 72), Row(163, 40, 72),
                                  Row(204, 56, 72), Row(261, 56, 72), Row(318, 56, 72), Row(375, 56, 72)};

}  // namespace

void Figure1Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth + Rand() % 6;
        f.y = gScene.stageHeight - f.height - 132;
        f.ready = 0;
        f.boardsBus = 1;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure1, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x -= 16;
            if (f.x < gScene.signX + 36) {
                f.x -= 5;
                f.phase = 2;
            }
        }
        return;
    case 2: {
        DrawFrame(id, kFigure1, 4 + c.frameIndex);
        const bool strollerAbout = FigureActive(3);
        if (AdvanceFrame(c, strollerAbout ? Rand() % 4 + 2 : Rand() % 11 + 5)) {
            const int last = strollerAbout ? Rand() % 3 + 1 : 3;
            if (c.frameIndex > last)
                c.frameIndex = 0;
        }
        if (gScene.busAtStop && AboveBoardingLine(f)) {
            c.frameIndex = 3;
            StepTowardsTheBus(f, -1);
        }
        return;
    }
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 2: walks from left to right, stops for a snack with a sound, and walks on.
//   phase 1  walking, frames 0..3 held 2 ticks; 29 pixels a run; 6 to 29 runs between stops
//   phase 2  stopping, frames 4..9
//   phase 3  frames 9..15, repeats from 10
//   phase 4  eating, frames 12..13, crunching (sound 25)
//   phase 5  frames 14..16, repeats from 15; back to phase 2 one time in six
//   phase 6  setting off, frames 15..19, then a step of 56 pixels
constexpr gfx::FrameRect kFigure2[] = {
    Row(0, 88, 74),     Row(89, 96, 74),    Row(186, 104, 74),  Row(291, 112, 74),  Row(404, 120, 74),
    Row(525, 120, 74),  Row(646, 120, 74),  Row(767, 120, 74),  Row(888, 120, 74),  Row(1009, 120, 74),
    Row(1130, 120, 74), Row(1251, 120, 74), Row(1372, 120, 74), Row(1493, 120, 74), Row(1614, 120, 74),
    Row(1735, 120, 74), Row(1856, 120, 74), Row(1977, 120, 74), Row(2106, 128, 74), Row(2243, 136, 74)};

struct Figure2Phase {
    int base;       // first frame of the run
    int runLength;  // frames in one run
};
constexpr Figure2Phase kFigure2Phases[7] = {{0, 0}, {0, 4}, {4, 6}, {9, 7}, {12, 2}, {14, 3}, {15, 5}};

int Figure2Hold(int phase) {
    switch (phase) {
    case 1: return 1;  // fixed: two ticks a picture
    case 2: return Rand() % 6 + 3;
    case 3: return Rand() % 4 + 3;
    case 4: return Rand() % 9 + 4;
    case 5: return Rand() % 3 + 2;
    default: return Rand() % 3 + 4;
    }
}

// The end of a run of figure 2: movement and the next phase.
void Figure2RunEnd(FigureId id, FigureRecord& f, FigureCounters& c) {
    switch (f.phase) {
    case 1:
        c.frameIndex = 0;
        c.repeatCount += 1;
        if (c.repeatCount <= Rand() % 24 + 6) {
            if (f.x <= gScene.stageWidth)
                f.x += 29;
            else
                LeaveStage(id);
        } else {
            c.repeatCount = 0;  // this run takes no step
            f.phase = 2;
        }
        return;
    case 2:
        c.frameIndex = 0;
        f.phase = 3;
        return;
    case 3:
        c.frameIndex = 1;
        c.repeatCount += 1;
        if (c.repeatCount > Rand() % 3 + 1) {
            c.frameIndex = 0;
            c.repeatCount = 0;
            f.phase = 4;
        }
        return;
    case 4:
        c.frameIndex = 0;
        c.repeatCount += 1;
        if (c.repeatCount > Rand() % 5 + 3) {
            c.repeatCount = 0;
            f.phase = 5;
        }
        return;
    case 5:
        c.frameIndex = 1;
        c.repeatCount += 1;
        if (c.repeatCount > Rand() % 3 + 1) {
            c.frameIndex = 0;
            c.repeatCount = 0;
            f.phase = Rand() % 6 == 0 ? 2 : 6;
        }
        return;
    case 6:
        c.frameIndex = 0;
        f.x += 56;
        f.phase = 1;
        return;
    default:
        return;
    }
}

}  // namespace

void Figure2Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    if (f.phase == 0) {
        f.x = -74 - Rand() % 16;
        f.ready = 0;
        f.y = 358 - f.height - Rand() % 6 - 168;
        f.phase = 1;
        return;
    }
    if (f.phase < 1 || f.phase > 6)
        return;
    const Figure2Phase& p = kFigure2Phases[f.phase];
    DrawFrame(id, kFigure2, p.base + c.frameIndex);
    const int phase = f.phase;
    if (!AdvanceFrame(c, Figure2Hold(phase)))
        return;
    if (c.frameIndex >= p.runLength)
        Figure2RunEnd(id, f, c);
    if (phase == 4 && Rand() % 2 == 0)
        PlayFigureSound(25);
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 3: strolls up and down in front of the shelter; by day it boards a bus that halts near it.
//   phase 1  walking right, frames 0..3, 21 pixels a run
//   phase 2  standing about, frames 4..24
//   phase 3  going to the bus (by day, when the bus halts within 200 pixels right of the sign)
//   phase 4  walking left, frames 25..28; at the left edge it leaves or turns back
constexpr gfx::FrameRect kFigure3[] = {
    Row(0, 40, 76),    Row(41, 48, 76),   Row(90, 48, 76),   Row(139, 56, 76),  Row(196, 40, 76),
    Row(237, 40, 76),  Row(286, 40, 76),  Row(335, 40, 76),  Row(376, 40, 76),  Row(417, 40, 76),
    Row(466, 40, 76),  Row(507, 40, 76),  Row(548, 40, 76),  Row(589, 40, 76),  Row(630, 40, 76),
    Row(671, 40, 76),  Row(712, 40, 76),  Row(753, 40, 76),  Row(794, 40, 76),  Row(835, 40, 76),
    Row(876, 40, 76),  Row(917, 40, 76),  Row(958, 40, 76),  Row(999, 40, 76),  Row(1040, 48, 76),
    Row(1089, 56, 76), Row(1146, 48, 76), Row(1195, 48, 76), Row(1244, 40, 76)};

}  // namespace

void Figure3Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    const bool day = IsDayScene();
    switch (f.phase) {
    case 0:
        f.x = -90 - Rand() % 16;
        f.y = gScene.stageHeight - Rand() % 4 - f.height - 148;
        f.boardsBus = 0;
        if (day)
            f.ready = 0;  // at night the director may send it again soon
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure3, c.frameIndex);
        if (AdvanceFrame(c, day ? 1 : 2) && c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x += 21;
            const int limit = Rand() % 31 + 10;
            const int before = c.repeatCount++;
            if (before > limit && f.x < gScene.stageWidth - 100) {
                c.repeatCount = 0;
                f.phase = 2;
            } else if (f.x > gScene.stageWidth) {
                LeaveStage(id);
                return;
            }
        }
        break;
    case 2:
        DrawFrame(id, kFigure3, 4 + c.frameIndex);
        if (AdvanceFrame(c, day ? Rand() % 3 + 4 : Rand() % 9 + 4)) {
            const int limit = day ? Rand() % 21 + 4 : Rand() % 15 + 10;
            if (c.frameIndex > limit) {
                c.frameIndex = 0;
                c.repeatCount = 0;
                f.phase = Rand() % 3 == 0 ? 1 : 4;
            }
        }
        break;
    case 3:
        DrawFrame(id, kFigure3, 4 + c.frameIndex);
        if (AboveBoardingLine(f)) {
            f.y += 1;
            f.x -= 1;
        }
        return;
    case 4:
        DrawFrame(id, kFigure3, 25 + c.frameIndex);
        if (AdvanceFrame(c, day ? 1 : 2) && c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x -= 21;
            if (f.x >= -100) {
                const int limit = day ? Rand() % 86 + 15 : Rand() % 36 + 15;
                if (c.repeatCount++ > limit) {
                    c.repeatCount = 0;
                    f.phase = 2;
                }
            } else {
                c.repeatCount = 0;
                if (Rand() % (day ? 2 : 4) == 0) {
                    LeaveStage(id);
                    return;
                }
                f.phase = 1;  // turns and walks right again
            }
        }
        return;
    default:
        return;
    }
    // Phases 1 and 2, by day: a bus halting near it makes it a rider.
    if (day && gScene.busAtStop && gScene.signX < f.x && f.x < gScene.signX + 200) {
        f.boardsBus = 1;
        c.repeatCount = 0;
        f.phase = 3;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 4: a woman walking a dog from the left; the dog barks while she pauses. Variant 0 is
// her winter coat, variant 1 the other seasons.
//   phase 1  walking right, frames 0..3, 14 pixels a run; 25 to 45 runs between pauses
//   phase 2  pausing, frames 4..8, the dog barking (sound 3)
constexpr gfx::FrameRect kFigure4[] = {Row(0, 128, 84),   Row(129, 128, 84), Row(258, 136, 84),
                                  Row(395, 136, 84), Row(532, 136, 84), Row(669, 128, 84),
                                  Row(798, 128, 84), Row(927, 120, 84), Row(1048, 136, 84)};

}  // namespace

void Figure4Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        c.variant = gScene.season == 1 ? 1 : 0;
        f.x = -84 - Rand() % 16;
        f.y = gScene.stageHeight - Rand() % 5 - f.height - 152;
        f.ready = 0;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure4, c.frameIndex, c.variant);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x += 14;
            const int limit = Rand() % 21 + 25;
            if (c.repeatCount++ > limit) {
                c.repeatCount = 0;
                f.phase = 2;
            }
            if (f.x > gScene.stageWidth)
                LeaveStage(id);
        }
        return;
    case 2:
        DrawFrame(id, kFigure4, 4 + c.frameIndex, c.variant);
        if (AdvanceFrame(c, Rand() % 3)) {
            if (c.frameIndex <= Rand() % 4 + 1) {
                if (Rand() % 4 == 0)
                    PlayFigureSound(3);
            } else {
                c.frameIndex = 0;
                const int limit = Rand() % 3 + 1;
                if (c.repeatCount++ > limit) {
                    c.repeatCount = 0;
                    f.phase = 1;
                }
            }
        }
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 5: walks in from the left, drops a small item at the shelter and waits for the bus.
//   phase 1  walking right, frames 0..3 held 2 ticks, 21 pixels a run, until near the sign
//   phase 2  one tick: the item (frame 9) is left on the pavement for good
//   phase 3  waiting, frames 4..8; the bus takes it
constexpr gfx::FrameRect kFigure5[] = {Row(0, 32, 69),   Row(33, 40, 69),  Row(74, 48, 69),  Row(123, 56, 69),
                                  Row(180, 48, 71), Row(229, 48, 71), Row(278, 48, 71), Row(327, 48, 71),
                                  Row(376, 48, 71), Row(425, 8, 71)};

}  // namespace

void Figure5Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        f.x = -56 - Rand() % 18;
        f.y = gScene.stageHeight - Rand() % 3 - f.height - 132;
        f.ready = 0;
        f.boardsBus = 1;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure5, c.frameIndex);
        if (AdvanceFrame(c, 1) && c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x += 21;
            if (f.x > gScene.signX - 60)
                f.phase = 2;
        }
        return;
    case 2: {
        // Into the stage for this tick and into the backdrop, where it stays after the figure left.
        const FigureRecord& me = gFigures[id];
        BlitMaskedRect(gScene.stageDc, me.image[0], me.mask[0], BlitPoint{f.x + 34, f.y}, kFigure5[9]);
        BlitMaskedRect(gScene.backdropDc, me.image[0], me.mask[0],
                       BlitPoint{gScene.stageLeft + f.x + 34, gScene.stageTop + f.y}, kFigure5[9]);
        gScene.figure5Steps += 1;
        f.phase = 3;
        [[fallthrough]];
    }
    case 3:
        DrawFrame(id, kFigure5, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 6 + 1) && c.frameIndex > 4)
            c.frameIndex = 0;
        if (gScene.busAtStop) {
            c.frameIndex = 2;
            StepTowardsTheBus(f, +2);  // it steps to the right as it walks down
        }
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 6: walks from the left into the telephone booth, phones for a long time, comes out and
// walks back. Variant 1 on backgrounds 1 and 2, variant 0 on 3 and 4.
//   phase 1  walking right, frames 0..3, 12 pixels a run, up to the booth (on background 3 it turns)
//   phase 2  going in, frames 4..7
//   phase 3  phoning, frames 8..11, for 100 to 1000 picture changes
//   phase 4  coming out, frames 12..13, once the pavement in front of the booth is clear
//   phase 5  walking left, frames 13..16
constexpr gfx::FrameRect kFigure6[] = {
    Row(0, 40, 115),   Row(41, 40, 115),   Row(82, 48, 115),   Row(131, 48, 115),  Row(180, 128, 115),
    Row(309, 128, 115), Row(438, 128, 115), Row(567, 128, 115), Row(696, 88, 115),  Row(785, 88, 115),
    Row(874, 88, 115),  Row(963, 88, 115),  Row(1052, 128, 115), Row(1181, 48, 115), Row(1230, 48, 115),
    Row(1279, 48, 115), Row(1328, 48, 115)};

constexpr int kBoothX = 504;

}  // namespace

void Figure6Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        f.x = -84;
        f.y = gScene.stageHeight - f.height - 194;
        f.ready = 0;
        f.phase = 1;
        return;
    case 1:
        c.variant = gSettings.backgroundNo <= 2 ? 1 : 0;
        DrawFrame(id, kFigure6, c.frameIndex, c.variant);
        if (AdvanceFrame(c, Rand() % 2) && c.frameIndex >= 4) {
            c.frameIndex = 0;
            if (f.x < 488) {
                f.x += 12;
            } else if (gSettings.backgroundNo == 3) {
                f.phase = 5;  // no booth on that street: it turns back
            } else {
                c.stayTicks = 0;
                f.x = kBoothX;
                f.y -= 11;
                f.phase = 2;
            }
        }
        return;
    case 2:
        DrawFrame(id, kFigure6, 4 + c.frameIndex, c.variant);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x += 38;
            c.stayTicks = Rand() % 901 + 100;
            PlayFigureSound(4);
            f.phase = 3;
        }
        return;
    case 3:
        DrawFrame(id, kFigure6, 8 + c.frameIndex, c.variant);
        if (AdvanceFrame(c, Rand() % 18 + 3)) {
            c.frameIndex = Rand() % 4;
            if (c.stayTicks > 0)
                c.stayTicks -= 1;
            // It waits inside for as long as somebody walks in front of the booth.
            if ((c.stayTicks < 1 || LastMinuteOfTheDay()) && !ZoneBusy(4) && !ZoneBusy(5)) {
                f.x -= 38;
                c.frameIndex = 0;  // coming out starts with its first picture
                f.phase = 4;
            }
        }
        return;
    case 4:
        DrawFrame(id, kFigure6, 12 + c.frameIndex, c.variant);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 2) {
            f.x += 10;
            f.y += 11;
            c.frameIndex = 0;
            c.stayTicks = 0;
            PlayFigureSound(4);
            f.phase = 5;
        }
        return;
    case 5:
        DrawFrame(id, kFigure6, 13 + c.frameIndex, c.variant);
        if (AdvanceFrame(c, Rand() % 2) && c.frameIndex >= 4) {
            c.frameIndex = 0;
            f.x -= 12;
            if (f.x < -48)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 7: walks from the right across the whole stage, 14 pixels a run. Phase 1 lasts until it
// reaches the middle of the street; in phase 3 it leaves once the whole sheet width is past the
// left edge, so it walks on unseen for a while.
constexpr gfx::FrameRect kFigure7[] = {Row(0, 56, 77), Row(57, 56, 77), Row(114, 56, 77), Row(171, 56, 77)};

}  // namespace

void Figure7Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    if (f.phase == 0) {
        f.x = gScene.stageWidth + Rand() % 21;
        f.y = gScene.stageHeight - f.height - 166;
        f.ready = 0;
        f.phase = 1;
        return;
    }
    DrawFrame(id, kFigure7, c.frameIndex);
    AdvanceFrame(c, NoHold);
    if (c.frameIndex < 4)
        return;
    c.frameIndex = 0;
    f.x -= 14;
    if (f.phase == 1) {
        if (f.x >= 51 && f.x <= 599)
            f.phase = 3;
    } else if (f.x + f.width < 0) {
        LeaveStage(id);
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 8: walks in from the right and waits for the bus.
//   phase 1  walking left, frames 0..3, 13 pixels a run, until 190 pixels right of the sign
//   phase 2  waiting, frames 4..8
//   phase 3  going to the bus, frame 2
constexpr gfx::FrameRect kFigure8[] = {Row(0, 64, 82),   Row(65, 64, 82),  Row(130, 56, 82),
                                  Row(187, 56, 82), Row(244, 88, 82), Row(333, 88, 82),
                                  Row(422, 88, 82), Row(511, 88, 82), Row(600, 88, 82)};

}  // namespace

void Figure8Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth + Rand() % 20 + 1;
        f.y = gScene.stageHeight - Rand() % 5 - f.height - 134;
        f.ready = 0;
        f.boardsBus = 1;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure8, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 4) {
            c.frameIndex = 0;
            if (f.x - 13 < gScene.signX + 190) {
                f.x -= 40;
                f.phase = 2;
            } else {
                f.x -= 13;
            }
        }
        return;
    case 2: {
        DrawFrame(id, kFigure8, 4 + c.frameIndex);
        const bool strollerAbout = FigureActive(3);
        if (AdvanceFrame(c, strollerAbout ? Rand() % 5 + 2 : Rand() % 6 + 4)) {
            const int last = strollerAbout ? Rand() % 3 + 2 : 4;
            if (c.frameIndex > last)
                c.frameIndex = Rand() % 4;
        }
        if (gScene.busAtStop) {
            c.frameIndex = 0;
            f.phase = 3;
        }
        return;
    }
    case 3:
        DrawFrame(id, kFigure8, 2);
        StepTowardsTheBus(f, -1);
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 9: walks in from the right, eats a banana, drops the peel and waits for the bus.
//   phase 1  walking left, frames 0..3, 15 pixels a run, until 220 pixels right of the sign
//   phase 2  eating, frames 8..11 (sound 21)
//   phase 3  throwing the peel, frames 12..14; the peel (frame 15) stays on the pavement
//   phase 4  waiting, frames 13..14
constexpr gfx::FrameRect kFigure9[] = {
    Row(0, 64, 70),   Row(65, 64, 70),  Row(130, 56, 70), Row(187, 56, 70), Row(244, 56, 70), Row(301, 56, 70),
    Row(358, 56, 70), Row(415, 48, 70), Row(464, 56, 70), Row(521, 56, 70), Row(578, 56, 70), Row(635, 56, 70),
    Row(692, 72, 70), Row(765, 72, 70), Row(838, 72, 70), Row(911, 32, 18)};

}  // namespace

void Figure9Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = CountersOf(id);
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth + Rand() % 19;
        f.y = gScene.stageHeight - Rand() % 6 - f.height - 133;
        f.ready = 0;
        f.boardsBus = 1;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure9, c.frameIndex);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex >= 4) {
            c.frameIndex = 0;
            if (f.x < gScene.signX + 220) {
                f.x -= 11;
                f.phase = 2;
            } else {
                f.x -= 15;
            }
        }
        return;
    case 2:
        DrawFrame(id, kFigure9, 8 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 4 + 2)) {
            if (c.frameIndex < 4) {
                PlayFigureSound(21);
            } else {
                c.frameIndex = 0;
                c.tickCount = 0;
                f.phase = 3;
            }
        }
        break;
    case 3:
        DrawFrame(id, kFigure9, 12 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 4 + 2)) {
            if (c.frameIndex == 1) {
                PlayFigureSound(4);
                // The peel goes into the backdrop only: it shows from the next tick on.
                BlitMaskedRect(gScene.backdropDc, f.image[0], f.mask[0],
                               BlitPoint{gScene.stageLeft + f.x - 26, gScene.stageTop + f.y + 57}, kFigure9[15]);
                f.x -= 14;
                gScene.figure9Waiting = 1;
            } else if (c.frameIndex >= 3) {
                c.frameIndex = 0;
                c.tickCount = 0;
                f.phase = 4;
            }
        }
        break;
    case 4:
        DrawFrame(id, kFigure9, 13 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 11 + 5) && c.frameIndex >= 2)
            c.frameIndex = 0;
        break;
    default:
        return;
    }
    StepTowardsTheBus(f, -1);
}
