// Calendar arithmetic, the Easter days, the month sheet on the board and the shelter clock.
#include <gtest/gtest.h>

#include "clock/calendar.h"
#include "clock/clock.h"
#include "gfx/resources.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

TEST(Calendar, MonthLengthsAndLeapYears) {
    EXPECT_EQ(DaysInMonth(1, 2026), 31);
    EXPECT_EQ(DaysInMonth(4, 2026), 30);
    EXPECT_EQ(DaysInMonth(2, 2026), 28);
    EXPECT_EQ(DaysInMonth(2, 2024), 29);
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(0, 2026), 0);
    EXPECT_EQ(DaysInMonth(13, 2026), 0);
}

TEST(Calendar, MonthNamesAreGerman) {
    EXPECT_STREQ(MonthNames[0], "");
    EXPECT_STREQ(MonthNames[3], "M\xE4rz");
    EXPECT_STREQ(MonthNames[12], "Dezember");
}

// Easter Sunday as day and month, from the day of the year the program computes.
std::pair<int, int> EasterSunday(int year) {
    int doy = EasterDayOfYear(year);
    int month = 1;
    while (doy > DaysInMonth(month, year))
        doy -= DaysInMonth(month++, year);
    return {doy, month};
}

TEST(Easter, SundaysOfKnownYears) {
    using DM = std::pair<int, int>;
    EXPECT_EQ(EasterSunday(1996), DM(7, 4));
    EXPECT_EQ(EasterSunday(1999), DM(4, 4));
    EXPECT_EQ(EasterSunday(2000), DM(23, 4));
    EXPECT_EQ(EasterSunday(2008), DM(23, 3));
    EXPECT_EQ(EasterSunday(2016), DM(27, 3));
    // Beyond the years the first version knew, Easter still comes every spring.
    EXPECT_EQ(EasterSunday(2017), DM(16, 4));
    EXPECT_EQ(EasterSunday(2019), DM(21, 4));
    EXPECT_EQ(EasterSunday(2024), DM(31, 3));
    EXPECT_EQ(EasterSunday(2026), DM(5, 4));
    EXPECT_EQ(EasterSunday(2038), DM(25, 4));
}

TEST(Easter, FromHolySaturdayToEasterMonday) {
    EXPECT_EQ(IsEasterDate(2, 4, 2010), 0);
    EXPECT_EQ(IsEasterDate(3, 4, 2010), 1);
    EXPECT_EQ(IsEasterDate(4, 4, 2010), 1);
    EXPECT_EQ(IsEasterDate(5, 4, 2010), 1);
    EXPECT_EQ(IsEasterDate(6, 4, 2010), 0);
    EXPECT_EQ(IsEasterDate(4, 4, 2026), 1);
    EXPECT_EQ(IsEasterDate(6, 4, 2026), 1);
    EXPECT_EQ(IsEasterDate(7, 4, 2026), 0);
    // Easter 2024 on 31 March: the Monday is 1 April, across the month end.
    EXPECT_EQ(IsEasterDate(1, 4, 2024), 1);
    EXPECT_EQ(IsEasterDate(30, 3, 2024), 1);
}

// A white calendar sheet to paint on, read back pixel by pixel.
class MonthSheet : public ::testing::Test {
protected:
    HBITMAP sheet = nullptr;
    HDC reader = nullptr;
    HGDIOBJ old = nullptr;

    void Paint(int day, int month, int year, int weekday) {
        HDC screen = GetDC(nullptr);
        sheet = CreateCompatibleBitmap(screen, 168, 130);
        ReleaseDC(nullptr, screen);
        reader = CreateCompatibleDC(nullptr);
        old = SelectObject(reader, sheet);
        RECT all{0, 0, 168, 130};
        FillRect(reader, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SelectObject(reader, old);
        DrawMonthSheet(sheet, 156, 128, LocalDate{day, month, year, 12, 0, 0, weekday});
        SelectObject(reader, sheet);
    }
    void TearDown() override {
        SelectObject(reader, old);
        DeleteDC(reader);
        DeleteObject(sheet);
    }
    // Counts pixels of one colour inside the cell of a row and column (cells are 21 x 20 from (9, 8)).
    int CountInCell(int row, int column, COLORREF colour) {
        int count = 0;
        for (int y = 8 + 20 * row; y < 8 + 20 * (row + 1); ++y)
            for (int x = 9 + 21 * column; x < 9 + 21 * (column + 1); ++x)
                count += GetPixel(reader, x, y) == colour;
        return count;
    }
};

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kTodayWeekend = RGB(210, 0, 0);
const COLORREF kToday = RGB(230, 255, 64);

TEST_F(MonthSheet, February2026StartsOnSundayInTheSecondRowAndMarksSaturdaySeventh) {
    Paint(7, 2, 2026, 6);  // Saturday 7 February 2026
    EXPECT_GT(CountInCell(1, 6, kRed), 0) << "the 1st, a Sunday, is red";
    EXPECT_EQ(CountInCell(1, 0, kBlack) + CountInCell(1, 0, kRed), 0) << "no day before the 1st";
    EXPECT_GT(CountInCell(2, 5, kTodayWeekend), 20) << "the 7th is today, on dark red";
    EXPECT_GT(CountInCell(2, 0, kBlack), 0) << "Monday the 2nd is black";
    EXPECT_EQ(CountInCell(2, 0, kRed), 0);
    EXPECT_GT(CountInCell(4, 6, kRed), 0) << "Sunday the 22nd";
}

TEST_F(MonthSheet, December2025LeavesTheFirstRowToTheTitle) {
    Paint(10, 12, 2025, 3);  // Wednesday 10 December 2025
    EXPECT_GT(CountInCell(1, 0, kBlack), 0) << "Monday the 1st in the second row";
    EXPECT_GT(CountInCell(2, 2, kToday), 20) << "the 10th is today, on yellow-green";
    EXPECT_EQ(CountInCell(0, 6, kRed), 0);
}

TEST_F(MonthSheet, January2000KeepsItsWeekendInTheFirstRow) {
    Paint(3, 1, 2000, 1);  // Monday 3 January 2000
    EXPECT_GT(CountInCell(0, 5, kRed), 0) << "Saturday the 1st";
    EXPECT_GT(CountInCell(0, 6, kRed), 0) << "Sunday the 2nd";
    EXPECT_GT(CountInCell(1, 0, kToday), 20) << "Monday the 3rd is today";
}

// The clock draws onto a window-sized surface from a digit strip whose digit d is painted in
// colour index 10 + d, so the colour under each digit place tells which digit was drawn.
class ShelterClock : public ::testing::Test {
protected:
    static PictureModule pictures;
    static HMODULE module;
    HBITMAP surface = nullptr;
    HGDIOBJ old = nullptr;

    static void SetUpTestSuite() {
        pictures.AddPicture("UHR_00", 144, 26, [](int x, int) { return static_cast<unsigned char>(10 + x / 14); });
        module = pictures.Build(ScrPath());
    }
    void SetUp() override {
        ASSERT_NE(module, nullptr);
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 0;
        HPALETTE none = nullptr;
        gScene.clockPicture[0] = LoadSceneBitmap(module, "UHR_00", &none, false);
        ASSERT_NE(gScene.clockPicture[0], nullptr);
        HDC screen = GetDC(nullptr);
        surface = CreateCompatibleBitmap(screen, 200, 60);
        ReleaseDC(nullptr, screen);
        gScene.screenDc = CreateCompatibleDC(nullptr);
        old = SelectObject(gScene.screenDc, surface);
        gScene.clockX = 10;
        gScene.clockY = 20;
        gScene.use24HourClock = 1;
    }
    void TearDown() override {
        SelectObject(gScene.screenDc, old);
        DeleteDC(gScene.screenDc);
        DeleteObject(surface);
        DeleteObject(gScene.clockPicture[0]);
    }
    int DigitAt(int offset) {
        const COLORREF c = GetPixel(gScene.screenDc, gScene.clockX + offset + 7, gScene.clockY + 13);
        for (int d = 0; d < 10; ++d) {
            const RGBQUAD q = PictureModule::TableEntry(10 + d);
            if (c == RGB(q.rgbRed, q.rgbGreen, q.rgbBlue))
                return d;
        }
        return -1;
    }
    std::string Shown() {
        return std::to_string(DigitAt(0)) + std::to_string(DigitAt(14)) + ":" + std::to_string(DigitAt(33)) +
               std::to_string(DigitAt(48));
    }
    void Blank() {
        RECT all{0, 0, 200, 60};
        FillRect(gScene.screenDc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
};
PictureModule ShelterClock::pictures;
HMODULE ShelterClock::module = nullptr;

TEST_F(ShelterClock, TwentyFourHourClock) {
    DrawClock(13, 5);
    EXPECT_EQ(Shown(), "13:05");
    EXPECT_EQ(gScene.clockMinute, 5);
}

TEST_F(ShelterClock, TwelveHourClockKeepsMidnightAndNoon) {
    gScene.use24HourClock = 0;
    DrawClock(13, 5);
    EXPECT_EQ(Shown(), "01:05");
    DrawClock(0, 30);
    EXPECT_EQ(Shown(), "00:30");
    DrawClock(12, 0);
    EXPECT_EQ(Shown(), "12:00");
    EXPECT_EQ(DisplayedHour(23, 0), 11);
    EXPECT_EQ(DisplayedHour(23, 1), 23);
}

TEST_F(ShelterClock, DrawsOnlyWhenTheMinuteChangesOrARedrawIsPending) {
    DrawClock(9, 41);
    Blank();
    DrawClock(9, 41);
    EXPECT_EQ(DigitAt(0), -1) << "same minute: nothing drawn";
    gScene.clockRedrawPending = 1;
    DrawClock(9, 41);
    EXPECT_EQ(Shown(), "09:41");
    EXPECT_EQ(gScene.clockRedrawPending, 0);
    Blank();
    DrawClock(9, 42);
    EXPECT_EQ(Shown(), "09:42");
}

}  // namespace
