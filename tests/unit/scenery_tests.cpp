// The still scene composed for window sizes and times of day. Runs with the clock faked to a
// summer noon (see tests/CMakeLists.txt), so the day pictures of the normal season are wanted.
#include <gtest/gtest.h>

#include "scene/frame_tick.h"
#include "scene/scenery.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

// Colour indexes that tell the pictures apart; the background's rows come in bands of 100.
constexpr int kBoardColour = 120, kMotiveColour = 130, kSignColour = 140, kNightShift = 60;

unsigned char BackgroundRow(int, int y) {
    return static_cast<unsigned char>(10 + y / 100);
}

COLORREF ColourOf(int index) {
    const RGBQUAD q = PictureModule::TableEntry(index);
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

class Scenery : public ::testing::Test {
protected:
    static PictureModule pictures;
    static HMODULE module;
    HBITMAP screen = nullptr;
    HGDIOBJ oldScreen = nullptr;

    static void SetUpTestSuite() {
        for (int time = 1; time <= 2; ++time) {
            const int shift = time == 2 ? kNightShift : 0;
            char name[32];
            sprintf(name, "HG01_%02d_01", time);
            pictures.AddPicture(name, 1024, 660, [shift](int x, int y) {
                return static_cast<unsigned char>(BackgroundRow(x, y) + shift);
            });
            sprintf(name, "WERBEFL_%02d", time);
            // The board's poster area is covered by the motive; its legs show below.
            pictures.AddPicture(name, 168, 149, [shift](int x, int) {
                return static_cast<unsigned char>(x < 4 ? 253 : kBoardColour + shift);
            });
            for (int motive = 1; motive <= 8; ++motive) {
                sprintf(name, "MOTIV%02d_%02d", time, motive);
                pictures.AddPicture(name, 168, 130, [shift](int, int) {
                    return static_cast<unsigned char>(kMotiveColour + shift);
                });
            }
            sprintf(name, "SCHILD_%02d", time);
            pictures.AddPicture(name, 32, 115, [shift](int x, int) {
                return static_cast<unsigned char>(x < 16 ? kSignColour + shift : 253);
            });
        }
        module = pictures.Build(ScrPath());
    }

    void Open(int width, int height) {
        ASSERT_NE(module, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.dayFromHour = 8;
        gSettings.nightAfterHour = 20;
        gSettings.winterStartMonth = 12;
        gSettings.winterMonths = 3;
        gScene.module = module;
        HDC display = GetDC(nullptr);
        screen = CreateCompatibleBitmap(display, width, height);
        ReleaseDC(nullptr, display);
        gScene.screenDc = CreateCompatibleDC(nullptr);
        oldScreen = SelectObject(gScene.screenDc, screen);
        gScene.screenWidth = width;
        gScene.screenHeight = height;
        gScene.clientRect = RECT{0, 0, width, height};
        SeedRandom(7);
    }

    void TearDown() override {
        if (gScene.stageDc) {
            SelectObject(gScene.stageDc, gScene.stageOriginalBitmap);
            DeleteDC(gScene.stageDc);
            DeleteObject(gScene.stageBitmap);
        }
        if (gScene.backdropDc) {
            SelectObject(gScene.backdropDc, gScene.backdropOriginalBitmap);
            DeleteDC(gScene.backdropDc);
            DeleteObject(gScene.backdropBitmap);
        }
        DeleteObject(gScene.signImage);
        DeleteObject(gScene.signMask);
        DeleteObject(gScene.scenePalette);
        SelectObject(gScene.screenDc, oldScreen);
        DeleteDC(gScene.screenDc);
        DeleteObject(screen);
    }

    COLORREF Backdrop(int x, int y) { return GetPixel(gScene.backdropDc, x, y); }
    COLORREF Stage(int x, int y) { return GetPixel(gScene.stageDc, x, y); }
};
PictureModule Scenery::pictures;
HMODULE Scenery::module = nullptr;

TEST(PicturePlacement, WindowSizesOfTheEdgeCases) {
    PicturePlacement p = PlacePicture(1024, 660, 800, 600);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 0);
    EXPECT_EQ(p.sourceRow, 60);
    EXPECT_EQ(p.bottom, 600);
    p = PlacePicture(1024, 660, 1280, 1024);
    EXPECT_EQ(p.left, 128);
    EXPECT_EQ(p.top, 182);
    EXPECT_EQ(p.sourceRow, 0);
    EXPECT_EQ(p.bottom, 842);
    p = PlacePicture(1024, 660, 1024, 768);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.top, 54);
    EXPECT_EQ(p.bottom, 714);
    p = PlacePicture(1024, 660, 1027, 660);  // odd extra width
    EXPECT_EQ(p.left, 1);
    EXPECT_EQ(p.bottom, 660);
}

TEST_F(Scenery, LargeWindowCentresThePictureAndPlacesStageBoardSignAndClock) {
    Open(1280, 1024);
    ASSERT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.timeOfDay, 1);
    EXPECT_EQ(gScene.season, 1);
    EXPECT_EQ(gScene.builtTimeOfDay, 1);
    EXPECT_EQ(gScene.pictureLeft, 128);
    EXPECT_EQ(gScene.pictureTop, 182);
    EXPECT_EQ(gScene.stageLeft, 128);
    EXPECT_EQ(gScene.stageTop, 484);
    EXPECT_EQ(gScene.stageWidth, 1024);
    EXPECT_EQ(gScene.stageHeight, 358);
    EXPECT_EQ(gScene.clockX, 168);
    EXPECT_EQ(gScene.clockY, 416);
    EXPECT_EQ(gScene.motiveLeft, 428);
    EXPECT_EQ(gScene.motiveTop, 484);
    EXPECT_EQ(gScene.signX, 205);
    EXPECT_EQ(gScene.signY, 116);
    EXPECT_EQ(gScene.signWidth, 32);
    EXPECT_EQ(gFigures[SignId].active, 1);
    EXPECT_GE(gScene.motiveNo, 1);
    EXPECT_LE(gScene.motiveNo, 8);
    EXPECT_EQ(gScene.clockRedrawPending, 1);

    EXPECT_EQ(Backdrop(5, 5), RGB(0, 0, 0)) << "outside the picture stays black";
    EXPECT_EQ(Backdrop(128, 182), ColourOf(10));
    EXPECT_EQ(Backdrop(500, 182 + 250), ColourOf(12));
    EXPECT_EQ(Backdrop(428 + 50, 484 + 140), ColourOf(kBoardColour)) << "the board's legs below the motive";
    EXPECT_EQ(Backdrop(428 + 50, 484 + 50), ColourOf(kMotiveColour)) << "the motive on the board";
    EXPECT_EQ(Backdrop(428 + 1, 484 + 140), ColourOf(14)) << "the board's transparent edge shows the street";
    EXPECT_EQ(Stage(205 + 2, 116 + 10), ColourOf(kSignColour)) << "the sign stands on the stage";
    EXPECT_EQ(Stage(205 + 20, 116 + 10), ColourOf(14)) << "beside the sign the street shows";
    EXPECT_EQ(Stage(300, 10), Backdrop(128 + 300, 484 + 10)) << "the stage is a copy of the backdrop strip";
}

TEST_F(Scenery, SmallWindowShowsTheBottomOfThePicture) {
    Open(800, 600);
    ASSERT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.pictureLeft, 0);
    EXPECT_EQ(gScene.pictureTop, 0);
    EXPECT_EQ(gScene.stageTop, 242);
    EXPECT_EQ(gScene.stageWidth, 800);
    EXPECT_EQ(Backdrop(0, 0), ColourOf(10)) << "picture row 60";
    EXPECT_EQ(Backdrop(0, 40), ColourOf(11)) << "picture row 100";
    EXPECT_EQ(Backdrop(0, 599), ColourOf(16)) << "picture row 659";
}

TEST_F(Scenery, OddExtraWidthMakesTheStageOnePixelWider) {
    Open(1027, 700);
    ASSERT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.pictureLeft, 1);
    EXPECT_EQ(gScene.stageWidth, 1025);
}

TEST_F(Scenery, UnchangedTimeOfDayBuildsNothing) {
    Open(1024, 768);
    ASSERT_EQ(BuildScenery(), 1);
    gScene.clockRedrawPending = 0;
    const uint32_t drawsBefore = gScene.randomState;
    EXPECT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.clockRedrawPending, 0);
    EXPECT_EQ(gScene.randomState, drawsBefore);
}

TEST_F(Scenery, NightRebuildKeepsTheMotiveAndRepaintsTheWindow) {
    Open(1024, 768);
    ASSERT_EQ(BuildScenery(), 1);
    const int motive = gScene.motiveNo;
    HBITMAP stage = gScene.stageBitmap;

    gSettings.nightAfterHour = 11;  // noon is now night
    ASSERT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.timeOfDay, 2);
    EXPECT_EQ(gScene.builtTimeOfDay, 2);
    EXPECT_EQ(gScene.motiveNo, motive);
    EXPECT_EQ(gScene.stageBitmap, stage) << "the stage is made once per scene";
    EXPECT_EQ(Backdrop(0, 54), ColourOf(10 + kNightShift));
    EXPECT_EQ(Backdrop(300 + 50, 714 - 358 + 50), ColourOf(kMotiveColour + kNightShift));
    EXPECT_EQ(GetPixel(gScene.screenDc, 0, 54), ColourOf(10 + kNightShift)) << "the window shows the night at once";
    EXPECT_EQ(Stage(205 + 2, 116 + 10), ColourOf(kSignColour + kNightShift));
}

TEST_F(Scenery, MissingBackgroundFails) {
    Open(1024, 768);
    gSettings.backgroundNo = 2;  // no pictures of the second street here
    EXPECT_EQ(BuildScenery(), 0);
}

TEST_F(Scenery, CalendarOnlyAlwaysShowsMotiveOne) {
    Open(1024, 768);
    gSettings.calendarOnly = 1;
    ASSERT_EQ(BuildScenery(), 1);
    EXPECT_EQ(gScene.motiveNo, 1);
    EXPECT_EQ(gScene.calendarMonth, 7) << "the calendar was painted for the faked July";
}

}  // namespace
