// The figure scripts run tick by tick on records without pictures (a blit of a missing picture
// draws nothing): movement, holds, phases, leaving, the bus and its riders, the vehicles.
#include <gtest/gtest.h>

#include "figures/bus.h"
#include "figures/figures_1_to_9.h"
#include "figures/vehicles.h"
#include "scene/draw_order.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class Scripts : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gScene.stageWidth = 1024;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        SeedRandom(2026);
    }
    // A figure on stage as LoadFigure leaves it, with the size of its sheet.
    FigureRecord& Bring(FigureId id, int width, int height) {
        FigureRecord& f = gFigures[id];
        f.active = 1;
        f.phase = id >= 80 ? 1 : 0;
        f.width = width;
        f.height = height;
        if (id < FirstPersonlessId)
            gScene.personCount += 1;
        return f;
    }
    void Tick(FigureId id) { ScriptFor(id)(id); }
};

TEST_F(Scripts, Figure2WalksTwentyNinePixelsEveryEightTicks) {
    FigureRecord& f = Bring(2, 2392, 74);
    Tick(2);
    EXPECT_EQ(f.phase, 1);
    EXPECT_EQ(f.ready, 0);
    EXPECT_LE(f.x, -74);
    EXPECT_GE(f.x, -89);
    EXPECT_LE(f.y, 358 - 74 - 168);
    EXPECT_GE(f.y, 358 - 74 - 168 - 5);
    // The first appearance walks at least six runs before it may stop.
    int x = f.x;
    for (int tick = 1; tick <= 48; ++tick) {
        Tick(2);
        if (tick % 8 == 0) {
            EXPECT_EQ(f.x, x + 29) << "tick " << tick;
            x = f.x;
        } else {
            EXPECT_EQ(f.x, x) << "tick " << tick;
        }
    }
}

TEST_F(Scripts, Figure2AtTheStageEdgeStillStepsAndLeavesAtTheNextRunEnd) {
    FigureRecord& f = Bring(2, 2392, 74);
    f.phase = 1;
    f.x = 1024;
    FigureCounters& c = gScene.counters[2];
    c.frameIndex = 3;
    c.tickCount = 1;
    Tick(2);
    EXPECT_EQ(f.x, 1024 + 29);
    EXPECT_EQ(f.active, 1);
    for (int tick = 0; tick < 8 && f.active; ++tick)
        Tick(2);
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(gScene.personCount, 0);
    EXPECT_EQ(c.repeatCount, 2) << "the counters outlive the appearance";
}

TEST_F(Scripts, Figure2SetsOffWithAFiftySixPixelStep) {
    FigureRecord& f = Bring(2, 2392, 74);
    f.phase = 6;
    f.x = 300;
    FigureCounters& c = gScene.counters[2];
    c.frameIndex = 4;
    c.tickCount = 100;  // beyond any hold
    Tick(2);
    EXPECT_EQ(f.x, 356);
    EXPECT_EQ(f.phase, 1);
    EXPECT_EQ(c.frameIndex, 0);
}

TEST_F(Scripts, RandomHoldShowsAPictureFourToNineTicks) {
    FigureRecord& f = Bring(2, 2392, 74);
    FigureCounters& c = gScene.counters[2];
    int shortest = 100, longest = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        SeedRandom(seed);
        f.phase = 2;
        c.frameIndex = 0;
        c.tickCount = 0;
        int ticks = 0;
        while (c.frameIndex == 0 && f.phase == 2) {
            Tick(2);
            ++ticks;
        }
        shortest = std::min(shortest, ticks);
        longest = std::max(longest, ticks);
    }
    EXPECT_GE(shortest, 4);
    EXPECT_LE(longest, 9);
    EXPECT_LT(shortest, longest) << "the hold is drawn anew on every tick";
}

TEST_F(Scripts, Figure1StopsTwentyOnePixelsLeftOfItsLastStep) {
    FigureRecord& f = Bring(1, 432, 72);
    Tick(1);
    EXPECT_EQ(f.boardsBus, 1);
    f.x = 205 + 36 + 10;  // the next run takes it below signX + 36
    gScene.counters[1].frameIndex = 0;
    for (int tick = 0; tick < 4; ++tick)
        Tick(1);
    EXPECT_EQ(f.x, 205 + 36 + 10 - 21);
    EXPECT_EQ(f.phase, 2);
}

TEST_F(Scripts, Figure7IsUnloadedOnlyWhenItsWholeSheetIsPastTheLeftEdge) {
    FigureRecord& f = Bring(7, 656, 77);
    Tick(7);
    int runs = 0;
    while (f.active && runs < 1000) {
        for (int tick = 0; tick < 4; ++tick)
            Tick(7);
        ++runs;
        if (f.active) {
            EXPECT_GE(f.x + 656, 0);
        }
    }
    EXPECT_EQ(f.active, 0);
    EXPECT_LT(f.x, -656);
    EXPECT_GE(f.x, -656 - 14);
}

TEST_F(Scripts, Figure6WaitsInTheBoothWhilePeopleWalkInFront) {
    FigureRecord& f = Bring(6, 1376, 115);
    f.phase = 3;
    f.x = 542;
    FigureCounters& c = gScene.counters[6];
    c.stayTicks = 1;
    gFigures[15].active = 1;  // zone 5 is busy
    for (int tick = 0; tick < 200; ++tick)
        Tick(6);
    EXPECT_EQ(f.phase, 3);
    gFigures[15].active = 0;
    for (int tick = 0; tick < 200 && f.phase == 3; ++tick)
        Tick(6);
    EXPECT_EQ(f.phase, 4);
    EXPECT_EQ(f.x, 504);
}

TEST_F(Scripts, Figure12WaitsInPlaceAndStepsRightAndDownToTheStandingBus) {
    FigureRecord& f = Bring(12, 312, 62);
    Tick(12);
    EXPECT_EQ(f.boardsBus, 1);
    const int x = f.x, y = f.y;
    EXPECT_EQ(y, 358 - 62 - 132);
    for (int tick = 0; tick < 100; ++tick)
        Tick(12);
    EXPECT_EQ(f.x, x);
    EXPECT_EQ(f.y, y);
    gScene.busAtStop = 1;
    for (int tick = 0; tick < 30; ++tick)
        Tick(12);
    EXPECT_EQ(f.x, x + 9) << "nine steps";
    EXPECT_EQ(f.y, y + 18);
    EXPECT_EQ(f.y, 358 - 62 - 115 + 1) << "one pixel below the boarding line";
}

TEST_F(Scripts, Figure13StopsSoonerWhileTheBoysAreAbout) {
    for (bool boys : {false, true}) {
        SetUp();
        FigureRecord& f = Bring(13, 656, 78);
        gFigures[23].active = boys;
        Tick(13);
        while (f.phase == 1)
            Tick(13);
        const int stop = f.x - 205;
        if (boys) {
            EXPECT_GT(stop, 20);
            EXPECT_LE(stop, 40 + 15);
        } else {
            EXPECT_GT(stop, 80);
            EXPECT_LE(stop, 110 + 15);
        }
        gFigures[23].active = 0;
    }
}

TEST_F(Scripts, Figure23NeverStopsWhileOtherRidersWaitAndNeverLeftOfTheSign) {
    FigureRecord& f = Bring(23, 1024, 78);
    gFigures[8].active = 1;
    Tick(23);
    while (f.active && f.phase == 2)
        Tick(23);
    EXPECT_EQ(f.active, 0) << "walked through and left";
    int stops = 0;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& g = Bring(23, 1024, 78);
        Tick(23);
        while (g.active && g.phase == 2)
            Tick(23);
        if (!g.active)
            continue;  // walked through without a stop this time
        ++stops;
        EXPECT_EQ(g.phase, 3);
        EXPECT_GT(g.x, 205 + 110);
        EXPECT_EQ(gScene.counters[23].waitCount, 0) << "the stop starts a fresh wait";
        EXPECT_EQ(gScene.counters[23].frameIndex, 0);
    }
    EXPECT_GT(stops, 3) << "they do stop when no other rider waits";
}

TEST_F(Scripts, Figure23BoardsOnlyWhenWaitingCloseToTheSign) {
    for (int x : {205 + 100, 205 + 140, 205 + 300}) {
        SetUp();
        FigureRecord& f = Bring(23, 1024, 78);
        f.phase = 3;
        f.x = x;
        gScene.busAtStop = 1;
        Tick(23);
        const bool close = 205 < x && x < 205 + 140;
        EXPECT_EQ(f.boardsBus, close ? 1 : 0) << x;
        EXPECT_EQ(f.phase == 4, close) << x;
    }
}

TEST_F(Scripts, Figure16DropsHerShoppingOnlyByDayOnTheStretchBeforeTheShelter) {
    int drops = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(16, 728, 90);
        Tick(16);
        EXPECT_EQ(gScene.figure16Waiting, 0);
        int xBeforeDrop = 0;
        while (f.active && f.phase == 1) {
            xBeforeDrop = f.x;
            Tick(16);
        }
        if (!f.active)
            continue;  // walked through without a tear this time
        ASSERT_EQ(f.phase, 2);
        const int xAtRunEnd = xBeforeDrop - 14;
        EXPECT_GE(xAtRunEnd, 51);
        EXPECT_LT(xAtRunEnd, 300);
        while (f.phase == 2)
            Tick(16);
        EXPECT_EQ(f.x, xAtRunEnd - 14) << "-25 on entering the drop, +11 on its second picture";
        EXPECT_EQ(gScene.figure16Waiting, 1);
        ++drops;
    }
    EXPECT_GT(drops, 0);
    // With an earlier scrap still counted, or at night, she never drops another.
    for (int night = 0; night <= 1; ++night) {
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SetUp();
            SeedRandom(seed);
            gScene.timeOfDay = night ? 2 : 1;
            FigureRecord& f = Bring(16, 728, 90);
            Tick(16);
            gScene.figure16Waiting = night ? 0 : 1;
            while (f.active)
                Tick(16);
            EXPECT_EQ(gScene.figure16Waiting, night ? 0 : 1);
        }
    }
}

TEST_F(Scripts, SweeperWalksTheBandTheDirectorChoseAndTakesItsDrawOrderSlot) {
    FigureRecord& f = Bring(22, 1160, 86);
    gScene.figure9Waiting = 1;
    gScene.figure22Band = 2;
    Tick(22);
    EXPECT_EQ(gScene.drawOrder[31], 22);
    EXPECT_EQ(gScene.drawOrder[57], 0);
    EXPECT_EQ(gScene.figure9Waiting, 1) << "the back band does not reach the peel";
    EXPECT_GE(358 - 68 - f.y, 150);
    UnloadFigure(22);
    gScene.figure22Band = 1;
    Bring(22, 1160, 86);
    Tick(22);
    EXPECT_EQ(gScene.drawOrder[31], 0);
    EXPECT_EQ(gScene.drawOrder[57], 22);
    EXPECT_EQ(gScene.figure9Waiting, 0);
    EXPECT_LE(358 - 68 - f.y, 138);
    EXPECT_EQ(gScene.counters[22].sweepRow, 186 - (358 - 68 - f.y));
}

TEST_F(Scripts, TheSweeperClearsFigure16sScrapOnlyWhenItsBroomPassesOverIt) {
    for (int band = 1; band <= 2; ++band) {
        for (int over = 0; over <= 1; ++over) {
            SetUp();
            gScene.figure22Band = band;
            FigureRecord& f = Bring(22, 1160, 86);
            Tick(22);
            // The scrap lies on the broom's rows, or far above them.
            gScene.figure16Waiting = 1;
            gScene.figure16LitterX = 400;
            gScene.figure16LitterY = over ? f.y + 52 + 5 : f.y - 60;
            int clearedAt = -1;
            for (int tick = 0; f.active && tick < 5000; ++tick) {
                Tick(22);
                if (clearedAt < 0 && !gScene.figure16Waiting)
                    clearedAt = f.x;
            }
            EXPECT_EQ(f.active, 0) << "it walked across";
            if (over) {
                EXPECT_GT(clearedAt, 400 - 40 - 30 - 30) << "not before the broom reached the scrap";
                EXPECT_LT(clearedAt, 400 + 48 + 29 + 20) << "band " << band;
            } else {
                EXPECT_EQ(gScene.figure16Waiting, 1) << "band " << band;
            }
        }
    }
}

TEST_F(Scripts, BillPosterPastesAMotiveThatDiffersFromTheOneShown) {
    gScene.motiveLeft = 300;
    gScene.motiveTop = 302;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SetUp();
        gScene.motiveLeft = 300;
        SeedRandom(seed);
        gScene.motiveNo = static_cast<int>(seed % 8) + 1;
        const int before = gScene.motiveNo;
        FigureRecord& f = Bring(27, 2680, 138);
        Tick(27);
        int ticks = 0;
        while (f.phase < 5 && ticks++ < 2000)
            Tick(27);
        EXPECT_EQ(f.x, 300 - 88 + 30);
        EXPECT_NE(gScene.motiveNo, before);
        EXPECT_GE(gScene.motiveNo, 1);
        EXPECT_LE(gScene.motiveNo, 8);
    }
}

TEST_F(Scripts, BillPosterOnlyCrossesWhenTheBoardShowsTheCalendar) {
    gSettings.calendarOnly = 1;
    gScene.motiveLeft = 300;
    gScene.motiveNo = 1;
    FigureRecord& f = Bring(27, 2680, 138);
    Tick(27);
    while (f.active) {
        Tick(27);
        ASSERT_TRUE(f.phase == 1 || !f.active) << "it never stops at the board";
    }
    EXPECT_GT(f.x, 1024);
    EXPECT_EQ(gScene.motiveNo, 1);
}

TEST_F(Scripts, ChristmasTreeManStopsOnlyAfterFiveRunsPastTheSignInHisLifetime) {
    int stops = 0;
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& g = Bring(26, 1520, 132);
        Tick(26);
        int runsPast = 0, before = g.x;
        while (g.active && g.phase == 1) {
            before = g.x;
            Tick(26);
            if (g.x != before && g.x > 205)
                ++runsPast;
        }
        if (!g.active)
            continue;
        ++stops;
        EXPECT_EQ(g.phase, 2);
        EXPECT_GT(runsPast, 5) << "seed " << seed;
        EXPECT_EQ(g.x, before + 21) << "he stops at the end of a run, after its step";
        EXPECT_EQ(gScene.counters[26].frameIndex, 0);
    }
    EXPECT_GT(stops, 3) << "he does stop";
    SetUp();
    FigureRecord& f = Bring(26, 1520, 132);
    Tick(26);
    while (f.active && f.phase == 1)
        Tick(26);
    // A later appearance goes on counting from where the last one left off.
    const int counted = gScene.counters[26].runCount;
    UnloadFigure(26);
    FigureRecord& again = Bring(26, 1520, 132);
    Tick(26);
    EXPECT_EQ(gScene.counters[26].runCount, counted);
    EXPECT_EQ(again.phase, 1);
}

TEST_F(Scripts, NicholasAndTheRabbitTakeNoStepInTheRunInWhichTheyStop) {
    for (FigureId id : {37, 38}) {
        int stops = 0;
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            SetUp();
            SeedRandom(seed);
            FigureRecord& f = Bring(id, 968, 103);
            Tick(id);
            int before = f.x;
            while (f.active && f.phase == 1) {
                before = f.x;
                Tick(id);
            }
            if (!f.active)
                continue;
            ++stops;
            EXPECT_EQ(f.phase, 2);
            EXPECT_EQ(f.x, before) << "figure " << id;
            EXPECT_GT(f.x, 205 + (id == 37 ? 100 : 50));
            if (id == 38) {
                while (f.phase != 1)
                    Tick(id);
                EXPECT_EQ(f.x, before + 42) << "the hop lands 42 pixels on";
            }
        }
        EXPECT_GT(stops, 3) << "figure " << id << " does stop";
    }
}

TEST_F(Scripts, AFigureWithoutAScriptLeavesTheStageAtOnce) {
    ASSERT_EQ(ScriptFor(10), nullptr);
    Bring(10, 100, 80);
    FigureRecord& two = Bring(2, 568, 78);
    DrawFigures();
    EXPECT_EQ(gFigures[10].active, 0);
    EXPECT_EQ(two.active, 1) << "a figure with a script stays";
    EXPECT_EQ(gScene.personCount, 1) << "only the figure with a script still counts";
}

// The bus with a rider waiting at the stop.
class BusAtTheStop : public Scripts {
protected:
    FigureRecord* bus = nullptr;
    void SetUp() override {
        Scripts::SetUp();
        bus = &Bring(BusId, 312, 114);
        gScene.busOnStage = 1;
        gFigures[BusId].phase = 0;
    }
    // Runs the bus until it halts; returns the ticks it took.
    int DriveIn() {
        int ticks = 0;
        while (bus->phase != 4 && ticks < 1000) {
            Tick(BusId);
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(BusAtTheStop, WaitsOffStageWhileTheFarLaneIsTaken) {
    gScene.farLaneVehicle = 84;
    for (int tick = 0; tick < 20; ++tick)
        Tick(BusId);
    EXPECT_EQ(bus->phase, 1);
    EXPECT_EQ(bus->x, 1024);
    gScene.farLaneVehicle = 0;
    Tick(BusId);
    EXPECT_EQ(bus->phase, 2);
}

TEST_F(BusAtTheStop, SlowsDownPastTheSignPullsInAndHalts) {
    Tick(BusId);
    const int startY = bus->y;
    EXPECT_GE(startY, 358 - 15 - 114 - 70);
    Tick(BusId);  // lane free
    Tick(BusId);  // seating in advance
    EXPECT_EQ(bus->phase, 3);
    bool sawFive = false, sawThree = false;
    while (bus->phase == 3) {
        const int before = bus->x;
        Tick(BusId);
        if (bus->phase != 3)
            break;
        if (before >= 205)
            sawFive |= bus->x == before - 5;
        else
            sawThree |= bus->x == before - 3;
        ASSERT_TRUE(before - bus->x == 5 || before - bus->x == 3);
    }
    EXPECT_TRUE(sawFive);
    EXPECT_TRUE(sawThree);
    EXPECT_EQ(gScene.busAtStop, 1);
    EXPECT_LT(bus->y, startY) << "it pulled in towards the kerb";
    EXPECT_LT(bus->x, 205 - 55);
}

TEST_F(BusAtTheStop, TakesRidersStrictlyInFrontOfItOnTheEighthStandingTick) {
    DriveIn();
    ASSERT_EQ(bus->phase, 4);
    FigureRecord& rider = Bring(1, 432, 72);
    rider.phase = 2;
    rider.boardsBus = 1;
    rider.x = bus->x + 100;
    FigureRecord& atTheEdge = Bring(8, 688, 82);
    atTheEdge.phase = 2;
    atTheEdge.boardsBus = 1;
    atTheEdge.x = bus->x + bus->width;  // not strictly in front
    FigureRecord& passerBy = Bring(2, 2392, 74);
    passerBy.phase = 1;
    passerBy.x = bus->x + 50;

    for (int tick = 0; tick < 7; ++tick) {
        Tick(BusId);
        EXPECT_EQ(rider.active, 1) << "standing tick " << tick;
    }
    Tick(BusId);
    EXPECT_EQ(rider.active, 0);
    EXPECT_EQ(atTheEdge.active, 1);
    EXPECT_EQ(passerBy.active, 1);
    EXPECT_EQ(gScene.personCount, 2);

    int standing = 8;
    while (bus->phase == 4) {
        Tick(BusId);
        ++standing;
    }
    EXPECT_EQ(standing, 21) << "somebody got on: it stands 21 ticks";
    EXPECT_EQ(gScene.busAtStop, 0);
}

TEST_F(BusAtTheStop, WithoutRidersItLeavesAfterEightTicksAndUnloadsPastTheLeftEdge) {
    DriveIn();
    int standing = 0;
    while (bus->phase == 4) {
        Tick(BusId);
        ++standing;
    }
    EXPECT_EQ(standing, 8);
    while (bus->active) {
        const int before = bus->x;
        Tick(BusId);
        if (bus->active) {
            EXPECT_EQ(bus->x, before - 5);
        }
    }
    EXPECT_EQ(gScene.busOnStage, 0);
    EXPECT_LT(bus->x + bus->width, 0);
}

TEST_F(Scripts, SimpleVehicleFreesItsLaneWhenItLeaves) {
    FigureRecord& f = Bring(92, 800, 85);
    gScene.nearLaneVehicle = 92;
    f.x = 1020;
    Tick(92);
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(gScene.nearLaneVehicle, 0);
}

TEST_F(Scripts, SmallCarKeepsColourAndSpeedForOneCrossingOnly) {
    FigureRecord& f = Bring(88, 248, 411);
    gScene.farLaneVehicle = 88;
    f.x = 1030;
    Tick(88);
    const FigureCounters first = gScene.counters[88];
    const int speed = 1030 - f.x;
    EXPECT_GE(speed, 3);
    EXPECT_LE(speed, 5);
    for (int tick = 0; tick < 20; ++tick) {
        const int before = f.x;
        Tick(88);
        EXPECT_EQ(before - f.x, speed);
        EXPECT_EQ(gScene.counters[88].carColour, first.carColour);
        EXPECT_EQ(gScene.counters[88].headSet, first.headSet);
    }
    f.x = -238;
    Tick(88);
    EXPECT_EQ(f.active, 0);
    EXPECT_EQ(gScene.farLaneVehicle, 0);
    EXPECT_EQ(gScene.counters[88].carColour, -1);
}

TEST_F(Scripts, VanPlacesItselfOnItsFirstTick) {
    FigureRecord& f = Bring(89, 328, 204);
    f.x = -250;
    Tick(89);
    EXPECT_EQ(f.x, -300 + 5);
    EXPECT_EQ(f.phase, 2);
    EXPECT_EQ(gScene.nearLaneVehicle, 89);
    EXPECT_GE(f.y, 358 - 8 - 114 - 1);
}

TEST_F(Scripts, HaltingCarSlowsFromFiveToTwoAsItPullsInAtNight) {
    gScene.timeOfDay = 2;
    gScene.personCount = 5;
    FigureRecord& f = Bring(80, 1808, 76);
    gScene.farLaneVehicle = 80;
    f.y = 358 - 76 - 70;
    int halting = -1;
    for (uint32_t seed = 1; seed < 50 && halting <= 0; ++seed) {
        SeedRandom(seed);
        f.phase = 1;
        f.x = 1100;
        Tick(80);
        halting = gScene.counters[80].halting;
    }
    ASSERT_GT(halting, 0) << "some night it decides to halt";
    std::vector<int> speeds;
    while (f.phase == 2) {
        const int before = f.x;
        Tick(80);
        speeds.push_back(before - f.x);
    }
    EXPECT_EQ(f.phase, 3);
    EXPECT_EQ(speeds.front(), 5 - halting);
    EXPECT_EQ(speeds.back(), 2);
    EXPECT_EQ(gScene.counters[80].halting, 3);
}

}  // namespace
