// The start-up sequence of the frame tick in a real (headless) window: the notices that replace
// the scene, the preview, and the first running tick.
#include <gtest/gtest.h>

#include "scene/frame_tick.h"
#include "scene/scenery.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class StartUp : public ::testing::Test {
protected:
    static PictureModule complete, withoutClock;
    static HMODULE completeModule, withoutClockModule;
    HWND window = nullptr;

    static void AddScenery(PictureModule& m, bool clock) {
        auto plain = [](int, int) { return static_cast<unsigned char>(30); };
        for (int time = 1; time <= 2; ++time)
            for (int season = 1; season <= 2; ++season) {
                char name[32];
                sprintf(name, "HG01_%02d_%02d", time, season);
                m.AddPicture(name, 1024, 660, plain);
            }
        m.AddPicture("HG01", 262, 169, [](int, int) { return static_cast<unsigned char>(77); });
        m.AddPicture("FARBEN", 416, 32, [](int, int) { return static_cast<unsigned char>(200); });
        if (clock)
            for (int i = 0; i < 4; ++i) {
                char name[16];
                sprintf(name, "UHR_%02d", i);
                m.AddPicture(name, 144, 26, plain);
            }
    }
    static void SetUpTestSuite() {
        AddScenery(complete, true);
        AddScenery(withoutClock, false);
        // Built on this test program rather than the saver, so that no picture is there by accident.
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        completeModule = complete.Build(self);
        withoutClockModule = withoutClock.Build(self);
    }

    void Open(int width, int height, HMODULE module) {
        ASSERT_NE(module, nullptr);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "StartUpTest";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "Test", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 0;
        gScene.module = module;
        gScene.screenDc = GetDC(window);
        GetClientRect(window, &gScene.clientRect);
        gScene.screenWidth = gScene.clientRect.right;
        gScene.screenHeight = gScene.clientRect.bottom;
        SeedRandom(5);
    }
    void TearDown() override {
        if (gScene.noticePicture)
            DeleteObject(gScene.noticePicture);
        if (gScene.backdropDc) {
            SelectObject(gScene.backdropDc, gScene.backdropOriginalBitmap);
            DeleteDC(gScene.backdropDc);
            DeleteObject(gScene.backdropBitmap);
        }
        for (HBITMAP& p : gScene.clockPicture)
            if (p)
                DeleteObject(p);
        ReleaseDC(window, gScene.screenDc);
        DestroyWindow(window);
    }
};
PictureModule StartUp::complete, StartUp::withoutClock;
HMODULE StartUp::completeModule = nullptr, StartUp::withoutClockModule = nullptr;

TEST_F(StartUp, MissingClockPicturesLeadToTheMemoryNoticeWhichMayItselfBeMissing) {
    Open(640, 480, withoutClockModule);
    FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::SoundLoading);
    FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::ClockPictures);
    FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::MemoryNotice);
    FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::NoticeDrifting);
    EXPECT_EQ(gScene.noticePicture, nullptr) << "this module has no SPEICHER picture";
    for (int tick = 0; tick < 5; ++tick)
        FrameTick(window);  // the window simply stays black
    EXPECT_EQ(gScene.startStage, StartStage::NoticeDrifting);
}

TEST_F(StartUp, NoticeStartsCentredAndDriftsOnePixelATickBouncingOffTheEdges) {
    Open(640, 480, completeModule);
    gScene.startStage = StartStage::ColourNotice;
    FrameTick(window);
    ASSERT_NE(gScene.noticePicture, nullptr);
    EXPECT_EQ(gScene.noticeWidth, 416);
    EXPECT_EQ(gScene.noticeHeight, 32);
    FrameTick(window);
    EXPECT_EQ(gScene.noticeX, (640 - 416) / 2 + 1);
    EXPECT_EQ(gScene.noticeY, (480 - 32) / 2 + 1);
    // The right bound is the screen width less the picture less 10: 214.
    int ticks = 0;
    while (gScene.noticeDx > 0 && ticks < 500) {
        FrameTick(window);
        ++ticks;
    }
    EXPECT_EQ(gScene.noticeX, 215);
    FrameTick(window);
    EXPECT_EQ(gScene.noticeX, 214);
    EXPECT_EQ(gScene.backdropDc, nullptr) << "the scene's backdrop is gone for good";
}

TEST_F(StartUp, PreviewShowsTheSmallPictureAndNeverMoves) {
    Open(152, 112, completeModule);
    FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::Preview);
    EXPECT_EQ(gScene.previewMode, 1);
    ASSERT_NE(gScene.backdropDc, nullptr);
    const RGBQUAD q = PictureModule::TableEntry(77);
    EXPECT_EQ(GetPixel(gScene.backdropDc, 10, 10), RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    const uint32_t draws = gScene.randomState;
    for (int tick = 0; tick < 10; ++tick)
        FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::Preview);
    EXPECT_EQ(gScene.randomState, draws) << "nothing moves in a preview";
}

TEST_F(StartUp, ScenePicturesMissingAfterTheClockLeadToTheMemoryNotice) {
    Open(640, 480, completeModule);  // no board, no sign in this module
    for (int tick = 0; tick < 4; ++tick)
        FrameTick(window);
    EXPECT_EQ(gScene.startStage, StartStage::MemoryNotice);
    EXPECT_NE(gScene.clockPicture[3], nullptr);
}

}  // namespace
