// The stroller (3), the woman with the dog (4), the riders 5, 9 and 21 and the holiday visitors
// 37 and 38, run tick by tick on records without pictures: how far and how fast they walk, where
// they stop, what they leave behind, how they board and how they leave. Also the sounds the
// figures start, counted through the sound observer.
#include <gtest/gtest.h>

#include "figures/figures_1_to_9.h"
#include "figures/holiday_visitors.h"
#include "figures/scenery_changers.h"
#include "figures/waiting_passengers.h"
#include "gfx/resources.h"
#include "scene/draw_order.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class Riders : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 1;
        sounds.Clear();
        gScene.stageWidth = 1024;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        SeedRandom(2026);
    }
    SoundCounter sounds;
    FigureRecord& Bring(FigureId id, int width, int height) {
        FigureRecord& f = gFigures[id];
        f.active = 1;
        f.ready = 1;
        f.phase = 0;
        f.width = width;
        f.height = height;
        gScene.personCount += 1;
        return f;
    }
    void Tick(FigureId id) { ScriptFor(id)(id); }
    // Ticks until x changes (or the figure leaves); returns the ticks taken.
    int TicksUntilStep(FigureId id, int limit = 200) {
        const int x = gFigures[id].x;
        for (int tick = 1; tick <= limit; ++tick) {
            Tick(id);
            if (gFigures[id].x != x || !gFigures[id].active)
                return tick;
        }
        return -1;
    }
    int BoardingLine(const FigureRecord& f) const { return gScene.stageHeight - f.height - 115; }
    // With the bus standing, a rider walks down to the boarding line by (dx, +1) a tick and stays there.
    void ExpectWalksToTheDoor(FigureId id, int dx) {
        FigureRecord& f = gFigures[id];
        gScene.busAtStop = 1;
        int steps = 0;
        for (int tick = 0; tick < 200; ++tick) {
            const int x = f.x, y = f.y;
            Tick(id);
            if (f.y == y)
                continue;
            ASSERT_EQ(f.y, y + 1) << "figure " << id;
            ASSERT_EQ(f.x, x + dx) << "figure " << id;
            ++steps;
        }
        EXPECT_GT(steps, 0) << "figure " << id << " never moved towards the bus";
        EXPECT_EQ(f.y, BoardingLine(f)) << "figure " << id;
        EXPECT_EQ(f.boardsBus, 1) << "figure " << id;
        EXPECT_EQ(f.active, 1) << "the bus, not the rider, takes it off";
    }
};

// --- Figure 3 -------------------------------------------------------------------------------

TEST_F(Riders, Figure3KeepsItsReadinessOnlyAtNight) {
    FigureRecord& f = Bring(3, 1285, 76);
    Tick(3);
    EXPECT_EQ(f.ready, 0);
    EXPECT_EQ(f.boardsBus, 0);
    EXPECT_LE(f.x, -90);
    EXPECT_GE(f.x, -105);
    EXPECT_LE(f.y, 358 - 76 - 148);
    EXPECT_GE(f.y, 358 - 76 - 148 - 3);
    UnloadFigure(3);
    gScene.timeOfDay = 2;
    FigureRecord& g = Bring(3, 1285, 76);
    Tick(3);
    EXPECT_EQ(g.ready, 1) << "at night the director may send it again soon";
}

TEST_F(Riders, Figure3StrollsTwentyOnePixelsARunAndSlowerAtNight) {
    FigureRecord& f = Bring(3, 1285, 76);
    Tick(3);
    for (int run = 0; run < 5; ++run) {
        const int x = f.x;
        EXPECT_EQ(TicksUntilStep(3), 8) << "by day, run " << run;
        EXPECT_EQ(f.x, x + 21);
    }
    gScene.timeOfDay = 2;
    for (int run = 0; run < 5; ++run) {
        const int x = f.x;
        EXPECT_EQ(TicksUntilStep(3), 12) << "at night, run " << run;
        EXPECT_EQ(f.x, x + 21);
    }
}

TEST_F(Riders, Figure3StopsOnlyLeftOfTheLastHundredPixelsAndLeavesBeyondTheEdge) {
    FigureRecord& f = Bring(3, 1285, 76);
    Tick(3);
    FigureCounters& c = gScene.counters[3];
    c.repeatCount = 100;  // above any limit: the next run end stops it
    f.x = 600;
    TicksUntilStep(3);
    EXPECT_EQ(f.phase, 2) << "a long walk ends in a stop";

    f.phase = 1;
    c.frameIndex = 0;
    c.repeatCount = 100;
    f.x = 1024 - 100 - 21;  // its next step lands on stageWidth - 100
    while (f.active && f.x < 1100) {
        TicksUntilStep(3);
        if (f.active) {
            EXPECT_EQ(f.phase, 1) << "no stop at x " << f.x;
        }
    }
    EXPECT_EQ(f.active, 0);
    EXPECT_GT(f.x, 1024);
    EXPECT_LE(f.x, 1024 + 21);
    EXPECT_EQ(gScene.personCount, 0);
}

TEST_F(Riders, Figure3BoardsABusThatHaltsNearItByDayOnly) {
    FigureRecord& f = Bring(3, 1285, 76);
    Tick(3);
    f.phase = 2;
    f.x = gScene.signX + 120;
    gScene.busAtStop = 1;
    Tick(3);
    EXPECT_EQ(f.phase, 3);
    ExpectWalksToTheDoor(3, -1);

    // Outside the window beside the sign, or at night, it ignores the bus.
    for (int setting = 0; setting < 3; ++setting) {
        SetUp();
        FigureRecord& g = Bring(3, 1285, 76);
        Tick(3);
        g.phase = 2;
        g.x = setting == 0 ? gScene.signX + 200 : setting == 1 ? gScene.signX : gScene.signX + 120;
        gScene.timeOfDay = setting == 2 ? 2 : 1;
        gScene.busAtStop = 1;
        for (int tick = 0; tick < 30; ++tick) {
            Tick(3);
            EXPECT_NE(g.phase, 3) << "setting " << setting;
        }
        EXPECT_EQ(g.boardsBus, 0) << "setting " << setting;
    }
}

TEST_F(Riders, Figure3TurnsBackFromTheLeftEdgeHalfTheTimeByDayAndThreeTimesInFourAtNight) {
    for (int night = 0; night < 2; ++night) {
        int left = 0, turned = 0;
        for (uint32_t seed = 1; seed <= 400; ++seed) {
            SetUp();
            gScene.timeOfDay = night ? 2 : 1;
            FigureRecord& f = Bring(3, 1285, 76);
            Tick(3);
            SeedRandom(seed);
            f.phase = 4;
            f.x = -85;  // the next run end takes it beyond -100
            TicksUntilStep(3);
            ASSERT_EQ(f.x, -106);
            if (!f.active)
                ++left;
            else if (f.phase == 1)
                ++turned;
        }
        ASSERT_EQ(left + turned, 400);
        const double share = turned / 400.0;
        if (night)
            EXPECT_NEAR(share, 0.75, 0.08);
        else
            EXPECT_NEAR(share, 0.5, 0.08);
    }
}

// --- Figure 4 -------------------------------------------------------------------------------

TEST_F(Riders, Figure4WearsTheWinterCoatOnlyInWinterAndWalksFourteenPixelsInFourTicks) {
    for (int season = 1; season <= 2; ++season) {
        SetUp();
        gScene.season = season;
        FigureRecord& f = Bring(4, 1184, 84);
        Tick(4);
        EXPECT_EQ(gScene.counters[4].variant, season == 1 ? 1 : 0);
        EXPECT_LE(f.x, -84);
        EXPECT_GE(f.x, -99);
        EXPECT_EQ(f.ready, 0);
        const int x = f.x;
        EXPECT_EQ(TicksUntilStep(4), 4);
        EXPECT_EQ(f.x, x + 14);
    }
}

TEST_F(Riders, Figure4PausesAfterTwentySevenToFortySevenRunsStandsStillAndWalksOn) {
    int fewest = 1000, most = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(4, 1184, 84);
        Tick(4);
        int runs = 0;
        while (f.phase == 1 && runs < 100) {
            TicksUntilStep(4);
            ++runs;
        }
        ASSERT_EQ(f.phase, 2) << "seed " << seed;
        fewest = std::min(fewest, runs);
        most = std::max(most, runs);
        const int x = f.x;
        int ticks = 0;
        while (f.phase == 2 && ticks < 500) {
            Tick(4);
            ++ticks;
            ASSERT_EQ(f.x, x) << "she stands while the dog barks";
        }
        EXPECT_EQ(f.phase, 1) << "seed " << seed;
    }
    EXPECT_GE(fewest, 27);
    EXPECT_LE(most, 47);
    EXPECT_LT(fewest, most);
}

TEST_F(Riders, Figure4LeavesOnceBeyondTheRightEdge) {
    FigureRecord& f = Bring(4, 1184, 84);
    Tick(4);
    f.x = 1010;
    TicksUntilStep(4);
    EXPECT_EQ(f.x, 1024);
    EXPECT_EQ(f.active, 1) << "at the edge it is still on stage";
    TicksUntilStep(4);
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(gScene.personCount, 0);
}

// --- Figure 5 -------------------------------------------------------------------------------

TEST_F(Riders, Figure5WalksToTheShelterLeavesItsItemOnceAndWaits) {
    FigureRecord& f = Bring(5, 433, 71);
    Tick(5);
    EXPECT_EQ(f.boardsBus, 1);
    EXPECT_LE(f.x, -56);
    EXPECT_GE(f.x, -73);
    while (f.phase == 1) {
        const int x = f.x;
        ASSERT_EQ(TicksUntilStep(5), 8);
        ASSERT_EQ(f.x, x + 21);
        if (f.x <= gScene.signX - 60) {
            EXPECT_EQ(f.phase, 1) << "still short of the sign at " << f.x;
        }
    }
    EXPECT_GT(f.x, gScene.signX - 60);
    EXPECT_LE(f.x, gScene.signX - 60 + 21);
    Tick(5);
    EXPECT_EQ(f.phase, 3);
    EXPECT_EQ(gScene.figure5Steps, 1);
    const int x = f.x, y = f.y;
    for (int tick = 0; tick < 300; ++tick)
        Tick(5);
    EXPECT_EQ(gScene.figure5Steps, 1) << "the item is dropped once";
    EXPECT_EQ(f.x, x);
    EXPECT_EQ(f.y, y);
    ExpectWalksToTheDoor(5, +2);
}

// --- Figure 9 -------------------------------------------------------------------------------

TEST_F(Riders, Figure9WalksInFromTheRightEatsDropsThePeelAndWaits) {
    FigureRecord& f = Bring(9, 944, 70);
    Tick(9);
    EXPECT_GE(f.x, 1024);
    EXPECT_LE(f.x, 1024 + 18);
    EXPECT_EQ(f.boardsBus, 1);
    while (f.phase == 1) {
        const int x = f.x;
        ASSERT_EQ(TicksUntilStep(9), 4);
        ASSERT_EQ(f.x, x - (x < gScene.signX + 220 ? 11 : 15));
    }
    EXPECT_LT(f.x + 11, gScene.signX + 220);
    EXPECT_EQ(gScene.figure9Waiting, 0);
    int dropX = 0, steps = 0;
    for (int tick = 0; tick < 400; ++tick) {
        const int x = f.x;
        const int waitingBefore = gScene.figure9Waiting;
        Tick(9);
        if (f.x != x) {
            ++steps;
            EXPECT_EQ(f.x, x - 14);
            EXPECT_EQ(waitingBefore, 0);
            EXPECT_EQ(gScene.figure9Waiting, 1) << "the peel sends for the sweeper";
            dropX = f.x;
        }
    }
    EXPECT_EQ(steps, 1) << "one peel";
    EXPECT_EQ(f.phase, 4);
    EXPECT_EQ(f.x, dropX);
    ExpectWalksToTheDoor(9, -1);
}

// --- Figure 21 ------------------------------------------------------------------------------

TEST_F(Riders, Figure21WaitsRightOfTheSignAndWalksToTheBus) {
    FigureRecord& f = Bring(21, 788, 80);
    Tick(21);
    EXPECT_EQ(f.boardsBus, 1);
    EXPECT_LE(f.x, -80);
    EXPECT_GE(f.x, -87);
    while (f.phase == 1) {
        const int x = f.x;
        ASSERT_EQ(TicksUntilStep(21), 4);
        ASSERT_EQ(f.x, x + 11);
    }
    EXPECT_GT(f.x, gScene.signX + 90);
    EXPECT_LE(f.x, gScene.signX + 90 + 11);
    const int x = f.x;
    for (int tick = 0; tick < 500; ++tick)
        Tick(21);
    EXPECT_EQ(f.phase, 3);
    EXPECT_EQ(f.x, x) << "it waits where it stopped";
    Tick(21);
    gScene.busAtStop = 1;
    Tick(21);
    EXPECT_EQ(f.phase, 4);
    gScene.busAtStop = 0;
    const int y = f.y;
    for (int tick = 0; tick < 10; ++tick)
        Tick(21);
    EXPECT_EQ(f.y, y) << "no bus, no step";
    ExpectWalksToTheDoor(21, -1);
}

// --- Figures 37 and 38 ----------------------------------------------------------------------

struct VisitorWalk {
    int step;       // pixels of a walking run
    int stopsFrom;  // stops only once x exceeds signX + this
    int stopStep;   // pixels added when a stop ends
};

void ExpectVisitorWalk(Riders* t, FigureId id, int width, int height, const VisitorWalk& walk,
                       void (*tick)(FigureId)) {
    int stops = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        ResetSceneState();
        gScene.stageWidth = 1024;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = 1;
        SeedRandom(seed);
        FigureRecord& f = gFigures[id];
        f = FigureRecord{};
        f.active = 1;
        f.width = width;
        f.height = height;
        gScene.personCount = 1;
        tick(id);
        EXPECT_EQ(f.x, -100);
        EXPECT_EQ(f.ready, 0);
        EXPECT_LE(f.y, 358 - height - 140);
        EXPECT_GE(f.y, 358 - height - 146);
        int ticks = 0;
        while (f.active && ticks++ < 20000) {
            const int x = f.x, phase = f.phase;
            tick(id);
            EXPECT_EQ(f.boardsBus, 0);
            if (!f.active)
                break;
            if (phase == 1 && f.phase != 1) {
                // A stop begins: only past the sign's distance, and without a step in that run.
                EXPECT_GT(x, gScene.signX + walk.stopsFrom) << "figure " << id;
                EXPECT_EQ(f.x, x) << "figure " << id;
                ++stops;
            } else if (f.x != x) {
                EXPECT_EQ(f.x - x, phase == 1 ? walk.step : walk.stopStep)
                    << "figure " << id << " in phase " << phase;
            }
        }
        EXPECT_EQ(f.active, 0) << "figure " << id << " leaves on the right";
        EXPECT_GT(f.x, 1024);
        EXPECT_LE(f.x, 1024 + walk.step + walk.stopStep);
        EXPECT_EQ(gScene.personCount, 0);
    }
    EXPECT_GT(stops, 30) << "figure " << id << " should stop now and then";
    (void)t;
}

TEST_F(Riders, SaintNicholasWalksSeventeenPixelsARunAndStopsOnlyWellPastTheSign) {
    ExpectVisitorWalk(this, 37, 968, 83, VisitorWalk{17, 100, 25}, Figure37Script);
}

TEST_F(Riders, EasterRabbitHopsThirtyOnePixelsARunAndJumpsFortyTwo) {
    ExpectVisitorWalk(this, 38, 920, 103, VisitorWalk{31, 50, 42}, Figure38Script);
}

// --- Sounds of the figures ------------------------------------------------------------------

TEST_F(Riders, Figure4sDogBarksOnlyWhileSheStandsAndAboutOnceInFourPictureChanges) {
    FigureRecord& f = Bring(4, 1184, 84);
    Tick(4);
    for (int run = 0; run < 20; ++run)
        TicksUntilStep(4);
    EXPECT_TRUE(sounds.None()) << "no bark while walking";
    int advances = 0, barks = 0;
    for (int pause = 0; pause < 400; ++pause) {
        f.phase = 2;
        gScene.counters[4].repeatCount = 0;
        while (f.phase == 2) {
            const int frame = gScene.counters[4].frameIndex;
            const int before = sounds.Of(3);
            Tick(4);
            if (gScene.counters[4].frameIndex != frame && gScene.counters[4].frameIndex != 0)
                ++advances;
            barks += sounds.Of(3) - before;
            EXPECT_LE(sounds.Of(3) - before, 1);
        }
    }
    ASSERT_GT(advances, 1500);
    EXPECT_NEAR(static_cast<double>(barks) / advances, 0.25, 0.035) << barks << " barks in " << advances;
    EXPECT_EQ(sounds.Kinds(), 1u) << "sound 3 only";
}

TEST_F(Riders, Figure9ChewsWithSound21AndDropsThePeelWithSound4) {
    int chews = 0, drops = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(9, 944, 70);
        Tick(9);
        while (f.phase == 1)
            Tick(9);
        EXPECT_TRUE(sounds.None());
        for (int tick = 0; tick < 400; ++tick)
            Tick(9);
        EXPECT_EQ(sounds.Of(21), 3) << "three chews: every advance of phase 2 but its last";
        EXPECT_EQ(sounds.Of(4), 1) << "one drop";
        chews += sounds.Of(21);
        drops += sounds.Of(4);
        EXPECT_EQ(sounds.Kinds(), 2u);
    }
    EXPECT_EQ(chews, 60);
    EXPECT_EQ(drops, 20);
}

TEST_F(Riders, Figure21HumsRarelyAndOnlyWhileItWaits) {
    FigureRecord& f = Bring(21, 788, 80);
    Tick(21);
    while (f.phase < 3)
        Tick(21);
    EXPECT_TRUE(sounds.None()) << "no sound while walking or settling";
    int advances = 0;
    for (int tick = 0; tick < 60000; ++tick) {
        const int frame = gScene.counters[21].frameIndex;
        Tick(21);
        const int now = gScene.counters[21].frameIndex;
        if (now != frame && now != 0)
            ++advances;
    }
    ASSERT_GT(advances, 2000);
    EXPECT_NEAR(static_cast<double>(sounds.Of(21)) / advances, 1.0 / 18, 0.02);
    EXPECT_EQ(sounds.Kinds(), 1u);
}

TEST_F(Riders, Figure2CrunchesAboutEveryOtherPictureOfItsSnackAndNotWhileWalking) {
    FigureRecord& f = Bring(2, 2392, 74);
    Tick(2);
    int eatingAdvances = 0, crunches = 0;
    for (int tick = 0; tick < 40000; ++tick) {
        const int phase = f.phase, frame = gScene.counters[2].frameIndex;
        const int before = sounds.Of(25);
        Tick(2);
        if (!f.active) {
            f.active = 1;
            f.x = 0;
            f.phase = 1;
        }
        const int started = sounds.Of(25) - before;
        if (phase != 4) {
            ASSERT_EQ(started, 0) << "phase " << phase;
        } else if (gScene.counters[2].frameIndex != frame || f.phase != phase) {
            ++eatingAdvances;
            crunches += started;
        }
    }
    ASSERT_GT(eatingAdvances, 300);
    EXPECT_NEAR(static_cast<double>(crunches) / eatingAdvances, 0.5, 0.08);
    EXPECT_EQ(sounds.Kinds(), 1u);
}

TEST_F(Riders, Figure6ShutsTheBoothDoorOnceGoingInAndOnceComingOut) {
    gSettings.backgroundNo = 1;
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        SetUp();
        gSettings.backgroundNo = 1;
        SeedRandom(seed);
        FigureRecord& f = Bring(6, 1376, 115);
        bool wentIn = false;
        for (int tick = 0; tick < 60000 && f.active; ++tick) {
            Tick(6);
            if (f.phase == 3 && !wentIn) {
                wentIn = true;
                EXPECT_EQ(sounds.Of(4), 1) << "the door as she goes in";
            }
        }
        ASSERT_EQ(f.active, 0) << "seed " << seed;
        EXPECT_TRUE(wentIn);
        EXPECT_EQ(sounds.Of(4), 2) << "seed " << seed;
        EXPECT_EQ(sounds.Kinds(), 1u);
    }
}

TEST_F(Riders, Figure16SoundsOnceForEveryScrapSheDropsAndNeverOtherwise) {
    int drops = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(16, 728, 90);
        Tick(16);
        while (f.active)
            Tick(16);
        EXPECT_EQ(sounds.Of(19), gScene.figure16Waiting) << "seed " << seed;
        EXPECT_LE(sounds.Kinds(), 1u);
        drops += gScene.figure16Waiting;
    }
    EXPECT_GT(drops, 5);
    EXPECT_LT(drops, 60);
}

TEST_F(Riders, SweeperScrapesTwoRunsInThree) {
    FigureRecord& f = Bring(22, 1160, 86);
    gScene.figure22Band = 1;
    Tick(22);
    int runs = 0, scrapes = 0;
    for (int tick = 0; tick < 30000; ++tick) {
        const int x = f.x, phase = f.phase, before = sounds.Of(11);
        Tick(22);
        if (!f.active) {
            f.active = 1;
            f.phase = 1;
            f.x = 0;
            continue;
        }
        const int started = sounds.Of(11) - before;
        if (phase == 1 && f.x != x) {
            ++runs;
            scrapes += started;
        } else {
            ASSERT_EQ(started, 0) << "only a walking run's end scrapes, phase " << phase;
        }
    }
    ASSERT_GT(runs, 1000);
    EXPECT_NEAR(static_cast<double>(scrapes) / runs, 2.0 / 3, 0.04) << scrapes << " in " << runs;
    EXPECT_EQ(sounds.Kinds(), 1u);
}

TEST_F(Riders, NoFigureSoundWithSoundOff) {
    gSettings.soundOn = 0;
    FigureRecord& f = Bring(9, 944, 70);
    Tick(9);
    for (int tick = 0; tick < 2000; ++tick)
        Tick(9);
    EXPECT_EQ(f.phase, 4);
    EXPECT_TRUE(sounds.None());
}

}  // namespace
