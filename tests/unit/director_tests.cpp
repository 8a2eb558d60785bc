// The director's choices: depth zones, cooldowns, which person or vehicle may start, and the
// back-to-front dispatch with the three simple vehicles.
#include <gtest/gtest.h>

#include "scene/director.h"
#include "scene/draw_order.h"
#include "scene/frame_tick.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

struct Lcg {
    uint32_t state;
    int operator()() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

class Director : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gScene.timeOfDay = 1;
        gScene.season = 1;
        gScene.month = 7;
        gScene.dayOfMonth = 1;
        gScene.hour = 12;
        gScene.stageWidth = 1024;
    }
    void ReadyAll() {
        for (auto& f : gFigures)
            f.ready = 1;
    }
};

TEST_F(Director, ZoneIsBusyWhileAnyOfItsFiguresIsActive) {
    EXPECT_FALSE(ZoneBusy(10));
    gFigures[23].active = 1;
    EXPECT_TRUE(ZoneBusy(10));
    EXPECT_FALSE(ZoneBusy(9));
    gFigures[22].active = 1;  // the sweeper crosses many bands
    for (int zone : {5, 6, 7, 8, 9, 10, 11, 12})
        EXPECT_TRUE(ZoneBusy(zone)) << zone;
    EXPECT_FALSE(ZoneBusy(0));
    EXPECT_FALSE(ZoneBusy(13));
}

TEST_F(Director, RestCountsOnlyInactiveFiguresAndDrawsVehicleLimitsAlways) {
    gFigures[24].restMinutes = 0;  // limit 0: ready after one minute
    gFigures[1].restMinutes = 4;   // limit 4: ready on the fifth
    gFigures[2].active = 1;
    gFigures[2].restMinutes = 9;
    SeedRandom(99);
    RestStep();
    EXPECT_EQ(gFigures[24].ready, 1);
    EXPECT_EQ(gFigures[24].restMinutes, 0);
    EXPECT_EQ(gFigures[1].ready, 1);
    EXPECT_EQ(gFigures[2].restMinutes, 9) << "active figures do not rest";
    EXPECT_EQ(gFigures[2].ready, 0);
    // By day on the first street the only draws are the 19 vehicle limits.
    Lcg expected{99};
    for (int i = 0; i < 19; ++i)
        expected();
    EXPECT_EQ(Rand(), expected());
}

TEST_F(Director, NightRestOnTheFirstStreetKeepsTheNightCastWaitingLonger) {
    gScene.timeOfDay = 2;
    gFigures[58].restMinutes = 30;
    gFigures[3].restMinutes = 10;
    RestStep();
    EXPECT_EQ(gFigures[58].ready, 1);
    EXPECT_EQ(gFigures[3].ready, 1);
    EXPECT_EQ(gFigures[1].ready, 0) << "day figures do not rest at night";
}

TEST_F(Director, VehiclePicksObeyDayNightAndLanes) {
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        SetUp();
        ReadyAll();
        gScene.timeOfDay = seed % 2 ? 1 : 2;
        gScene.farLaneVehicle = seed % 3 == 0 ? 81 : 0;
        SeedRandom(seed);
        Lcg draws{seed};
        const FigureId first = draws() % 20 + 80;
        const FigureId id = PickVehicle();
        EXPECT_EQ(gScene.lastVehicle, first) << "the first startable draw is remembered";
        if (id == 0)
            continue;
        EXPECT_EQ(id, first);
        const bool farLane = id <= 88;
        if (farLane) {
            EXPECT_EQ(gScene.farLaneVehicle, 0) << id;
        }
        if (gScene.timeOfDay == 1) {
            EXPECT_TRUE(id != 80 && id != 90 && id != 91) << id << " is a night vehicle";
        } else {
            EXPECT_TRUE(id == 80 || id == 86 || id == 87 || id == 90 || id == 91 || id == 98) << id;
        }
    }
}

TEST_F(Director, VehicleThatJustDroveIsNotPickedAgain) {
    ReadyAll();
    gScene.lastVehicle = 82;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SeedRandom(seed);
        gScene.lastVehicle = 82;
        EXPECT_NE(PickVehicle(), 82);
    }
}

TEST_F(Director, SaintNicholasComesOnTheSixthOfDecember) {
    ReadyAll();
    gScene.month = 12;
    gScene.dayOfMonth = 6;
    int nicholas = 0;
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SeedRandom(seed);
        gScene.lastPerson = 0;
        Lcg draws{seed};
        const bool firstDrawChoosesHim = draws() % 3 != 0;
        const FigureId id = PickPerson();
        if (firstDrawChoosesHim) {
            EXPECT_EQ(id, 37) << "seed " << seed;
            ++nicholas;
        }
    }
    EXPECT_GT(nicholas, 150);  // about two in three
}

TEST_F(Director, PersonsWhoseBandIsBusyOrWhoseTimeIsWrongAreRejected) {
    ReadyAll();
    gFigures[4].active = 1;  // zones 8 etc.
    gFigures[23].active = 1; // zone 10
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        SeedRandom(seed);
        gScene.lastPerson = 0;
        const FigureId id = PickPerson();
        EXPECT_NE(id, 12) << "12 only starts with the first figures";
        EXPECT_NE(id, 20);
        EXPECT_NE(id, 13) << "zone 10 is busy";
        EXPECT_NE(id, 21);
        EXPECT_NE(id, 40) << "a night figure by day";
        EXPECT_NE(id, 59);
        EXPECT_NE(id, 26) << "only at Christmas";
        if (id != 0) {
            EXPECT_EQ(gScene.lastPerson, id);
        }
    }
}

TEST_F(Director, SweeperChoosesTheFrontBandWhenItIsFree) {
    ReadyAll();
    gScene.figure9Waiting = 1;
    gScene.personCount = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SeedRandom(seed);
        gScene.lastPerson = 0;
        if (PickPerson() == 22) {
            EXPECT_EQ(gScene.figure22Band, 1);
            return;
        }
    }
    FAIL() << "the sweeper never came for the litter";
}

TEST_F(Director, ClockStateDecidesSeasonAndTimeOfDay) {
    UpdateClockState(true);  // the clock is faked to 1 July, 12:00
    EXPECT_EQ(gScene.month, 7);
    EXPECT_EQ(gScene.dayOfMonth, 1);
    EXPECT_EQ(gScene.hour, 12);
    EXPECT_EQ(gScene.timeOfDay, 1);
    EXPECT_EQ(gScene.season, 1);
    gSettings.winterStartMonth = 1;
    gSettings.winterMonths = 11;
    gSettings.nightAfterHour = 11;
    UpdateClockState(false);
    EXPECT_EQ(gScene.season, 1) << "without decide only the time fields change";
    UpdateClockState(true);
    EXPECT_EQ(gScene.season, 2);
    EXPECT_EQ(gScene.timeOfDay, 2);
}

TEST(DisplayCheck, FewColoursShowTheNoticeExceptInPreview) {
    EXPECT_EQ(DisplayCheckOutcome(16, false), StartStage::ColourNotice);
    EXPECT_EQ(DisplayCheckOutcome(2, false), StartStage::ColourNotice);
    EXPECT_EQ(DisplayCheckOutcome(256, false), StartStage::SoundLoading);
    EXPECT_EQ(DisplayCheckOutcome(-1, false), StartStage::SoundLoading);
    EXPECT_EQ(DisplayCheckOutcome(0, false), StartStage::SoundLoading);
    EXPECT_EQ(DisplayCheckOutcome(16, true), StartStage::Preview);
}

TEST(DrawOrder, BackToFrontAsTheStreetIsLaidOut) {
    EXPECT_EQ(InitialDrawOrder[0], 101);
    EXPECT_EQ(InitialDrawOrder[5], 106);
    EXPECT_EQ(InitialDrawOrder[31], 0);
    EXPECT_EQ(InitialDrawOrder[57], 22);
    EXPECT_EQ(InitialDrawOrder[65], 71);
    EXPECT_EQ(InitialDrawOrder[66], 70);
    EXPECT_EQ(InitialDrawOrder[68], 80);
    EXPECT_EQ(InitialDrawOrder[87], 99);
    EXPECT_EQ(InitialDrawOrder[88], 11);
    int listed = 0;
    for (FigureId id : InitialDrawOrder)
        listed += id != 0;
    EXPECT_EQ(listed, 6 + 36 + 1 + 3 + 20);  // layers, persons and 10, the empty slot 100, sign and bus, vehicles
}

// The inline vehicles drive on a stage made in memory.
class InlineVehicles : public ::testing::Test {
protected:
    HBITMAP stage = nullptr, sheet = nullptr, mask = nullptr;
    HGDIOBJ old = nullptr;
    void SetUp() override {
        ResetSceneState();
        gScene.stageWidth = 400;
        HDC display = GetDC(nullptr);
        stage = CreateCompatibleBitmap(display, 400, 358);
        sheet = CreateCompatibleBitmap(display, 728, 161);
        ReleaseDC(nullptr, display);
        mask = CreateBitmap(728, 161, 1, 1, nullptr);
        gScene.stageDc = CreateCompatibleDC(nullptr);
        old = SelectObject(gScene.stageDc, stage);
    }
    void TearDown() override {
        SelectObject(gScene.stageDc, old);
        DeleteDC(gScene.stageDc);
        DeleteObject(stage);
        gFigures[95].active = 0;
        gFigures[82].active = 0;
    }
    void PutOnStage(FigureId id, int x) {
        FigureRecord& f = gFigures[id];
        f.active = 1;
        f.phase = 1;
        f.x = x;
        f.y = 100;
        // UnloadFigure deletes the pictures; hand it copies so the fixture keeps its own.
        f.image[0] = static_cast<HBITMAP>(CopyImage(sheet, IMAGE_BITMAP, 0, 0, 0));
        f.mask[0] = static_cast<HBITMAP>(CopyImage(mask, IMAGE_BITMAP, 0, 0, LR_MONOCHROME));
    }
};

TEST_F(InlineVehicles, NearLaneVanLeavesAtTheStageEdgeAndFreesItsLaneInTheSameTick) {
    PutOnStage(95, 396);  // one step of 5 reaches the edge at 400
    gScene.nearLaneVehicle = 95;
    const int frameBefore = gScene.inlineVehicleFrame[2];
    DrawFigures();
    EXPECT_EQ(gFigures[95].active, 0);
    EXPECT_EQ(gScene.nearLaneVehicle, 0);
    EXPECT_EQ(gFigures[95].image[0], nullptr);
    EXPECT_EQ(gScene.inlineVehicleFrame[2], (frameBefore + 1) % 3);
}

TEST_F(InlineVehicles, FarLaneCarDrivesLeftAndItsWheelsKeepTurningAcrossRuns) {
    PutOnStage(82, 100);
    gScene.farLaneVehicle = 82;
    for (int tick = 0; tick < 4; ++tick)
        DrawFigures();
    EXPECT_EQ(gFigures[82].x, 84);
    EXPECT_EQ(gScene.inlineVehicleFrame[0], 1);
    EXPECT_EQ(gScene.farLaneVehicle, 82);
    gFigures[82].x = -262;
    DrawFigures();
    EXPECT_EQ(gFigures[82].active, 0);
    EXPECT_EQ(gScene.farLaneVehicle, 0);
    EXPECT_EQ(gScene.inlineVehicleFrame[0], 2) << "the next run continues the wheel frames";
}

}  // namespace
