#include "clock/calendar.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "scene/scene_state.h"

const char* const MonthNames[13] = {"",     "Januar", "Februar", "M\xE4rz",  "April",    "Mai",     "Juni",
                                    "Juli", "August", "September", "Oktober", "November", "Dezember"};

namespace {

constexpr COLORREF kDayColour = RGB(0, 0, 0);
constexpr COLORREF kWeekendColour = RGB(255, 0, 0);
constexpr COLORREF kInkColour = 0x100000;        // today's number and the title
constexpr COLORREF kTodayBack = 0x40FFE6;        // yellow-green
constexpr COLORREF kTodayWeekendBack = 0x0000D2; // dark red

constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

void DrawCalendarTitle(HDC dc, int month, int year, int x, int y, int w, int h) {
    if (month < 1 || month > 12)
        return;
    char text[40];
    std::snprintf(text, sizeof text, "%s %02d ", MonthNames[month], year);
    RECT box{x, y, x + w, y + h};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInkColour);
    DrawTextA(dc, text, -1, &box, 0);
}

}  // namespace

void DrawCalendarDay(HDC dc, int d, bool weekend, bool today, int x, int y, int w, int h) {
    if (d < 1 || d > 31)
        return;
    char text[4];
    std::snprintf(text, sizeof text, "%d", d);
    RECT box{x, y, x + w + 2, y + h};
    // Right-aligned in a box that a two-digit number in bold Arial overfills by a pixel or so at
    // the left; clipping would shave the first digit ("10" reads "L0"), so the ink may spill into
    // the gap before the box, where nothing else is drawn.
    const UINT format = DT_RIGHT | DT_NOCLIP;
    if (today) {
        SetBkColor(dc, weekend ? kTodayWeekendBack : kTodayBack);
        SetTextColor(dc, kInkColour);
        SetBkMode(dc, OPAQUE);
        DrawTextA(dc, text, -1, &box, format);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kDayColour);
    DrawTextA(dc, text, -1, &box, format);
    if (weekend) {
        SetTextColor(dc, kWeekendColour);
        DrawTextA(dc, text, -1, &box, format);
    }
}

namespace {
TimeSource gTimeSource = nullptr;
LocalDateSource gDateSource = nullptr;
}

void SetTimeSource(TimeSource source) {
    gTimeSource = source;
}

void SetLocalDateSource(LocalDateSource source) {
    gDateSource = source;
}

std::time_t SceneTime() {
    return gTimeSource ? gTimeSource() : std::time(nullptr);
}

LocalDate ReadLocalDate() {
    if (gDateSource)
        return gDateSource();
    const std::time_t now = SceneTime();
    const std::tm* t = std::localtime(&now);
    return LocalDate{t->tm_mday, t->tm_mon + 1, t->tm_year + 1900, t->tm_hour, t->tm_min, t->tm_sec, t->tm_wday};
}

bool IsLeapYear(int year) {
    if (year % 400 == 0)
        return true;
    if (year % 100 == 0)
        return false;
    return year % 4 == 0;
}

int DaysInMonth(int month, int year) {
    switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

int DayOfYear(int day, int month, int year) {
    return day + kDaysBeforeMonth[month - 1] + (month > 2 && IsLeapYear(year) ? 1 : 0);
}

int EasterDayOfYear(int year) {
    if (year < 1583)
        return 0;
    // Anonymous Gregorian computus (Meeus/Jones/Butcher).
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return DayOfYear(day, month, year);
}

int IsEasterDate(int day, int month, int year) {
    const int easter = EasterDayOfYear(year);
    if (easter == 0 || month < 1 || month > 12)
        return 0;
    const int today = DayOfYear(day, month, year);
    return today >= easter - 1 && today <= easter + 1 ? 1 : 0;
}

int IsEasterTime() {
    const LocalDate now = ReadLocalDate();
    return IsEasterDate(now.day, now.month, now.year);
}

void DrawCalendar(HBITMAP bitmap, int width, int height, int force) {
    const LocalDate now = ReadLocalDate();
    if (!force && now.day == gScene.calendarDay && now.month == gScene.calendarMonth &&
        now.year == gScene.calendarYear)
        return;
    gScene.calendarDay = now.day;
    gScene.calendarMonth = now.month;
    gScene.calendarYear = now.year;
    DrawMonthSheet(bitmap, width, height, now);
}

void DrawMonthSheet(HBITMAP bitmap, int width, int height, const LocalDate& now) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return;
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

    const int cw = (width - 3) / 7;
    const int rh = (height - 3) / 6;
    LOGFONTA lf{};
    lf.lfHeight = 16;
    lf.lfWeight = 600;
    lf.lfOutPrecision = 1;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 2;
    lstrcpyA(lf.lfFaceName, "Arial");
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);

    const int n = DaysInMonth(now.month, now.year);
    const int firstWeekday = ((now.weekday - (now.day - 1)) % 7 + 7) % 7;
    // Weeks run Monday to Sunday; the month moves down a row to leave room for the title when it fits.
    int d = firstWeekday == 0 ? -5 : 2 - firstWeekday;
    if (std::abs(d) + n < 35)
        d -= 7;

    int weekday = firstWeekday;
    for (int row = 0, y = 8; row < 6; ++row, y += rh) {
        for (int column = 0, x = 9; column < 7; ++column, x += cw, ++d) {
            if (d < 1 || d > n)
                continue;
            DrawCalendarDay(dc, d, weekday == 0 || weekday == 6, d == now.day, x, y, cw - 8, rh - 7);
            weekday = (weekday + 1) % 7;
        }
    }
    DrawCalendarTitle(dc, now.month, now.year, 10, 7, width, rh);

    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}
