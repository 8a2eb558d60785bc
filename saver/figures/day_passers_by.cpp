#include "figures/day_passers_by.h"

#include "figures/script_model.h"
#include "scene/director.h"
#include "settings/settings.h"

namespace {

bool FigureActive(FigureId id) {
    return gFigures[id].active != 0;
}

// One tick of a run of pictures: draws entry base + frameIndex and holds it. True when the
// picture advanced past the run's last one; the caller then ends the run.
bool RunEnded(FigureId id, const FrameTable& table, int base, int length, int hold, int variant = 0) {
    FigureCounters& c = gScene.counters[id];
    DrawFrame(id, table, base + c.frameIndex, variant);
    return AdvanceFrame(c, hold) && c.frameIndex >= length;
}

// Holds are written as the number of ticks a picture stays; AdvanceFrame counts the ticks past it.
constexpr int Hold(int ticks) {
    return ticks - 1;
}

// The benches and the booth belong to the old man with his stick and the man with the sack only
// while nobody else uses the telephone boxes.
bool NobodyAtTheBooths() {
    return !FigureActive(6) && !FigureActive(14);
}

// Figure 11, the boy on the skateboard, along the very front of the stage from right to left.
//   phase 1  rolling, frames 0..3 on every tick, 5 pixels a tick (entries 4..7 are never shown)
constexpr gfx::FrameRect kFigure11[] = {
    {0, 0, 64, 70}, {65, 0, 64, 70}, {130, 0, 64, 70}, {195, 0, 64, 70}, {260, 0, 88, 70}, {349, 0, 56, 68},
    {406, 0, 48, 68}, {455, 0, 48, 68}};

// Figure 14, the old woman with the telephone box; sheet 1 on backgrounds 1 and 2, else sheet 0.
//   phase 1  walking right, frames 0..3, 18 pixels a run, up to the box at 483
//   phase 2  at the box, frames 4..7; opens the door, or turns back (always on background 3)
//   phase 3  stepping in, frames 8..10; the picture moves 55 pixels in with the last one
//   phase 4  calling, frames 10..15, then looping 13..15 from a random restart
//   phase 5  stepping out, frames 16..17
//   phase 6  walking left, frames 18..21, 18 pixels a run
constexpr gfx::FrameRect kFigure14[] = {
    {0, 0, 56, 113}, {57, 0, 64, 113}, {122, 0, 64, 113}, {187, 0, 72, 113}, {260, 0, 72, 113},
    {333, 0, 72, 113}, {406, 0, 72, 113}, {479, 0, 80, 113}, {560, 0, 152, 113}, {713, 0, 152, 113},
    {866, 0, 96, 113}, {963, 0, 96, 113}, {1060, 0, 96, 113}, {1157, 0, 96, 113}, {1254, 0, 96, 113},
    {1351, 0, 96, 113}, {1448, 0, 96, 113}, {1545, 0, 96, 113}, {1642, 0, 72, 113}, {1715, 0, 64, 113},
    {1780, 0, 64, 113}, {1845, 0, 56, 113}};

// Figure 15, the old man with the walking stick, from left to right.
//   phase 1  walking, frames 0..3, 20 pixels a run; may sit near the left edge or stop further on
//   phase 2  seated on the bench, frames 4..7 (entries 8..11 are never shown)
//   phase 3  standing still, frames 12..14
//   phase 4  walking as phase 1, without stops
constexpr gfx::FrameRect kFigure15[] = {
    {0, 0, 48, 74}, {49, 0, 56, 74}, {106, 0, 56, 74}, {163, 0, 64, 74}, {228, 0, 64, 74}, {293, 0, 64, 74},
    {358, 0, 64, 74}, {423, 0, 64, 74}, {488, 0, 64, 74}, {553, 0, 64, 74}, {618, 0, 64, 74}, {683, 0, 64, 74},
    {748, 0, 64, 74}, {813, 0, 64, 74}, {878, 0, 64, 74}};

// Figure 20, the hooded coat: stands with its back to the street, then walks off the nearer side.
//   phase 1  standing, frames 8..13; coughs now and then
//   phase 2  walking left, frames 0..3, 19 pixels a run
//   phase 3  walking right, frames 4..7, 19 pixels a run
constexpr gfx::FrameRect kFigure20[] = {
    {0, 0, 56, 76}, {57, 0, 56, 76}, {114, 0, 48, 76}, {163, 0, 48, 76}, {212, 0, 48, 76}, {261, 0, 48, 76},
    {310, 0, 56, 76}, {367, 0, 56, 76}, {424, 0, 48, 75}, {473, 0, 48, 75}, {522, 0, 46, 75}, {571, 0, 48, 75},
    {620, 0, 48, 75}, {669, 0, 48, 75}};

// Figure 24, the dog, from the left.
//   phase 1  running right, frames 0..3, 17 pixels a run
//   phase 2  barking, frames 4..12, looping from a random picture
//   phase 3  running left, frames 13..16, 14 pixels a run
constexpr gfx::FrameRect kFigure24[] = {
    {0, 0, 64, 54}, {65, 0, 64, 54}, {130, 0, 72, 54}, {203, 0, 72, 54}, {276, 0, 80, 54}, {357, 0, 72, 54},
    {430, 0, 72, 54}, {503, 0, 64, 54}, {568, 0, 80, 54}, {649, 0, 72, 54}, {722, 0, 64, 54}, {787, 0, 56, 54},
    {844, 0, 64, 54}, {909, 0, 64, 54}, {974, 0, 64, 54}, {1039, 0, 56, 54}, {1096, 0, 56, 54}};

// The dog's move when it stops to bark: half a stride, to where its last running picture shows it.
constexpr int kDogStopStep = 8;

// Figure 25, the man with the sack, from the left; sits down near the left edge to eat.
//   phase 1  walking right, frames 0..3, 19 pixels a run
//   phase 2  sitting down, frames 4..7
//   phase 3  eating, frames 8..12, looping from 11 or 8; chewing
//   phase 4  frames 13..15
//   phase 5  frames 16..21, then back to eating or up
//   phase 6  standing up, frames 22..28
//   phase 7  walking left, frames 29..32, 19 pixels a run
constexpr gfx::FrameRect kFigure25[] = {
    {0, 0, 80, 82}, {81, 0, 80, 82}, {162, 0, 88, 82}, {251, 0, 96, 82}, {348, 0, 96, 82}, {445, 0, 112, 82},
    {558, 0, 112, 82}, {671, 0, 112, 82}, {784, 0, 112, 82}, {897, 0, 112, 82}, {1010, 0, 112, 82},
    {1123, 0, 112, 82}, {1236, 0, 112, 82}, {1349, 0, 112, 82}, {1462, 0, 112, 82}, {1575, 0, 112, 82},
    {1688, 0, 112, 82}, {1801, 0, 112, 82}, {1914, 0, 112, 82}, {2027, 0, 112, 82}, {2140, 0, 112, 82},
    {2253, 0, 112, 82}, {2366, 0, 112, 82}, {2479, 0, 112, 82}, {2592, 0, 120, 82}, {2713, 0, 104, 82},
    {2818, 0, 104, 82}, {2923, 0, 104, 82}, {3028, 0, 104, 82}, {3133, 0, 104, 82}, {3238, 0, 104, 82},
    {3343, 0, 88, 82}, {3432, 0, 88, 82}};

// Figure 29 by day, the woman with the parcel.
//   phase 1  walking right, frames 0..3, 21 pixels a run
//   phase 2  pausing, frames 4..20, looping from a random picture
//   phase 3  walking left, frames 21..24, 21 pixels a run
constexpr gfx::FrameRect kFigure29[] = {
    {0, 0, 32, 83}, {33, 0, 40, 83}, {74, 0, 48, 83}, {123, 0, 48, 83}, {172, 0, 48, 83}, {221, 0, 56, 83},
    {278, 0, 56, 83}, {335, 0, 56, 83}, {392, 0, 56, 83}, {449, 0, 56, 83}, {506, 0, 56, 83}, {563, 0, 56, 83},
    {620, 0, 56, 83}, {677, 0, 56, 83}, {734, 0, 56, 83}, {791, 0, 56, 83}, {848, 0, 56, 83}, {905, 0, 56, 83},
    {962, 0, 56, 83}, {1019, 0, 56, 83}, {1076, 0, 56, 83}, {1190, 0, 48, 83}, {1239, 0, 48, 83},
    {1288, 0, 48, 83}, {1337, 0, 48, 83}};

// Figure 30, two children with a ball, from the right; five rows of pictures, each 73 high.
//   phase 1  walking left, frames 0..3, 18 pixels a run; the ball bounces on the second picture
//   phase 2  playing, frames 4..33 (entry 34 is never shown)
//   phase 3  walking on, frames 35..38, as phase 1 but without stopping
constexpr gfx::FrameRect kFigure30[] = {
    {0, 0, 112, 73}, {113, 0, 112, 73}, {226, 0, 104, 73}, {331, 0, 104, 73}, {436, 0, 104, 73},
    {541, 0, 104, 73}, {646, 0, 112, 73}, {759, 0, 112, 73}, {0, 74, 112, 73}, {113, 74, 96, 73},
    {210, 74, 96, 73}, {307, 74, 104, 73}, {412, 74, 112, 73}, {525, 74, 112, 73}, {638, 74, 112, 73},
    {751, 74, 112, 73}, {0, 148, 112, 73}, {113, 148, 104, 73}, {218, 148, 104, 73}, {323, 148, 104, 73},
    {428, 148, 112, 73}, {541, 148, 104, 73}, {646, 148, 112, 73}, {0, 222, 104, 73}, {105, 222, 104, 73},
    {210, 222, 104, 73}, {315, 222, 112, 73}, {428, 222, 112, 73}, {541, 222, 104, 73}, {646, 222, 96, 73},
    {743, 222, 104, 73}, {0, 296, 104, 73}, {105, 296, 104, 73}, {210, 296, 96, 73}, {307, 296, 96, 73},
    {404, 296, 112, 73}, {517, 296, 112, 73}, {630, 296, 104, 73}, {735, 296, 104, 73}};

// Figure 34, the man in the green uniform.
//   phase 1  walking right, frames 0..3, 31 pixels a run
//   phase 2  walking left, frames 4..7, 31 pixels a run
//   phase 3  stopping, frames 8..14
//   phase 4  turning to and fro, frames 15..22
constexpr gfx::FrameRect kFigure34[] = {
    {0, 0, 64, 77}, {65, 0, 72, 77}, {138, 0, 80, 77}, {219, 0, 88, 77}, {308, 0, 88, 77}, {397, 0, 88, 77},
    {486, 0, 80, 77}, {567, 0, 64, 77}, {632, 0, 88, 77}, {721, 0, 88, 77}, {810, 0, 72, 77}, {883, 0, 64, 77},
    {948, 0, 80, 77}, {1029, 0, 80, 77}, {1110, 0, 80, 77}, {1191, 0, 88, 77}, {1280, 0, 88, 77},
    {1369, 0, 88, 77}, {1458, 0, 88, 77}, {1547, 0, 88, 77}, {1636, 0, 88, 77}, {1725, 0, 80, 77},
    {1806, 0, 80, 77}};

}  // namespace

void Figure11Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    if (f.phase == 0) {
        f.x = gScene.stageWidth;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 3 - f.height;  // the very front: no offset above the bottom
        f.phase = 1;
        return;
    }
    // The board rolls on every tick, not once a run.
    DrawFrame(id, kFigure11, c.frameIndex);
    AdvanceFrame(c, NoHold);
    if (c.frameIndex > 3)
        c.frameIndex = 0;
    f.x -= 5;
    if (f.x < -88)
        LeaveStage(id);
}

void Figure14Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.x = -72;
        f.y = gScene.stageHeight - f.height - 194;
        f.phase = 1;
        return;
    case 1:
        // The box looks different on the first two streets; the choice made here holds until she leaves.
        c.variant = gSettings.backgroundNo < 3 ? 1 : 0;
        if (RunEnded(id, kFigure14, 0, 4, Rand() % 2, c.variant)) {
            c.frameIndex = 0;
            if (f.x < 460) {
                f.x += 18;
            } else {
                f.x = 483;
                f.phase = 2;
            }
        }
        return;
    case 2:
        if (RunEnded(id, kFigure14, 4, 4, Rand() % 5 + 2, c.variant)) {
            c.frameIndex = 0;
            // The third street has no telephone box.
            if (Rand() % 5 != 0 && gSettings.backgroundNo != 3) {
                PlayFigureSound(4);
                f.y -= 13;
                f.phase = 3;
            } else {
                f.x -= 4;
                f.phase = 6;
            }
        }
        return;
    case 3:
        DrawFrame(id, kFigure14, 8 + c.frameIndex, c.variant);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex == 2) {
            f.x += 55;  // the narrower picture inside the box
        } else if (c.frameIndex > 2) {
            c.frameIndex = 0;
            c.stayTicks = Rand() % 991 + 10;
            f.phase = 4;
        }
        return;
    case 4:
        DrawFrame(id, kFigure14, 10 + c.frameIndex, c.variant);
        if (AdvanceFrame(c, Rand() % 17 + 4)) {
            if (c.frameIndex > 5)
                c.frameIndex = Rand() % 3 + 3;
            if (c.stayTicks > 0)
                c.stayTicks -= 1;
            // She waits inside while anybody walks the pavement in front of the box.
            if ((c.stayTicks < 1 || LastMinuteOfTheDay()) && !ZoneBusy(4) && !ZoneBusy(5)) {
                f.x -= 55;
                c.frameIndex = 0;  // stepping out starts with its first picture
                f.phase = 5;
            }
        }
        return;
    case 5:
        DrawFrame(id, kFigure14, 16 + c.frameIndex, c.variant);
        AdvanceFrame(c, NoHold);
        if (c.frameIndex > 1) {
            f.y += 13;
            c.frameIndex = 0;
            c.stayTicks = 0;
            PlayFigureSound(4);
            f.phase = 6;
        }
        return;
    case 6:
        if (RunEnded(id, kFigure14, 18, 4, Rand() % 2, c.variant)) {
            c.frameIndex = 0;
            f.x -= 18;
            if (f.x < -72)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}

namespace {

// Figure 15 gets up from the bench or sets off again: on in phase 1, or, one time in two, on
// without further stops.
int Figure15WalkOn() {
    return Rand() % 2 == 1 ? 1 : 4;
}

}  // namespace

void Figure15Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    int& restCount = c.repeatCount;
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.y = gScene.stageHeight - 260;
        f.x = -74 - Rand() % 21;
        f.phase = 1;
        return;
    case 1:
    case 4:
        if (!RunEnded(id, kFigure15, 0, 4, Rand() % 2 + 1))
            return;
        c.frameIndex = 0;
        f.x += 20;
        if (f.x > gScene.stageWidth) {
            LeaveStage(id);
        } else if (f.phase == 1) {
            if (46 <= f.x && f.x < 90) {
                if (Rand() % 3 == 0 && NobodyAtTheBooths()) {
                    f.phase = 2;
                    f.y -= 17;
                    restCount = Rand() % 28 + 3;
                }
            } else if (151 <= f.x && f.x < 250) {
                if (Rand() % 4 == 0) {
                    f.phase = 3;
                    restCount = Rand() % 28 + 3;
                }
            }
        }
        return;
    case 2:
        if (RunEnded(id, kFigure15, 4, 4, Rand() % 16 + 35)) {
            c.frameIndex = 0;
            restCount -= 1;
            // The sweeper coming by makes him get up early.
            if (restCount >= 1 && !FigureActive(22))
                return;
            const int next = Figure15WalkOn();
            f.x += 10;
            f.y += 17;
            f.phase = next;
        }
        return;
    case 3:
        if (RunEnded(id, kFigure15, 12, 3, Rand() % 26 + 25)) {
            c.frameIndex = 0;
            restCount -= 1;
            if (restCount >= 1) {
                if (FigureActive(22))
                    f.phase = 4;
            } else {
                f.phase = Figure15WalkOn();
            }
        }
        return;
    default:
        return;
    }
}

void Figure20Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0: {
        // On a narrow stage only the left end leaves room to stand; on a wide one the right end is
        // preferred two times in three. Its readiness is its own: only the scene start brings it.
        const int r = Rand();
        const int m = gScene.stageWidth < 800 ? 1 : 3;
        if (r % m != 0)
            f.x = gScene.stageWidth - Rand() % 36 - 85;
        else
            f.x = Rand() % 16 + 5;
        f.y = gScene.stageHeight - f.height - 198;
        f.phase = 1;
        return;
    }
    case 1:
        if (RunEnded(id, kFigure20, 8, 6, Rand() % 22 + 4)) {
            c.frameIndex = 0;
            if (Rand() % 16 != 0) {
                if (Rand() % 6 == 0)
                    PlayFigureSound(10);
            } else {
                f.phase = f.x < 601 ? 2 : 3;
            }
        }
        return;
    case 2:
        if (RunEnded(id, kFigure20, 0, 4, NoHold)) {
            c.frameIndex = 0;
            f.x -= 19;
            if (f.x + f.width < 0)
                LeaveStage(id);
        }
        return;
    case 3:
        if (RunEnded(id, kFigure20, 4, 4, NoHold)) {
            c.frameIndex = 0;
            f.x += 19;
            if (f.x > gScene.stageWidth + 1)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}

void Figure24Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        // The dog is seen from the very tick it is placed.
        f.ready = 0;
        f.y = gScene.stageHeight - f.height - 186;
        f.x = -54 - Rand() % 71;
        f.phase = 1;
        [[fallthrough]];
    case 1:
        if (RunEnded(id, kFigure24, 0, 4, Hold(2))) {
            c.frameIndex = 0;
            c.runCount += 1;
            if (c.runCount > Rand() % 56 + 15) {
                c.runCount = 0;
                // It stops where its last running picture left it, half a stride on: the
                // barking pictures are too narrow to hold the dog a whole stride further in,
                // and without the half stride it would slide back as it stops.
                f.x += kDogStopStep;
                f.phase = 2;
            } else if (f.x <= gScene.stageWidth) {
                f.x += 17;
            } else {
                LeaveStage(id);
            }
        }
        return;
    case 2:
        DrawFrame(id, kFigure24, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 6 + 4)) {
            if (c.frameIndex < 9) {
                if (Rand() % 4 == 0)
                    PlayFigureSound(3);
            } else {
                c.frameIndex = Rand() % 7;
                c.runCount += 1;
                if (c.runCount > Rand() % 7 + 1) {
                    c.runCount = 0;
                    c.frameIndex = 0;
                    f.phase = Rand() % 3 + 1;  // runs on, barks again, or runs back
                }
            }
        }
        return;
    case 3:
        if (RunEnded(id, kFigure24, 13, 4, Rand() % 2)) {
            c.frameIndex = 0;
            f.x -= 14;
            if (f.x < -54)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}

void Figure25Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    int& restCount = c.repeatCount;
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.y = gScene.stageHeight - 270;
        f.x = -74 - Rand() % 11;
        f.phase = 1;
        return;
    case 1:
        if (RunEnded(id, kFigure25, 0, 4, Rand() % 2 + 1)) {
            c.frameIndex = 0;
            f.x += 19;
            if (f.x > gScene.stageWidth) {
                LeaveStage(id);
            } else if (36 <= f.x && f.x < 65 && Rand() % 2 == 0 && NobodyAtTheBooths()) {
                f.phase = 2;
                f.y -= 20;
                restCount = Rand() % 28 + 3;
            }
        }
        return;
    case 2:
        // Sitting down: the pictures grow lower and wider, so the figure shifts to stay in place.
        DrawFrame(id, kFigure25, 4 + c.frameIndex);
        if (AdvanceFrame(c, Hold(2))) {
            if (c.frameIndex == 1) {
                f.y += 5;
            } else if (c.frameIndex == 2) {
                f.x -= 15;
            } else if (c.frameIndex > 3) {
                c.frameIndex = 0;
                f.phase = 3;
            }
        }
        return;
    case 3:
        DrawFrame(id, kFigure25, 8 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 6 + 4)) {
            if (c.frameIndex > 4) {
                c.frameIndex = 0;
                if (Rand() % 3 == 0) {
                    restCount += 1;
                    if (restCount > Rand() % 3) {
                        restCount = 0;
                        f.phase = 4;
                    }
                } else {
                    c.frameIndex = 3;
                }
            }
            if (Rand() % 2 == 0)
                PlayFigureSound(25);
        }
        return;
    case 4:
        if (RunEnded(id, kFigure25, 13, 3, Rand() % 14 + 6)) {
            c.frameIndex = 0;
            f.phase = 5;
        }
        return;
    case 5:
        if (RunEnded(id, kFigure25, 16, 6, Rand() % 12 + 8)) {
            c.frameIndex = 0;
            restCount += 1;
            if (restCount > Rand() % 2)
                restCount = 0;
            if (Rand() % 3 == 0) {
                f.y += 15;
                f.phase = 6;
            } else {
                f.phase = 3;
            }
        }
        return;
    case 6:
        if (RunEnded(id, kFigure25, 22, 7, NoHold)) {
            c.frameIndex = 0;
            f.phase = 7;
        }
        return;
    case 7:
        if (RunEnded(id, kFigure25, 29, 4, Rand() % 2 + 1)) {
            c.frameIndex = 0;
            f.x -= 19;
            if (f.x < -104)
                LeaveStage(id);
        }
        return;
    default:
        return;
    }
}

void Figure29DayScript(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        // She walks to the right and pauses only well inside the stage, so she starts just beyond
        // the left edge: her widest walking picture is 48 pixels, and the first step brings her in.
        f.x = -48;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 7 - f.height - 158;
        f.phase = 1;
        return;
    case 1:
        if (RunEnded(id, kFigure29, 0, 4, Hold(2))) {
            c.frameIndex = 0;
            f.x += 21;
            const int d = Rand() % 31 + 10;
            if (c.waitCount > d && f.x < gScene.stageWidth - 100) {
                f.x -= 21;  // the run that ends in a pause takes no step
                c.waitCount = 0;
                f.phase = 2;
            } else {
                c.waitCount += 1;
                if (f.x > gScene.stageWidth)
                    LeaveStage(id);
            }
        }
        return;
    case 2:
        DrawFrame(id, kFigure29, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 3 + 4) && c.frameIndex > 16) {
            c.frameIndex = Rand() % 11;
            c.waitCount += 1;
            if (c.waitCount > Rand() % 3 + 1) {
                c.waitCount = 0;
                c.frameIndex = 0;
                if (Rand() % 2 == 1) {
                    f.x += 25;
                    f.phase = 1;
                } else {
                    f.x += 8;
                    f.phase = 3;
                }
            }
        }
        return;
    case 3:
        if (RunEnded(id, kFigure29, 21, 4, Hold(3))) {
            c.frameIndex = 0;
            f.x -= 21;
            if (f.x >= -100) {
                if (c.waitCount > Rand() % 86 + 15) {
                    c.waitCount = 0;
                    f.phase = 2;
                } else {
                    c.waitCount += 1;
                }
            } else {
                // Beyond the left edge she either goes home or thinks better of it and turns round.
                c.waitCount = 0;
                if (Rand() % 2 == 1)
                    f.phase = 1;
                else
                    LeaveStage(id);
            }
        }
        return;
    default:
        return;
    }
}

namespace {

// A walking run of figure 30 from base; the ball bounces on its second picture. True at the run's end,
// after the step, with the children still on stage.
bool Figure30Walk(FigureId id, int base) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    DrawFrame(id, kFigure30, base + c.frameIndex);
    if (!AdvanceFrame(c, Hold(2)))
        return false;
    if (c.frameIndex == 2)
        PlayFigureSound(4);
    if (c.frameIndex <= 3)
        return false;
    c.frameIndex = 0;
    f.x -= 18;
    return true;
}

}  // namespace

void Figure30Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = gScene.stageWidth;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 7 - 231;  // the sheet holds five rows: no height term
        f.phase = 1;
        return;
    case 1:
        if (Figure30Walk(id, 0)) {
            c.runCount += 1;
            if (c.runCount > 15 && Rand() % 7 == 0) {
                c.runCount = 0;
                f.phase = 2;
            }
            if (f.x < -112)
                LeaveStage(id);
        }
        return;
    case 2:
        if (RunEnded(id, kFigure30, 4, 30, Rand() % 2 + 2)) {
            c.frameIndex = 0;
            c.runCount = 0;
            f.phase = 3;
        }
        return;
    case 3:
        if (Figure30Walk(id, 35) && f.x < -112)
            LeaveStage(id);
        return;
    default:
        return;
    }
}

void Figure34Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = -77;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 3 - f.height - 129;
        f.phase = 1;
        return;
    case 1:
        if (RunEnded(id, kFigure34, 0, 4, Hold(2))) {
            c.frameIndex = 0;
            if (IsDayScene() && Rand() % 30 == 0)
                f.phase = 3;
            else if (Rand() % (IsDayScene() ? 9 : 31) != 0)
                f.x += 31;
            else
                f.phase = 4;
            if (f.x > gScene.stageWidth)
                LeaveStage(id);
        }
        return;
    case 2:
        if (RunEnded(id, kFigure34, 4, 4, Hold(2))) {
            c.frameIndex = 0;
            int next = 2;
            if (Rand() % 40 == 0)
                next = 3;
            else if (Rand() % 10 == 0)
                next = 4;
            // A run that ends in a stop takes no step, as on the way right: his standing pictures
            // are painted once for both directions, where the last stride of either run ends, so
            // a step before them would throw him a stride to the left.
            if (next != 2) {
                f.phase = next;
            } else {
                f.x -= 31;
                if (f.x < -f.width)
                    LeaveStage(id);
            }
        }
        return;
    case 3:
        if (RunEnded(id, kFigure34, 8, 7, Rand() % 3 + 3)) {
            c.frameIndex = 0;
            if (Rand() % 3 != 0) {
                f.x += 22;
                f.phase = 1;
            } else if (Rand() % 3 == 0) {
                f.phase = 4;
            } else {
                f.x -= 30;
                f.phase = 2;
            }
        }
        return;
    case 4:
        DrawFrame(id, kFigure34, 15 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 3 + 3) && c.frameIndex > Rand() % 4 + 4) {
            // At the end of each turn he sets off right, or left, or turns once more.
            c.frameIndex = 0;
            if (Rand() % 2 == 1) {
                f.x += 22;
                f.phase = 1;
            } else if (Rand() % 2 == 1) {
                f.x -= 20;
                f.phase = 2;
            }
        }
        return;
    default:
        return;
    }
}
