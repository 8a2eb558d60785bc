// The settings as the registry leaves them: defaults, fallbacks, clamps and what a save writes.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox{"settings"};

    void CreateEmptyKey() {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyName, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(SettingsTest, MissingKeyGivesTheDefaults) {
    gSettings = Settings{};
    gSettings.backgroundNo = 4;
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 129u);
    EXPECT_EQ(gSettings.soundOn, 1u);
    EXPECT_EQ(gSettings.zoomOn, 1u);
    EXPECT_EQ(gSettings.dayFromHour, 8);
    EXPECT_EQ(gSettings.nightAfterHour, 20);
    EXPECT_EQ(gSettings.winterStartMonth, 12);
    EXPECT_EQ(gSettings.winterMonths, 3);
    EXPECT_EQ(gSettings.backgroundNo, 1);
    EXPECT_EQ(gSettings.autoChange, 0);
    EXPECT_EQ(gSettings.calendarOnly, 0);
}

TEST_F(SettingsTest, EmptyKeyGivesTheDefaultsButNightHour19) {
    CreateEmptyKey();
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 129u);
    EXPECT_EQ(gSettings.soundOn, 1u);
    EXPECT_EQ(gSettings.zoomOn, 1u) << "settings stored before the option existed mean on";
    EXPECT_EQ(gSettings.dayFromHour, 8);
    EXPECT_EQ(gSettings.nightAfterHour, 19);
    EXPECT_EQ(gSettings.winterStartMonth, 12);
    EXPECT_EQ(gSettings.winterMonths, 3);
}

TEST_F(SettingsTest, SpeedKeeps150AndRejectsFasterOrNegative) {
    StoreSetting("Speed", 150);
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 150u);
    StoreSetting("Speed", 151);
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 129u);
    StoreSetting("Speed", static_cast<DWORD>(-5));
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 129u);
    StoreSetting("Speed", 0);
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 0u);
}

TEST_F(SettingsTest, HoursAndMonthsAreClampedOrReplaced) {
    struct Case {
        const char* name;
        DWORD stored;
        int Settings::*field;
        int expected;
    };
    const Case cases[] = {
        {"Tag", 0, &Settings::dayFromHour, 8},          {"Tag", 13, &Settings::dayFromHour, 12},
        {"Tag", 5, &Settings::dayFromHour, 5},          {"Nacht", 12, &Settings::nightAfterHour, 19},
        {"Nacht", 24, &Settings::nightAfterHour, 23},   {"Nacht", 22, &Settings::nightAfterHour, 22},
        {"Winter", 0, &Settings::winterStartMonth, 12}, {"Winter", 13, &Settings::winterStartMonth, 12},
        {"Winter", 11, &Settings::winterStartMonth, 11}, {"Wintermonate", 0, &Settings::winterMonths, 3},
        {"Wintermonate", 12, &Settings::winterMonths, 11}, {"Wintermonate", 4, &Settings::winterMonths, 4},
        {"Tag", static_cast<DWORD>(-3), &Settings::dayFromHour, 8},
    };
    for (const Case& c : cases) {
        StoreSetting(c.name, c.stored);
        LoadSettings();
        EXPECT_EQ(gSettings.*c.field, c.expected) << c.name << " stored as " << static_cast<int>(c.stored);
    }
}

TEST_F(SettingsTest, SoundZeroIsOffAnyOtherValueIsOn) {
    StoreSetting("Sound", 0);
    LoadSettings();
    EXPECT_EQ(gSettings.soundOn, 0u);
    StoreSetting("Sound", 5);
    LoadSettings();
    EXPECT_NE(gSettings.soundOn, 0u);
}

TEST_F(SettingsTest, ZoomZeroIsOffAnyOtherValueIsOnAndSoundStaysApart) {
    StoreSetting("Zoom", 0);
    LoadSettings();
    EXPECT_EQ(gSettings.zoomOn, 0u);
    EXPECT_EQ(gSettings.soundOn, 1u);
    StoreSetting("Zoom", 7);
    StoreSetting("Sound", 0);
    LoadSettings();
    EXPECT_NE(gSettings.zoomOn, 0u);
    EXPECT_EQ(gSettings.soundOn, 0u);
}

TEST_F(SettingsTest, StoredTypeIsNotLookedAt) {
    StoreSetting("Speed", 42, REG_BINARY);
    StoreSetting("Tag", 9, REG_NONE);
    LoadSettings();
    EXPECT_EQ(gSettings.speed, 42u);
    EXPECT_EQ(gSettings.dayFromHour, 9);
}

TEST_F(SettingsTest, SaveWritesExactlyTheSevenValuesAsDwords) {
    LoadSettings();
    gSettings.speed = 75;
    gSettings.soundOn = 0;
    gSettings.zoomOn = 0;
    gSettings.dayFromHour = 7;
    gSettings.nightAfterHour = 22;
    gSettings.winterStartMonth = 11;
    gSettings.winterMonths = 2;
    gSettings.backgroundNo = 3;
    gSettings.calendarOnly = 1;
    SaveSettings();

    const auto values = StoredSettings();
    const std::map<std::string, std::pair<DWORD, DWORD>> expected = {
        {"Speed", {REG_DWORD, 75}}, {"Sound", {REG_DWORD, 0}},   {"Tag", {REG_DWORD, 7}},
        {"Nacht", {REG_DWORD, 22}}, {"Winter", {REG_DWORD, 11}}, {"Wintermonate", {REG_DWORD, 2}},
        {"Zoom", {REG_DWORD, 0}},
    };
    EXPECT_EQ(values, expected);

    LoadSettings();
    EXPECT_EQ(gSettings.speed, 75u);
    EXPECT_EQ(gSettings.zoomOn, 0u);
    EXPECT_EQ(gSettings.nightAfterHour, 22);
    EXPECT_EQ(gSettings.backgroundNo, 1);  // never stored
}

TEST(SettingsRules, DayRunsFromTheFirstToTheLastDayHourInclusive) {
    Settings s{};
    s.dayFromHour = 8;
    s.nightAfterHour = 20;
    EXPECT_FALSE(IsDayHour(s, 7));
    EXPECT_TRUE(IsDayHour(s, 8));
    EXPECT_TRUE(IsDayHour(s, 20));
    EXPECT_FALSE(IsDayHour(s, 21));
    EXPECT_FALSE(IsDayHour(s, 0));
}

TEST(SettingsRules, WinterIncludesItsEndMonthAndWrapsOverTheYear) {
    Settings s{};
    auto winter = [&s](int start, int months) {
        s.winterStartMonth = start;
        s.winterMonths = months;
        std::string map;
        for (int m = 1; m <= 12; ++m)
            map += IsWinterMonth(s, m) ? 'W' : '.';
        return map;
    };
    EXPECT_EQ(winter(12, 3), "WWW........W");  // December to March
    EXPECT_EQ(winter(11, 1), "..........WW");  // end month 12
    EXPECT_EQ(winter(1, 11), "WWWWWWWWWWWW");  // the whole year
    EXPECT_EQ(winter(3, 2), "..WWW.......");
}

TEST(SettingsRules, DefaultBannerTextHasTwoLines) {
    char buffer[256];
    EXPECT_STREQ(DefaultBannerText(buffer), "Ihr eigener Text\r\nin der Quellbrand 2 Version 2.0");
}

}  // namespace
