// Desks of several monitors: the full-screen window covers all of them, the scene stands on the
// primary one, and the rest of the window is painted black.
#include <gtest/gtest.h>

#include "host/frame.h"
#include "host/monitors.h"
#include "scene/scene_state.h"
#include "unit/test_support.h"

namespace {

constexpr RECT kNone{0, 0, 0, 0};

bool Same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

::testing::AssertionResult Is(const RECT& actual, const RECT& expected) {
    if (Same(actual, expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "{" << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                         << actual.bottom << "}, expected {" << expected.left << ", "
                                         << expected.top << ", " << expected.right << ", " << expected.bottom << "}";
}

TEST(ScreenLayout, OneMonitorIsWindowAndSceneAlike) {
    const RECT only{0, 0, 1024, 768};
    const ScreenLayout l = LayOutScreens(&only, 1, 0, kNone);
    EXPECT_TRUE(Is(l.window, only));
    EXPECT_TRUE(Is(l.scene, only));
}

TEST(ScreenLayout, AMonitorLeftOfAndAboveThePrimaryShiftsTheScene) {
    // The secondary monitor stands left of the primary and reaches higher; it is listed first.
    const RECT monitors[] = {{-1280, -200, 0, 824}, {0, 0, 1024, 768}};
    const ScreenLayout l = LayOutScreens(monitors, 2, 1, kNone);
    EXPECT_TRUE(Is(l.window, RECT{-1280, -200, 1024, 824}));
    EXPECT_TRUE(Is(l.scene, RECT{1280, 200, 2304, 968}));
}

TEST(ScreenLayout, ThreeMonitorsAroundThePrimary) {
    const RECT monitors[] = {{1920, 0, 3200, 1024}, {0, 0, 1920, 1080}, {0, 1080, 1920, 2160}};
    const ScreenLayout l = LayOutScreens(monitors, 3, 1, kNone);
    EXPECT_TRUE(Is(l.window, RECT{0, 0, 3200, 2160}));
    EXPECT_TRUE(Is(l.scene, RECT{0, 0, 1920, 1080}));
}

TEST(ScreenLayout, WithoutAMarkThePrimaryIsTheMonitorAtTheOrigin) {
    const RECT monitors[] = {{0, -900, 1600, 0}, {0, 0, 800, 600}};
    const ScreenLayout l = LayOutScreens(monitors, 2, -1, kNone);
    EXPECT_TRUE(Is(l.window, RECT{0, -900, 1600, 600}));
    EXPECT_TRUE(Is(l.scene, RECT{0, 900, 800, 1500}));
    // An index out of range is no mark either.
    EXPECT_TRUE(Is(LayOutScreens(monitors, 2, 7, kNone).scene, RECT{0, 900, 800, 1500}));
}

TEST(ScreenLayout, NoMonitorsListedFallsBackToTheScreen) {
    const RECT screen{0, 0, 640, 480};
    const ScreenLayout l = LayOutScreens(nullptr, 0, -1, screen);
    EXPECT_TRUE(Is(l.window, screen));
    EXPECT_TRUE(Is(l.scene, screen));
}

TEST(ScreenLayout, TheLiveLayoutContainsThePrimaryMonitor) {
    const ScreenLayout l = QueryScreenLayout();
    EXPECT_GT(l.scene.right - l.scene.left, 0);
    RECT client = l.window, inside{};
    OffsetRect(&client, -client.left, -client.top);
    EXPECT_TRUE(IntersectRect(&inside, &l.scene, &client) && Same(inside, l.scene)) << "the scene lies in the window";
    EXPECT_EQ(l.scene.right - l.scene.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(l.scene.bottom - l.scene.top, GetSystemMetrics(SM_CYSCREEN));
}

// The scene in a window wider than its monitor: it works on the monitor's size, and what it draws
// at its own (0, 0) lands at the monitor's corner of the window; a repaint blacks out the rest.
class SceneOnPrimary : public ::testing::Test {
protected:
    HWND window = nullptr;
    void SetUp() override {
        ResetFrameState();
        WNDCLASSA wc{};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = ScreenSaverProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SceneOnPrimaryTest";
        RegisterClassA(&wc);
        gFrame.sceneRect = RECT{300, 40, 500, 190};
        window = CreateWindowExA(0, wc.lpszClassName, "Test", WS_POPUP | WS_VISIBLE, 0, 0, 640, 240, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    }
    void TearDown() override {
        if (window)
            DestroyWindow(window);
        ResetFrameState();
    }
};

TEST_F(SceneOnPrimary, DrawsOnThePrimaryMonitorsPartOfTheWindow) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(gScene.screenWidth, 200);
    EXPECT_EQ(gScene.screenHeight, 150);
    EXPECT_TRUE(Is(gScene.clientRect, RECT{0, 0, 200, 150}));

    HDC dc = gScene.screenDc;
    ASSERT_NE(dc, nullptr);
    SetPixel(dc, 0, 0, RGB(0, 255, 0));
    // Read back through a context of the window's own pixels.
    HDC plain = CreateCompatibleDC(dc);
    HBITMAP copy = CreateCompatibleBitmap(dc, 640, 240);
    HGDIOBJ old = SelectObject(plain, copy);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 300);
    EXPECT_EQ(origin.y, 40);
    BitBlt(plain, 0, 0, 640, 240, dc, -origin.x, -origin.y, SRCCOPY);
    EXPECT_EQ(GetPixel(plain, 300, 40), RGB(0, 255, 0));

    // A repaint of the whole window: black outside the scene, whatever was there.
    SetViewportOrgEx(dc, 0, 0, nullptr);
    RECT all{0, 0, 640, 240};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    BitBlt(plain, 0, 0, 640, 240, dc, -origin.x, -origin.y, SRCCOPY);
    EXPECT_EQ(GetPixel(plain, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(plain, 600, 200), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(plain, 299, 100), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(plain, 400, 195), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(plain, 400, 100), RGB(255, 255, 255)) << "the scene itself is not painted over";
    SelectObject(plain, old);
    DeleteObject(copy);
    DeleteDC(plain);
}

TEST_F(SceneOnPrimary, APreviewIgnoresTheMonitors) {
    ASSERT_NE(window, nullptr);
    DestroyWindow(window);
    gFrame.preview = true;
    window = CreateWindowExA(0, "SceneOnPrimaryTest", "Test", WS_POPUP, 0, 0, 152, 112, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(gScene.screenWidth, 152);
    EXPECT_EQ(gScene.screenHeight, 112);
}

}  // namespace
