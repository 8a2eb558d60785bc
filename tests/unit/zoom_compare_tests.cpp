// The enlarged scene against the plain one: the real scene with the saver's pictures, seeded and on
// a faked clock, run on a big window with the enlargement and on a window of (big / n) without it.
// After the same ticks every pixel of the small window must fill its n x n block of the big one.
// Needs a display at least 3840 x 2160 (the windows' pixels are read back): run under Xvfb.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "gfx/blit.h"
#include "host/frame.h"
#include "scene/scene_state.h"
#include "scene/window_zoom.h"
#include "unit/test_support.h"

namespace {

struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

Shot Capture(HWND window, int width, int height) {
    Shot shot;
    HDC from = GetDC(window);
    uint32_t* bits = nullptr;
    HBITMAP copy = CreateTopDownSection(from, width, height, &bits);
    if (!copy) {
        ReleaseDC(window, from);
        return shot;
    }
    HDC into = CreateCompatibleDC(from);
    HGDIOBJ old = SelectObject(into, copy);
    POINT origin{};
    GetViewportOrgEx(from, &origin);  // the scene's own context may carry an origin; read from the corner
    SetViewportOrgEx(from, 0, 0, nullptr);
    BitBlt(into, 0, 0, width, height, from, 0, 0, SRCCOPY);
    SetViewportOrgEx(from, origin.x, origin.y, nullptr);
    GdiFlush();
    shot.width = width;
    shot.height = height;
    shot.pixels.assign(bits, bits + static_cast<size_t>(width) * height);
    SelectObject(into, old);
    DeleteDC(into);
    DeleteObject(copy);
    ReleaseDC(window, from);
    return shot;
}

struct SceneRun {
    Shot shot;
    int factor = 0;
    int sceneWidth = 0, sceneHeight = 0;
};

// The scene on a window of the given size for the given ticks, from the given faked time.
SceneRun RunScene(int width, int height, bool mayZoom, const char* start, int ticks) {
    HMODULE saver = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(saver, nullptr);
    SetTimeSource(FakeTimeSource);
    SetFakeTime(static_cast<double>(ParseLocalTime(start)));
    SceneRun run;
    {
        SceneWindow scene;
        EXPECT_TRUE(scene.Open(width, height, saver, 23, mayZoom));
        run.factor = ZoomActive() ? gZoom.factor : 1;
        run.sceneWidth = gScene.screenWidth;
        run.sceneHeight = gScene.screenHeight;
        for (int t = 0; t < ticks; ++t) {
            scene.Tick();
            SetFakeTime(FakeTime() + 0.5);
            if (t % 64 == 0)
                scene.Pump();
        }
        run.shot = Capture(scene.window(), width, height);
    }
    SetTimeSource(nullptr);
    FreeLibrary(saver);
    return run;
}

// Pixels of the big shot that differ from the small shot's pixel they enlarge.
long BlockMismatches(const Shot& big, const Shot& small, int n) {
    long wrong = 0;
    for (int y = 0; y < small.height * n; ++y)
        for (int x = 0; x < small.width * n; ++x)
            wrong += big.At(x, y) != small.At(x / n, y / n);
    return wrong;
}

long Lit(const Shot& shot) {
    long lit = 0;
    for (uint32_t p : shot.pixels)
        lit += (p & 0xFFFFFF) != 0;
    return lit;
}

class ZoomCompare : public ::testing::Test {
protected:
    RegistrySandbox registry{"ZoomCompare"};
    void SetUp() override {
        ASSERT_GE(GetSystemMetrics(SM_CXSCREEN), 3840) << "run under a display of 3840 x 2160";
        ASSERT_GE(GetSystemMetrics(SM_CYSCREEN), 2160);
    }
    void Compare(int width, int height, int n, const char* start, int ticks) {
        const SceneRun big = RunScene(width, height, true, start, ticks);
        ASSERT_EQ(big.factor, n);
        EXPECT_EQ(big.sceneWidth, width / n);
        EXPECT_EQ(big.sceneHeight, height / n);
        const SceneRun small = RunScene(width / n, height / n, false, start, ticks);
        ASSERT_EQ(small.factor, 1);
        ASSERT_FALSE(big.shot.pixels.empty());
        ASSERT_FALSE(small.shot.pixels.empty());
        EXPECT_GT(Lit(small.shot), static_cast<long>(small.shot.pixels.size() / 2)) << "the street is shown";
        EXPECT_EQ(BlockMismatches(big.shot, small.shot, n), 0) << width << " x " << height << " at " << start;
    }
};

// By day with figures, vehicles and (over the ticks) a flying object; at night with the lights.
TEST_F(ZoomCompare, TwiceOn2560x1440) {
    Compare(2560, 1440, 2, "2026-07-01 11:58", 700);
}

TEST_F(ZoomCompare, ThreeTimesOn3840x2160) {
    Compare(3840, 2160, 3, "2026-07-01 11:58", 700);
    Compare(3840, 2160, 3, "2026-12-05 21:30", 500);
}

TEST_F(ZoomCompare, OffTheSceneStandsAtItsOwnSize) {
    StoreSetting("Zoom", 0);
    const SceneRun off = RunScene(2560, 1440, true, "2026-07-01 11:58", 40);
    EXPECT_EQ(off.factor, 1);
    EXPECT_EQ(off.sceneWidth, 2560);
    EXPECT_EQ(off.sceneHeight, 1440);
    // The picture stands in the middle: black around it, the street inside.
    EXPECT_EQ(off.shot.At(100, 100), 0u);
    EXPECT_EQ(off.shot.At(2400, 700), 0u);
    EXPECT_NE(off.shot.At(1280, 1000), 0u);
}

TEST_F(ZoomCompare, APreviewOrABenchWindowIsNeverEnlarged) {
    const SceneRun plain = RunScene(2560, 1440, false, "2026-07-01 11:58", 5);
    EXPECT_EQ(plain.factor, 1);
    EXPECT_EQ(plain.sceneWidth, 2560);
}

}  // namespace
