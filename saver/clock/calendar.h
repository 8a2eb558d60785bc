// The date source, the month calendar painted on the board, and the holiday tests.
#pragma once
#include <windows.h>

#include <ctime>

// Index 0 is empty; 1..12 are the German month names (code page 1252).
extern const char* const MonthNames[13];

struct LocalDate {
    int day;      // 1..31
    int month;    // 1..12
    int year;     // e.g. 2026
    int hour;     // 0..23
    int minute;   // 0..59
    int second;
    int weekday;  // 0 Sunday .. 6 Saturday
};

// The scene's clock in seconds since 1970: the machine's, unless a benchmark or a test has put a
// clock of its own in place (null puts the machine's back).
using TimeSource = std::time_t (*)();
void SetTimeSource(TimeSource source);
std::time_t SceneTime();

// The local time of the scene's clock, the one date source of the whole scene.
LocalDate ReadLocalDate();
// Test seam: while set, ReadLocalDate answers from this source instead of the machine's clock.
using LocalDateSource = LocalDate (*)();
void SetLocalDateSource(LocalDateSource source);

bool IsLeapYear(int year);
// 28..31, or 0 for a month outside 1..12.
int DaysInMonth(int month, int year);
int DayOfYear(int day, int month, int year);
// Day of the year of Easter Sunday (Gregorian computus); 0 for years before the calendar reform.
int EasterDayOfYear(int year);
// 1 from the Saturday before Easter Sunday to Easter Monday.
int IsEasterDate(int day, int month, int year);
int IsEasterTime();

// Paints the month of today into the calendar motive (cells inside width x height), unless it
// was already drawn for today and force is 0.
void DrawCalendar(HBITMAP bitmap, int width, int height, int force);
// One day's number, right-aligned in the box of width w + 2 from (x, y), in the font selected into dc.
void DrawCalendarDay(HDC dc, int d, bool weekend, bool today, int x, int y, int w, int h);
// Paints the month that contains the given day, marking that day as today.
void DrawMonthSheet(HBITMAP bitmap, int width, int height, const LocalDate& today);
