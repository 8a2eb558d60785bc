// The full-hour chime, the title of the month sheet, and the scene window's own rules: the tick
// interval set from the speed, a paint before any backdrop exists, and destruction right after
// creation.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "clock/calendar.h"
#include "clock/clock.h"
#include "gfx/resources.h"
#include "host/frame.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

// Wine's default system has a mail client entry, so every scene of this program would start the
// mail check and load the mail library: the key is off for the whole program (and put back at its
// end), so that the test which checks the library stays unloaded sees only its own scene.
struct MailKeyOff {
    char previous[16] = {};
    bool had = false;
    MailKeyOff() {
        had = GetProfileStringA("Mail", "MAPI", "", previous, sizeof previous) > 0;
        WriteProfileStringA("Mail", "MAPI", "0");
    }
    ~MailKeyOff() { WriteProfileStringA("Mail", "MAPI", had ? previous : nullptr); }
} gMailKeyOff;

std::map<int, int> gStarted;  // sound slot -> times started
void CountSound(int slot) {
    gStarted[slot] += 1;
}
constexpr int kChimeSlot = 4;  // SOUND05

class Chime : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gSettings.backgroundNo = 1;
        gStarted.clear();
        SetSoundObserver(CountSound);
        gScene.screenDc = CreateCompatibleDC(nullptr);
    }
    void TearDown() override {
        SetSoundObserver(nullptr);
        DeleteDC(gScene.screenDc);
        gScene.screenDc = nullptr;
    }
};

TEST_F(Chime, SoundsInMinuteZeroAndAgainOnAForcedRedrawButNotInMinuteOne) {
    gSettings.soundOn = 1;
    DrawClock(14, 59);
    EXPECT_EQ(gStarted[kChimeSlot], 0);
    DrawClock(15, 0);
    EXPECT_EQ(gStarted[kChimeSlot], 1) << "the full hour";
    DrawClock(15, 0);
    EXPECT_EQ(gStarted[kChimeSlot], 1) << "nothing is drawn again in the same minute";
    gScene.clockRedrawPending = 1;  // as after a paint
    DrawClock(15, 0);
    EXPECT_EQ(gStarted[kChimeSlot], 2) << "a forced redraw in minute 0 chimes again";
    DrawClock(15, 1);
    gScene.clockRedrawPending = 1;
    DrawClock(15, 1);
    EXPECT_EQ(gStarted[kChimeSlot], 2) << "minute 1 never chimes";
    EXPECT_EQ(gStarted.size(), 1u);
}

TEST_F(Chime, NeverSoundsWithSoundOff) {
    gSettings.soundOn = 0;
    for (int hour = 0; hour < 24; ++hour) {
        DrawClock(hour, 0);
        gScene.clockRedrawPending = 1;
        DrawClock(hour, 0);
        DrawClock(hour, 1);
    }
    EXPECT_EQ(gScene.clockMinute, 1) << "the clock itself still runs";
    EXPECT_TRUE(gStarted.empty());
}

// --- The month sheet's title ---------------------------------------------------------------

LocalDate gToday;
LocalDate Today() {
    return gToday;
}

// A white 156 x 128 board, painted by the calendar or by the test, read back pixel by pixel.
struct Board {
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    Board() {
        HDC screen = GetDC(nullptr);
        bitmap = CreateCompatibleBitmap(screen, 156, 128);
        ReleaseDC(nullptr, screen);
        dc = CreateCompatibleDC(nullptr);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, 156, 128};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Board() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    void Release() { SelectObject(dc, old); }
    void Hold() { SelectObject(dc, bitmap); }
    // The title as the board should carry it: bold 16-pixel Arial, dark ink, from (10, 7).
    void WriteTitle(const char* text) {
        LOGFONTA lf{};
        lf.lfHeight = 16;
        lf.lfWeight = 600;
        lf.lfOutPrecision = 1;
        lf.lfClipPrecision = 2;
        lf.lfQuality = 2;
        lstrcpyA(lf.lfFaceName, "Arial");
        HFONT font = CreateFontIndirectA(&lf);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0x10));
        RECT box{10, 7, 10 + 156, 7 + 20};
        DrawTextA(dc, text, -1, &box, 0);
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }
};

// Pixels of the title band (rows 7 to 26) in which two boards differ.
int TitleBandDifference(Board& a, Board& b) {
    int differ = 0;
    for (int y = 7; y < 27; ++y)
        for (int x = 0; x < 156; ++x)
            differ += GetPixel(a.dc, x, y) != GetPixel(b.dc, x, y);
    return differ;
}

int InkPixels(Board& a) {
    int ink = 0;
    for (int y = 7; y < 27; ++y)
        for (int x = 0; x < 156; ++x)
            ink += GetPixel(a.dc, x, y) != RGB(255, 255, 255);
    return ink;
}

TEST(CalendarTitle, NamesTheMonthInGermanWithTheFullYear) {
    // Tuesday 8 December 2026: the 1st is a Tuesday, so the days start in the second row and the
    // first row carries the title alone.
    gToday = LocalDate{8, 12, 2026, 10, 30, 0, 2};
    SetLocalDateSource(Today);
    ResetSceneState();
    Board drawn;
    drawn.Release();
    DrawCalendar(drawn.bitmap, 156, 128, 1);
    drawn.Hold();
    SetLocalDateSource(nullptr);
    EXPECT_EQ(gScene.calendarDay, 8);
    EXPECT_EQ(gScene.calendarMonth, 12);
    EXPECT_EQ(gScene.calendarYear, 2026);

    Board expected, otherYear, shortYear;
    expected.WriteTitle("Dezember 2026 ");
    otherYear.WriteTitle("Dezember 2025 ");
    shortYear.WriteTitle("Dezember 26 ");
    ASSERT_GT(InkPixels(expected), 100);
    ASSERT_GT(TitleBandDifference(expected, otherYear), 10) << "the band must tell the years apart";
    EXPECT_EQ(TitleBandDifference(drawn, expected), 0);
    EXPECT_GT(TitleBandDifference(drawn, shortYear), 10);
}

TEST(CalendarTitle, ADayAlreadyDrawnIsNotDrawnAgainUnlessForced) {
    gToday = LocalDate{8, 12, 2026, 10, 30, 0, 2};
    SetLocalDateSource(Today);
    ResetSceneState();
    Board first, again, forced;
    first.Release();
    DrawCalendar(first.bitmap, 156, 128, 0);
    first.Hold();
    again.Release();
    DrawCalendar(again.bitmap, 156, 128, 0);
    again.Hold();
    forced.Release();
    DrawCalendar(forced.bitmap, 156, 128, 1);
    forced.Hold();
    SetLocalDateSource(nullptr);
    EXPECT_GT(InkPixels(first), 100);
    EXPECT_EQ(InkPixels(again), 0) << "same day, no force: the board is left alone";
    EXPECT_EQ(TitleBandDifference(first, forced), 0);
}

// A day's number drawn in the narrowest box the board's calendar gives it (a seventh of 156
// pixels, less 6) must look exactly like the same number right-aligned at the same edge with room to
// spare: whole, none of its first digit shaved off ("10" read "L0" where the box clipped it).
TEST(CalendarDays, EveryTwoDigitDayIsDrawnWhole) {
    LOGFONTA lf{};
    lf.lfHeight = 16;
    lf.lfWeight = 600;
    lf.lfOutPrecision = 1;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 2;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&lf);
    const int cellWidth = (156 - 3) / 7, rowHeight = (128 - 3) / 6;
    const int x = 60, y = 40, w = cellWidth - 8, h = rowHeight - 7;
    std::string cut;
    for (int day = 10; day <= 31; ++day) {
        Board drawn, whole;
        HGDIOBJ oldDrawn = SelectObject(drawn.dc, font);
        DrawCalendarDay(drawn.dc, day, false, false, x, y, w, h);
        SelectObject(drawn.dc, oldDrawn);

        HGDIOBJ oldWhole = SelectObject(whole.dc, font);
        SetBkMode(whole.dc, TRANSPARENT);
        SetTextColor(whole.dc, RGB(0, 0, 0));
        RECT roomy{x - 30, y, x + w + 2, y + h};
        char text[4];
        wsprintfA(text, "%d", day);
        DrawTextA(whole.dc, text, -1, &roomy, DT_RIGHT);
        SelectObject(whole.dc, oldWhole);

        int differ = 0, ink = 0;
        for (int py = 0; py < 128; ++py)
            for (int px = 0; px < 156; ++px) {
                const COLORREF c = GetPixel(whole.dc, px, py);
                ink += c != RGB(255, 255, 255);
                differ += c != GetPixel(drawn.dc, px, py);
            }
        ASSERT_GT(ink, 20) << "no ink for " << day;
        if (differ)
            cut += " " + std::string(text);
    }
    DeleteObject(font);
    EXPECT_EQ(cut, "") << "days not drawn whole";
}

// --- The scene window ------------------------------------------------------------------------

// Records the timer messages and checks, while the window still exists, that the scene killed its timer.
int gTicks = 0;
int gTimerLeftAfterStop = -1;
HDC gScreenDcAfterStop = reinterpret_cast<HDC>(1);

LRESULT CALLBACK SceneWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        ++gTicks;
        return 0;  // the frame tick itself is not under test here
    case WM_DESTROY: {
        const LRESULT result = ScreenSaverProc(window, message, wParam, lParam);
        gTimerLeftAfterStop = KillTimer(window, 101) ? 1 : 0;
        gScreenDcAfterStop = gScene.screenDc;
        return result;
    }
    case WM_CREATE:
    case WM_PAINT:
        return ScreenSaverProc(window, message, wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

class SceneLifecycle : public ::testing::Test {
protected:
    RegistrySandbox sandbox{"scene-lifecycle"};
    HWND window = nullptr;
    void SetUp() override {
        gTicks = 0;
        gTimerLeftAfterStop = -1;
        gScreenDcAfterStop = reinterpret_cast<HDC>(1);
        WNDCLASSA wc{};
        wc.lpfnWndProc = SceneWindow;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SceneLifecycleTest";
        RegisterClassA(&wc);
        StoreSetting("Sound", 0);
    }
    void Open() {
        window = CreateWindowExA(0, "SceneLifecycleTest", "Scene", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window && IsWindow(window))
            DestroyWindow(window);
        PumpMessages();
    }
    int TicksIn(DWORD milliseconds) {
        gTicks = 0;
        PumpFor(milliseconds);
        return gTicks;
    }
};

TEST_F(SceneLifecycle, TickIntervalIs151MillisecondsLessTheSpeed) {
    StoreSetting("Speed", 0);
    Open();
    EXPECT_EQ(gScene.timerSet, 1);
    const int slow = TicksIn(1000);
    DestroyWindow(window);
    StoreSetting("Speed", 150);
    Open();
    const int fast = TicksIn(1000);
    // 151 ms can tick at most seven times a second; 1 ms ticks as fast as the timer goes.
    EXPECT_LE(slow, 7);
    EXPECT_GE(slow, 3);
    EXPECT_GE(fast, 20);
}

TEST_F(SceneLifecycle, APaintBeforeTheBackdropExistsOnlyAsksForTheClock) {
    Open();
    ASSERT_EQ(gScene.backdropDc, nullptr);
    ASSERT_NE(gScene.screenDc, nullptr);
    gScene.clockRedrawPending = 0;
    InvalidateRect(window, nullptr, FALSE);
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(gScene.clockRedrawPending, 1);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(window, &pending, FALSE)) << "the paint request was answered";
    EXPECT_EQ(gScene.backdropDc, nullptr);
}

TEST_F(SceneLifecycle, DestructionRightAfterCreationKillsTheTimerAndReleasesTheScreen) {
    ASSERT_EQ(GetProfileIntA("Mail", "MAPI", 7), 0);
    const bool loadedBefore = GetModuleHandleA("MAPI32.DLL") != nullptr;
    Open();
    EXPECT_EQ(gScene.timerSet, 1);
    EXPECT_NE(gScene.screenDc, nullptr);
    EXPECT_EQ(gScene.mailCheckOn, 0);
    EXPECT_FALSE(loadedBefore);
    EXPECT_EQ(GetModuleHandleA("MAPI32.DLL"), nullptr) << "without the mail key the mail library stays unloaded";
    DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(gTimerLeftAfterStop, 0) << "the scene's timer was already gone";
    EXPECT_EQ(gScreenDcAfterStop, nullptr);
    EXPECT_EQ(gTicks, 0);
}

}  // namespace
