#include "settings/settings.h"

#include <cstring>

Settings gSettings;

const char* const SettingsKeyName = "Software\\Kestrova\\ScreenSaver\\Quellbrand 2 LE";

namespace {

const char kDefaultBanner[] = "Ihr eigener Text\r\nin der Quellbrand 2 Version 2.0";

// Reads a 4-byte value whatever type it was stored with; false when it is missing.
bool QueryDword(HKEY key, const char* name, void* field) {
    DWORD size = 4;
    return RegQueryValueExA(key, name, nullptr, nullptr, static_cast<BYTE*>(field), &size) == ERROR_SUCCESS;
}

void WriteDword(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

char* DefaultBannerText(char* buffer) {
    std::memcpy(buffer, kDefaultBanner, sizeof kDefaultBanner);
    return buffer;
}

void LoadSettings() {
    Settings& s = gSettings;
    s.speed = DefaultSpeed;
    s.soundOn = 1;
    s.zoomOn = 1;
    s.autoChange = 0;
    s.calendarOnly = 0;
    s.backgroundNo = 1;
    s.dayFromHour = 8;
    s.nightAfterHour = 20;
    s.winterStartMonth = 12;
    s.winterMonths = 3;

    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;

    QueryDword(key, "Speed", &s.speed);
    if (s.speed > MaxSpeed)  // unsigned: a negative stored value counts as too fast
        s.speed = DefaultSpeed;

    if (!QueryDword(key, "Sound", &s.soundOn))
        s.soundOn = 1;
    // Stored later than the others: settings from before it know nothing of it and mean on.
    if (!QueryDword(key, "Zoom", &s.zoomOn))
        s.zoomOn = 1;

    // A value that is present in the key but missing reads as 0 and so takes the low fallback.
    // For "Nacht" that fallback is 19, not the default 20 that a missing key gives.
    s.dayFromHour = 0;
    QueryDword(key, "Tag", &s.dayFromHour);
    if (s.dayFromHour < 1)
        s.dayFromHour = 8;
    else if (s.dayFromHour > 12)
        s.dayFromHour = 12;

    s.nightAfterHour = 0;
    QueryDword(key, "Nacht", &s.nightAfterHour);
    if (s.nightAfterHour < 13)
        s.nightAfterHour = 19;
    else if (s.nightAfterHour > 23)
        s.nightAfterHour = 23;

    s.winterStartMonth = 0;
    QueryDword(key, "Winter", &s.winterStartMonth);
    if (s.winterStartMonth < 1 || s.winterStartMonth > 12)
        s.winterStartMonth = 12;

    s.winterMonths = 0;
    QueryDword(key, "Wintermonate", &s.winterMonths);
    if (s.winterMonths < 1)
        s.winterMonths = 3;
    else if (s.winterMonths > 11)
        s.winterMonths = 11;

    RegCloseKey(key);
}

void SaveSettings() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    const Settings& s = gSettings;
    WriteDword(key, "Speed", s.speed);
    WriteDword(key, "Tag", static_cast<DWORD>(s.dayFromHour));
    WriteDword(key, "Nacht", static_cast<DWORD>(s.nightAfterHour));
    WriteDword(key, "Winter", static_cast<DWORD>(s.winterStartMonth));
    WriteDword(key, "Wintermonate", static_cast<DWORD>(s.winterMonths));
    WriteDword(key, "Sound", s.soundOn);
    WriteDword(key, "Zoom", s.zoomOn);
    RegCloseKey(key);
}

bool IsDayHour(const Settings& s, int hour) {
    return s.dayFromHour <= hour && hour <= s.nightAfterHour;
}

int WinterEndMonth(const Settings& s) {
    int end = (s.winterStartMonth + s.winterMonths) % 12;
    return end == 0 ? 12 : end;
}

bool IsWinterMonth(const Settings& s, int month) {
    const int start = s.winterStartMonth;
    const int end = WinterEndMonth(s);
    if (end >= start)
        return start <= month && month <= end;
    return month >= start || month <= end;
}
