// The user's settings: seven values kept in the registry, the rest in memory only.
#pragma once
#include <windows.h>

struct Settings {
    DWORD speed;            // 0 (slow) .. 150 (fast); the frame timer fires every 151 - speed ms
    DWORD soundOn;          // 0 off, anything else on
    DWORD zoomOn;           // 0: the scene stays at its own size on big monitors; else it is enlarged
    int dayFromHour;        // first hour (1..12) shown with the day pictures
    int nightAfterHour;     // last hour (13..23) shown with the day pictures
    int winterStartMonth;   // 1..12
    int winterMonths;       // 1..11 months after the start month that are still winter
    int backgroundNo;       // 1..4, not stored
    int autoChange;         // not stored
    int calendarOnly;       // not stored
    char bannerText[256];   // not stored; edited in the more-options dialog
};

extern Settings gSettings;

// Registry key below HKEY_CURRENT_USER.
extern const char* const SettingsKeyName;

constexpr DWORD DefaultSpeed = 129;
constexpr DWORD MaxSpeed = 150;

void LoadSettings();
void SaveSettings();
char* DefaultBannerText(char* buffer);

// Day runs from dayFromHour to nightAfterHour inclusive.
bool IsDayHour(const Settings& s, int hour);
// The end month (start + months, wrapped into 1..12) is itself a winter month.
int WinterEndMonth(const Settings& s);
bool IsWinterMonth(const Settings& s, int month);
