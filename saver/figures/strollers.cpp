#include "figures/strollers.h"

#include "figures/script_model.h"
#include "settings/settings.h"

namespace {

constexpr gfx::FrameRect Row(int x, int width, int height) {
    return gfx::FrameRect{x, 0, width, height};
}

// Fixed holds: a picture held n ticks advances once tickCount exceeds n - 1.
constexpr int HeldFor(int ticks) {
    return ticks - 1;
}

// ---------------------------------------------------------------------------------------------
// The strollers. They all walk the same way; what differs is kept in one row per figure.
//   phase 0  placed at the right edge
//   phase 1  walking left, frames 0..3; after a long enough walk, one time in p, it lingers where
//            the run began; past the left bound it leaves, or waits off stage and comes back
//   phase 2  lingering, the linger frames; then walks on to the right (the couples first linger
//            once more) or goes on walking left
//   29, 40, 49, 50:
//   phase 3  walking right, the last four frames
//   phase 4  waiting beyond the left edge, nothing drawn, then walking right again from there
//   56, 57 (they never wait off stage):
//   phase 3  lingering again, 7 frames; then walking right or walking left again
//   phase 4  walking right, the last four frames

// Figures 29 (at night) and 40.
constexpr gfx::FrameRect kFamily[] = {
    Row(0, 56, 79),   Row(57, 56, 79),  Row(114, 56, 79), Row(171, 48, 79), Row(220, 40, 79), Row(261, 48, 79),
    Row(310, 40, 79), Row(351, 40, 79), Row(392, 40, 79), Row(433, 40, 79), Row(474, 48, 79), Row(523, 40, 79),
    Row(564, 40, 79), Row(605, 40, 79), Row(646, 32, 79), Row(679, 40, 79), Row(720, 40, 79), Row(761, 48, 79)};

constexpr gfx::FrameRect kFigure49[] = {
    Row(0, 64, 76),   Row(65, 64, 76),  Row(130, 56, 76), Row(187, 56, 76), Row(244, 48, 76),
    Row(293, 48, 76), Row(342, 48, 76), Row(391, 48, 76), Row(440, 48, 76), Row(489, 48, 76),
    Row(538, 40, 76), Row(579, 48, 76), Row(628, 48, 76), Row(677, 56, 76)};

// Frames 85 high on both sheets; the day sheet is taller, and `height` follows the sheet loaded.
constexpr gfx::FrameRect kFigure50[] = {
    Row(0, 72, 85),   Row(73, 72, 85),  Row(146, 72, 85), Row(219, 64, 85), Row(284, 64, 85), Row(349, 64, 85),
    Row(414, 64, 85), Row(479, 64, 85), Row(544, 64, 85), Row(609, 56, 85), Row(666, 56, 85), Row(723, 56, 85),
    Row(780, 56, 85), Row(837, 56, 85), Row(894, 40, 85), Row(935, 48, 85), Row(984, 48, 85), Row(1033, 56, 85)};

// Figures 56 and 57. Entry 14 is on the sheet but no run shows it.
constexpr gfx::FrameRect kCouple[] = {
    Row(0, 104, 82),    Row(105, 104, 82),  Row(210, 104, 82),  Row(315, 96, 82),   Row(412, 96, 82),
    Row(509, 96, 82),   Row(606, 88, 82),   Row(695, 96, 82),   Row(792, 96, 82),   Row(889, 96, 82),
    Row(986, 96, 82),   Row(1083, 96, 82),  Row(1180, 96, 82),  Row(1277, 88, 82),  Row(1366, 88, 82),
    Row(1455, 80, 82),  Row(1536, 80, 82),  Row(1617, 80, 82),  Row(1698, 80, 82),  Row(1779, 80, 82),
    Row(1860, 80, 82),  Row(1941, 80, 82),  Row(2022, 88, 82),  Row(2111, 88, 82),  Row(2200, 88, 82),
    Row(2289, 96, 82)};

enum class StrollerSound {
    None,
    WhileLingering,   // sound 22 now and then at a round of the first linger that does not move on
    OnSecondMoveOn,   // sound 22 now and then when the second linger ends
};

struct Stroller {
    FigureId id;
    FrameTable frames;
    int yRange, yOffset;          // y = stageHeight - rand % yRange - height - yOffset
    int step;                     // pixels per walking run
    int chanceDay, chanceNight;   // a long enough walk ends in a linger one time in this many
    bool alwaysNight;             // figure 29's night script keeps the night values
    int leftBound;                // gone once x < -leftBound
    bool waitsOffStage;           // one time in three waits beyond the left edge and comes back
    int lingerFirst, lingerRun;   // first linger: first entry and frames in a run
    int lingerRestart;            // a new round starts at rand % lingerRestart
    int moveRight, moveLeft;      // steps when the first linger ends: x += moveRight / x -= moveLeft
    int secondFirst;              // first entry of the second linger; 0 = none
    int walkRightFirst;
    StrollerSound sound;
};

// Columns: id, frames, y range and offset, step, linger chance by day / at night, night values
// always, left bound, waits off stage, linger first entry / run / restart, move-on steps right /
// left, second linger's first entry, walk-right first entry, sound.
constexpr Stroller kStrollers[] = {
    {29, kFamily,   7, 158, 16, 3, 3, true,  72,  true,  4, 10, 9, 9,  23, 0,  14, StrollerSound::None},
    {40, kFamily,   6, 175, 16, 5, 3, false, 72,  true,  4, 10, 9, 9,  23, 0,  14, StrollerSound::None},
    {49, kFigure49, 5, 152, 15, 5, 3, false, 64,  true,  4, 6,  5, 10, 21, 0,  10, StrollerSound::None},
    {50, kFigure50, 5, 131, 16, 5, 3, false, 72,  true,  4, 10, 9, 11, 20, 0,  14, StrollerSound::None},
    {56, kCouple,   5, 152, 18, 5, 3, false, 104, false, 4, 10, 9, 8,  20, 15, 22, StrollerSound::WhileLingering},
    {57, kCouple,   5, 152, 18, 6, 4, false, 104, false, 4, 10, 9, 8,  20, 15, 22, StrollerSound::OnSecondMoveOn},
};

// The second linger is always seven pictures; a new round starts on one of its first six.
constexpr int SecondLingerRun = 7;
constexpr int SecondLingerRestart = 6;
constexpr int SecondLingerBack = 24;  // step back to the left when it ends with walking left

constexpr int WalkLeftPhase = 1;
constexpr int LingerPhase = 2;
constexpr int SecondLingerPhase = 3;
constexpr int OffStagePhase = 4;

int WalkRightPhase(const Stroller& s) {
    return s.secondFirst ? 4 : 3;
}

const Stroller& StrollerOf(FigureId id) {
    for (const Stroller& s : kStrollers)
        if (s.id == id)
            return s;
    return kStrollers[0];
}

void PlaceStroller(const Stroller& s, FigureRecord& f) {
    f.x = gScene.stageWidth;
    f.ready = 0;
    f.y = gScene.stageHeight - Rand() % s.yRange - f.height - s.yOffset;
    f.phase = WalkLeftPhase;
}

void StrollerWalksLeft(const Stroller& s, FigureId id, FigureRecord& f, FigureCounters& c, bool day) {
    DrawFrame(id, s.frames, c.frameIndex);
    if (!AdvanceFrame(c, HeldFor(day ? 2 : 4)) || c.frameIndex <= 3)
        return;
    c.frameIndex = 0;
    f.x -= s.step;
    const int lim = day ? Rand() % 51 + 40 : Rand() % 16 + 10;
    if (c.waitCount > lim && f.x < gScene.stageWidth - 100 && Rand() % (day ? s.chanceDay : s.chanceNight) == 0) {
        c.waitCount = 0;
        f.x += s.step;  // it lingers where this run began
        f.phase = LingerPhase;
        return;
    }
    c.waitCount += 1;
    if (f.x >= -s.leftBound)
        return;
    if (s.waitsOffStage && Rand() % 3 == 0) {
        c.waitCount = Rand() % 1101 + 400;
        f.phase = OffStagePhase;
        return;
    }
    LeaveStage(id);
}

// One tick of a linger. True when the figure moves on; its counters are then ready for the next
// phase. `roundSound` plays sound 22 now and then at a round that does not move on.
bool StrollerLingers(FigureId id, FigureCounters& c, const FrameTable& frames, int first, int run, int restart,
                     bool day, bool roundSound) {
    DrawFrame(id, frames, first + c.frameIndex);
    if (!AdvanceFrame(c, day ? Rand() % 3 + 4 : Rand() % 11 + 8) || c.frameIndex < run)
        return false;
    c.frameIndex = Rand() % restart;
    c.waitCount += 1;
    if (c.waitCount > (day ? Rand() % 2 : Rand() % 3)) {
        c.waitCount = 0;
        c.frameIndex = 0;
        return true;
    }
    if (roundSound && Rand() % 31 == 0)
        PlayFigureSound(22);
    return false;
}

void StrollerWalksRight(const Stroller& s, FigureId id, FigureRecord& f, FigureCounters& c, bool day) {
    DrawFrame(id, s.frames, s.walkRightFirst + c.frameIndex);
    if (!AdvanceFrame(c, HeldFor(day ? 3 : 4)) || c.frameIndex <= 3)
        return;
    c.frameIndex = 0;
    f.x += s.step;
    if (f.x > gScene.stageWidth)
        LeaveStage(id);
}

void StrollerScript(FigureId id) {
    const Stroller& s = StrollerOf(id);
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    const bool day = !s.alwaysNight && IsDayScene();
    const int walkRight = WalkRightPhase(s);
    if (f.phase == 0) {
        PlaceStroller(s, f);
    } else if (f.phase == WalkLeftPhase) {
        StrollerWalksLeft(s, id, f, c, day);
    } else if (f.phase == LingerPhase) {
        const bool roundSound = s.sound == StrollerSound::WhileLingering;
        if (!StrollerLingers(id, c, s.frames, s.lingerFirst, s.lingerRun, s.lingerRestart, day, roundSound))
            return;
        if (Rand() % 2 == 0) {
            f.x += s.moveRight;
            f.phase = s.secondFirst ? SecondLingerPhase : walkRight;
        } else {
            f.x -= s.moveLeft;
            f.phase = WalkLeftPhase;
        }
    } else if (f.phase == walkRight) {
        StrollerWalksRight(s, id, f, c, day);
    } else if (f.phase == SecondLingerPhase && s.secondFirst) {
        if (!StrollerLingers(id, c, s.frames, s.secondFirst, SecondLingerRun, SecondLingerRestart, day, false))
            return;
        if (s.sound == StrollerSound::OnSecondMoveOn && Rand() % 31 == 0)
            PlayFigureSound(22);
        if (Rand() % 2 == 0) {
            f.phase = walkRight;
        } else {
            f.x -= SecondLingerBack;
            f.phase = WalkLeftPhase;
        }
    } else if (f.phase == OffStagePhase && s.waitsOffStage) {
        // Nothing to draw; the figure stays on stage, holding its band, until it walks back in.
        c.waitCount -= 1;
        if (c.waitCount < 1)
            f.phase = walkRight;
    }
}

// ---------------------------------------------------------------------------------------------
// Figure 53, the woman in the long coat: walks in from the left, stands about, and walks back
// and forth; at the left edge she turns or leaves.
//   phase 0  placed just off the left edge
//   phase 1  walking right, frames 0..3, 19 pixels a run; stands after a while
//   phase 2  standing, frames 4..7; calls or giggles now and then when the street is busy
//   phase 3  frames 8..18 once, then 14..18 again
//   phase 4  turning, frames 19..20; then right (phase 1) or left (phase 5), from the third picture
//   phase 5  walking left, frames 21..24, 19 pixels a run
constexpr gfx::FrameRect kFigure53[] = {
    Row(0, 40, 82),    Row(41, 48, 82),   Row(90, 48, 82),   Row(139, 56, 82),  Row(196, 56, 82),
    Row(253, 56, 82),  Row(310, 56, 82),  Row(367, 56, 82),  Row(424, 56, 82),  Row(481, 56, 82),
    Row(538, 56, 82),  Row(595, 48, 82),  Row(644, 48, 82),  Row(693, 48, 82),  Row(742, 48, 82),
    Row(791, 48, 82),  Row(840, 48, 82),  Row(889, 48, 82),  Row(938, 48, 82),  Row(987, 56, 82),
    Row(1044, 56, 82), Row(1101, 56, 82), Row(1158, 56, 82), Row(1215, 56, 82), Row(1272, 48, 82)};

constexpr int Figure53Edge = -100;

// A call (18) or a giggle (17), drawn after the chance that a sound comes at all.
void CallOrGiggle() {
    PlayFigureSound(Rand() % 2 == 1 ? 17 : 18);
}

void Figure53Stands(FigureRecord& f, FigureCounters& c) {
    c.frameIndex = Rand() % 4;
    if (c.waitCount <= Rand() % 4 + 1) {
        c.waitCount += 1;
        if (gScene.personCount >= 4 && Rand() % 101 == 0)
            CallOrGiggle();
    } else {
        c.waitCount = 0;
        f.phase = 3;
    }
}

void Figure53WalksLeft(FigureId id, FigureRecord& f, FigureCounters& c) {
    c.frameIndex = 0;
    f.x -= 19;
    if (f.x >= Figure53Edge) {
        if (c.waitCount > Rand() % 36 + 15) {
            c.waitCount = 0;
            f.phase = 2;
        } else {
            c.waitCount += 1;
        }
        return;
    }
    c.waitCount = 0;
    if (Rand() % (IsDayScene() ? 2 : 4) != 0)
        f.phase = 1;  // turns and walks right again
    else
        LeaveStage(id);
}

}  // namespace

void Figure29NightScript(FigureId id) {
    StrollerScript(id);
}
void Figure40Script(FigureId id) {
    StrollerScript(id);
}
void Figure49Script(FigureId id) {
    StrollerScript(id);
}
void Figure50Script(FigureId id) {
    StrollerScript(id);
}
void Figure56Script(FigureId id) {
    StrollerScript(id);
}
void Figure57Script(FigureId id) {
    StrollerScript(id);
}

void Figure53Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.x = Figure53Edge;
        f.y = gScene.stageHeight - f.height - 166;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure53, c.frameIndex);
        if (!AdvanceFrame(c, HeldFor(IsDayScene() ? 2 : 3)) || c.frameIndex <= 3)
            return;
        c.frameIndex = 0;
        f.x += 19;
        if (c.waitCount > Rand() % 26 + 15 && f.x < gScene.stageWidth - 100) {
            c.waitCount = 0;
            f.phase = 2;
            return;
        }
        c.waitCount += 1;
        if (f.x > gScene.stageWidth)
            LeaveStage(id);
        return;
    case 2:
        DrawFrame(id, kFigure53, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 3 + 4) && c.frameIndex > 3)
            Figure53Stands(f, c);
        return;
    case 3:
        DrawFrame(id, kFigure53, 8 + c.frameIndex);
        if (!AdvanceFrame(c, Rand() % 3 + 4) || c.frameIndex <= 10)
            return;
        c.frameIndex = 6;
        if (c.waitCount > Rand() % 4 + 1) {
            c.waitCount = 0;
            c.frameIndex = 0;
            f.phase = 4;
        } else {
            c.waitCount += 1;
        }
        return;
    case 4:
        DrawFrame(id, kFigure53, 19 + c.frameIndex);
        if (!AdvanceFrame(c, HeldFor(2)) || c.frameIndex <= 1)
            return;
        // frameIndex stays at 2: the next walk starts on its third picture
        if (Rand() % 2 == 0) {
            f.x += 11;
            f.phase = 1;
        } else {
            f.x -= 7;
            f.phase = 5;
        }
        return;
    case 5:
        DrawFrame(id, kFigure53, 21 + c.frameIndex);
        if (AdvanceFrame(c, HeldFor(3)) && c.frameIndex > 3)
            Figure53WalksLeft(id, f, c);
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 58, the woman in the red dress by the sign: walks in from the left, stands near the sign
// with a call or a giggle now and then, and leaves before daybreak.
//   phase 0  placed just off the left edge
//   phase 1  walking right, frames 0..3, 33 pixels a run, up to a spot near the sign
//   phase 2  standing, frames 4..21, later rounds from 6..10 on
//   phase 3  walking left, frames 22..25, 33 pixels a run
constexpr gfx::FrameRect kFigure58[] = {
    Row(0, 64, 85),     Row(65, 72, 85),    Row(138, 80, 85),   Row(219, 88, 85),   Row(308, 96, 85),
    Row(405, 104, 85),  Row(510, 96, 85),   Row(615, 96, 85),   Row(712, 96, 85),   Row(809, 96, 85),
    Row(906, 96, 85),   Row(1003, 88, 85),  Row(1092, 88, 85),  Row(1181, 96, 85),  Row(1278, 96, 85),
    Row(1375, 96, 85),  Row(1472, 96, 85),  Row(1569, 96, 85),  Row(1666, 96, 85),  Row(1763, 96, 85),
    Row(1860, 88, 85),  Row(1949, 88, 85),  Row(2038, 112, 85), Row(2151, 112, 85), Row(2264, 96, 85),
    Row(2361, 88, 85)};

bool LastMinuteOfTheNight() {
    return gScene.hour == gSettings.dayFromHour - 1 && gScene.minute > 58;
}

// One picture change while she stands; at the end of a round her time may be up.
void Figure58Stands(FigureRecord& f, FigureCounters& c) {
    if (c.frameIndex > 17) {
        c.frameIndex = Rand() % 7 + 2;
        c.stayTimer -= 1;
        if (c.stayTimer < 1 || LastMinuteOfTheNight()) {
            c.stayTimer = 0;
            c.frameIndex = 0;
            f.y += 5;
            f.phase = 3;
        }
    }
    c.soundCount += 1;
    if (c.soundCount > 45 && Rand() % 7 == 0) {
        c.soundCount = 0;
        CallOrGiggle();
    }
}

}  // namespace

void Figure58Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.ready = 0;
        f.x = -88;
        f.y = gScene.stageHeight - f.height - 198;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure58, c.frameIndex);
        if (!AdvanceFrame(c, Rand() % 2 + 1) || c.frameIndex <= 3)
            return;
        c.frameIndex = 0;
        f.x += 33;
        // She stops near the sign, a little further back on the pavement than she walked.
        if (f.x > Rand() % 26 + 205) {
            f.x -= 33;
            f.y -= 5;
            c.stayTimer = Rand() % 1401 + 500;
            f.phase = 2;
        }
        return;
    case 2:
        DrawFrame(id, kFigure58, 4 + c.frameIndex);
        if (AdvanceFrame(c, Rand() % 14 + 6))
            Figure58Stands(f, c);
        return;
    case 3:
        DrawFrame(id, kFigure58, 22 + c.frameIndex);
        if (!AdvanceFrame(c, Rand() % 2 + 2) || c.frameIndex <= 3)
            return;
        c.frameIndex = 0;
        f.x -= 33;
        if (f.x < -112)
            LeaveStage(id);
        return;
    default:
        return;
    }
}

namespace {

// ---------------------------------------------------------------------------------------------
// Figure 59, two men: walk across from left to right, stay away a while, and come back from the
// right. They change their way of walking at random run ends (walkStyle).
//   phase 0  placed just off the left edge
//   phase 1  walking right in one of three styles, frames 0..3, 4..7 or 8..11, 17 pixels a run;
//            a laugh now and then
//   phase 2  away beyond the right edge, nothing drawn
//   phase 3  walking left in one of two styles, frames 12..15 or 16..19, 17 pixels a run
constexpr gfx::FrameRect kFigure59[] = {
    Row(0, 80, 83),     Row(81, 80, 83),    Row(162, 88, 83),   Row(251, 88, 83),   Row(340, 80, 83),
    Row(421, 80, 83),   Row(502, 88, 83),   Row(591, 88, 83),   Row(680, 72, 83),   Row(753, 72, 83),
    Row(826, 80, 83),   Row(907, 80, 83),   Row(988, 88, 83),   Row(1077, 80, 83),  Row(1158, 80, 83),
    Row(1239, 72, 83),  Row(1312, 88, 83),  Row(1401, 80, 83),  Row(1482, 80, 83),  Row(1563, 72, 83)};

constexpr int Figure59LeftStyles = 2;

// The walk to the left has two styles, but a third style may be left over from the walk to the
// right until the first change. Its pictures would lie beyond the sheet; the men then walk in
// the first left style. That keeps them walking: showing the last picture of the sheet instead
// would slide one still picture across the street.
int Figure59LeftStyle(const FigureCounters& c) {
    return c.walkStyle >= 0 && c.walkStyle < Figure59LeftStyles ? c.walkStyle : 0;
}

}  // namespace

void Figure59Script(FigureId id) {
    FigureRecord& f = gFigures[id];
    FigureCounters& c = gScene.counters[id];
    switch (f.phase) {
    case 0:
        f.x = -88;
        f.ready = 0;
        f.y = gScene.stageHeight - Rand() % 5 - f.height - 134;
        f.phase = 1;
        return;
    case 1:
        DrawFrame(id, kFigure59, 4 * c.walkStyle + c.frameIndex);
        if (!AdvanceFrame(c, Rand() % 3) || c.frameIndex <= 3)
            return;
        c.frameIndex = 0;
        f.x += 17;
        if (c.waitCount > Rand() % 5) {
            c.waitCount = 0;
            c.walkStyle = Rand() % 3;
        } else {
            c.waitCount += 1;
            if (Rand() % 31 == 0)
                PlayFigureSound(22);
        }
        if (f.x > gScene.stageWidth) {
            c.waitCount = Rand() % 4701 + 300;
            f.phase = 2;
        }
        return;
    case 2:
        // Away: nothing is drawn, but they stay on stage and keep their band until they return.
        c.waitCount -= 1;
        if (c.waitCount < 1)
            f.phase = 3;
        return;
    case 3:
        DrawFrame(id, kFigure59, 12 + 4 * Figure59LeftStyle(c) + c.frameIndex);
        if (!AdvanceFrame(c, Rand() % 3) || c.frameIndex <= 3)
            return;
        c.frameIndex = 0;
        if (c.waitCount > Rand() % 4) {
            c.waitCount = 0;
            c.walkStyle = Rand() % 2;
        } else {
            c.waitCount += 1;
            if (Rand() % 51 == 0)
                PlayFigureSound(22);
        }
        f.x -= 17;
        if (f.x < -88)
            LeaveStage(id);
        return;
    default:
        return;
    }
}
