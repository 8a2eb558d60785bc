// The director in the last minute of the day (the clock is faked to 20:59 on 1 July, with day
// hours 8 to 20): no new persons are let on, and one that still starts keeps the next away long.
#include <gtest/gtest.h>

#include "scene/director.h"
#include "scene/frame_tick.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class Evening : public ::testing::Test {
protected:
    static PictureModule pictures;
    static HMODULE module;
    static void SetUpTestSuite() {
        pictures.AddPicture("FIG02_T00", 40, 74, [](int, int) { return 40; });
        module = pictures.Build(ScrPath());
    }
    void SetUp() override {
        ASSERT_NE(module, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.dayFromHour = 8;
        gSettings.nightAfterHour = 20;
        gScene.module = module;
        gScene.stageWidth = 1024;
        gScene.screenHeight = 768;
        UpdateClockState(true);
        gScene.builtTimeOfDay = gScene.timeOfDay;  // the scenery stands
        gScene.lastBuildHour = gScene.hour;
    }
    void TearDown() override { UnloadFigure(2); }
};
PictureModule Evening::pictures;
HMODULE Evening::module = nullptr;

TEST_F(Evening, ClockIsFakedToTheLastMinuteOfTheDay) {
    EXPECT_EQ(gScene.hour, 20);
    EXPECT_EQ(gScene.minute, 59);
    EXPECT_EQ(gScene.timeOfDay, 1);
}

TEST_F(Evening, PerMinutePassClearsEveryPersonsReadiness) {
    for (FigureId id = 1; id <= 59; ++id)
        gFigures[id].ready = 1;
    gFigures[85].ready = 1;
    gScene.busOnStage = 0;
    gScene.lastMinute = 58;
    gScene.personCountdown = 50;
    ASSERT_TRUE(SceneDirector(nullptr));
    for (FigureId id = 1; id <= 59; ++id)
        EXPECT_EQ(gFigures[id].ready, 0) << id;
    EXPECT_EQ(gFigures[85].ready, 1) << "vehicles may still come";
    EXPECT_EQ(gScene.lastMinute, 59);
}

TEST_F(Evening, APersonWhoStillStartsHoldsTheNextBackForLong) {
    int started = 0;
    for (uint32_t seed = 1; seed <= 400 && started == 0; ++seed) {
        SetUp();
        SeedRandom(seed);
        gFigures[2].ready = 1;
        gScene.lastMinute = 59;  // the per-minute pass already ran
        gScene.personCountdown = 1;
        gScene.vehicleCountdown = 100;
        ASSERT_TRUE(SceneDirector(nullptr));
        if (gFigures[2].active) {
            ++started;
            EXPECT_GE(gScene.personCountdown, 1500);
            EXPECT_LE(gScene.personCountdown, 2500);
        } else {
            EXPECT_LT(gScene.personCountdown, 1) << "a failed pick tries again at the next pass";
        }
    }
    EXPECT_EQ(started, 1) << "figure 2 was never picked";
}

TEST_F(Evening, NoAircraftStartsInTheLastMinutesOfTheDay) {
    gScene.aircraftCountdown = 1;
    gScene.lastMinute = 59;
    gScene.personCountdown = 100;
    gScene.vehicleCountdown = 100;
    ASSERT_TRUE(SceneDirector(nullptr));
    EXPECT_EQ(gScene.aircraftCountdown, 30000);
}

}  // namespace
