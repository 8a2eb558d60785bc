// The more-options dialog 121, made from the saver's own template and driven with messages.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

#include "dialogs/dialog_harness.h"
#include "settings/more_options_dialog.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class MoreOptionsTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox{"dialogs-more"};
    std::unique_ptr<IntlSettings> intl;
    HWND dialog = nullptr;

    void SetUp() override {
        UseClock("1", "", "");
        LoadSettings();
    }
    void TearDown() override {
        Close();
        intl.reset();
    }
    void UseClock(const char* iTime, const char* morning, const char* evening) {
        intl.reset();
        intl = std::make_unique<IntlSettings>(iTime, morning, evening);
    }
    void Open(HMODULE module = SaverModule()) {
        dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(IDD_MORE_OPTIONS), nullptr, MoreOptionsDialog, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
    }
    void Close() {
        if (dialog)
            DestroyWindow(dialog);
        dialog = nullptr;
    }
    HWND Item(int id) { return GetDlgItem(dialog, id); }
    std::string Text(int id) { return DialogItemText(dialog, id); }
    void Scroll(int bar, WORD code, WORD position = 0) {
        const UINT message = bar == IDC_BACKGROUND_BAR ? WM_VSCROLL : WM_HSCROLL;
        SendMessageA(dialog, message, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(Item(bar)));
    }
    HBITMAP Preview() {
        return reinterpret_cast<HBITMAP>(SendMessageA(Item(IDC_PREVIEW), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
};

TEST(MoreOptionsTemplate, LayoutStylesAndTexts) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(SaverModule(), IDD_MORE_OPTIONS, &t));
    EXPECT_TRUE(t.extended);
    EXPECT_EQ(t.style, static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION));
    EXPECT_EQ(t.x, 30);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 198);
    EXPECT_EQ(t.cy, 290);  // one row longer for the enlargement option; every other control stays put
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.fontName, "MS Sans Serif");

    const DWORD st = SS_TYPEMASK, bt = BS_TYPEMASK;
    const DWORD picture = SS_TYPEMASK | SS_CENTERIMAGE | SS_REALSIZEIMAGE | SS_SUNKEN;
    const DWORD edit = ES_MULTILINE | ES_CENTER | ES_RIGHT | ES_AUTOVSCROLL | ES_OEMCONVERT | ES_WANTRETURN;
    const DWORD editWanted = ES_MULTILINE | ES_CENTER | ES_AUTOVSCROLL | ES_OEMCONVERT | ES_WANTRETURN;
    ExpectControls(t, {
        {-1, "Static", st, SS_ICON, 8, 8, 20, 20, "#100", false, 0},
        {1050, "Static", st, SS_LEFT, 33, 9, 60, 12, "&Hintergrundbild:", false, 0},
        {1054, "Static", picture, SS_BITMAP | SS_CENTERIMAGE | SS_REALSIZEIMAGE | SS_SUNKEN, 33, 21, 132, 84,
         nullptr, false, WS_EX_STATICEDGE},
        {1036, "ScrollBar", SBS_VERT, SBS_VERT, 177, 21, 12, 84, nullptr, false, 0},
        {1025, "Button", bt, BS_AUTOCHECKBOX, 33, 108, 184, 9, "&automatischer Wechsel", true, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 120, 155, 1, nullptr, false, 0},
        {1045, "Static", st, SS_LEFT, 33, 126, 75, 10, "&Tag ab 00:00 Uhr", false, 0},
        {1043, "ScrollBar", SBS_VERT, SBS_HORZ, 33, 138, 75, 12, nullptr, false, 0},
        {1046, "Static", st, SS_LEFT, 114, 126, 75, 10, "&Nacht ab 00:00 Uhr", false, 0},
        {1002, "ScrollBar", SBS_VERT, SBS_HORZ, 114, 138, 75, 12, nullptr, false, 0},
        {1047, "Static", st, SS_LEFT, 33, 156, 75, 10, "&Winter ab Januar", false, 0},
        {1044, "ScrollBar", SBS_VERT, SBS_HORZ, 33, 168, 75, 12, nullptr, false, 0},
        {1048, "Static", st, SS_LEFT, 114, 156, 75, 10, "3 &Monate lang Winter", false, 0},
        {1003, "ScrollBar", SBS_VERT, SBS_HORZ, 114, 168, 75, 12, nullptr, false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 183, 155, 1, nullptr, false, 0},
        {1051, "Static", st, SS_LEFT, 33, 189, 159, 9, "&Flugzeugbanner:", false, 0},
        {1012, "Edit", edit | WS_BORDER, editWanted | WS_BORDER, 33, 201, 156, 21, nullptr, false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 225, 155, 1, nullptr, false, 0},
        {111, "Button", bt, BS_AUTOCHECKBOX, 33, 231, 73, 8, "nur &Kalender", true, 0},
        {1011, "Button", bt, BS_AUTOCHECKBOX, 33, 244, 73, 8, "&Sound", false, 0},
        {1, "Button", bt, BS_PUSHBUTTON, 114, 231, 76, 16, "OK", false, 0},
        {2, "Button", bt, BS_PUSHBUTTON, 114, 251, 76, 16, "Abbrechen", false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 271, 155, 1, nullptr, false, 0},
        {1013, "Button", bt, BS_AUTOCHECKBOX, 33, 277, 156, 9, "Auf gro\xDF" "en Bildschirmen vergr\xF6\xDF" "ern", false, 0},
    });
}

TEST_F(MoreOptionsTest, StartSetsTextsBannerAndChecks) {
    std::strcpy(gSettings.bannerText, "alt");
    gSettings.soundOn = 5;  // any non-zero value is on
    gSettings.calendarOnly = 1;
    Open();
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "  Weitere Optionen");
    EXPECT_EQ(Text(IDC_BACKGROUND_LABEL), "&Hintergrundbild:");
    EXPECT_EQ(Text(IDCANCEL), "Abbrechen");
    EXPECT_EQ(Text(IDC_SOUND), "&Sound");
    EXPECT_EQ(Text(IDC_BANNER_LABEL), "&Flugzeugbanner:");
    EXPECT_EQ(Text(IDC_AUTO_CHANGE), "&automatischer Wechsel");
    EXPECT_EQ(Text(IDC_CALENDAR_ONLY), "nur &Kalender");

    char banner[256];
    EXPECT_EQ(Text(IDC_BANNER), DefaultBannerText(banner));
    EXPECT_STREQ(gSettings.bannerText, banner);

    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SOUND), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CALENDAR_ONLY), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_AUTO_CHANGE), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_BACKGROUND_BAR)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_AUTO_CHANGE)));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CALENDAR_ONLY)));
    Close();

    gSettings.soundOn = 0;
    gSettings.calendarOnly = 0;
    gSettings.autoChange = 1;
    Open();
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SOUND), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CALENDAR_ONLY), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_AUTO_CHANGE), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BACKGROUND_BAR)));
}

TEST_F(MoreOptionsTest, ZoomBoxShowsTheSettingAndOnlyOkStoresIt) {
    EXPECT_EQ(gSettings.zoomOn, 1u) << "on without a stored value";
    Open();
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ZOOM), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_ZOOM)));
    SendDlgItemMessageA(dialog, IDC_ZOOM, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ZOOM), static_cast<UINT>(BST_UNCHECKED));
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(gSettings.zoomOn, 1u) << "Cancel keeps it";
    EXPECT_TRUE(StoredSettings().empty());
    Close();

    Open();
    SendDlgItemMessageA(dialog, IDC_ZOOM, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
    EXPECT_EQ(gSettings.zoomOn, 0u);
    EXPECT_EQ(StoredSettings().at("Zoom"), std::make_pair(static_cast<DWORD>(REG_DWORD), DWORD{0}));
    Close();

    LoadSettings();
    Open();
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ZOOM), static_cast<UINT>(BST_UNCHECKED)) << "shown as stored";
}

TEST_F(MoreOptionsTest, DefaultLabelsOnA24HourClock) {
    Open();
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 08:00 Uhr");
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 21:00 Uhr");
    EXPECT_EQ(Text(IDC_WINTER_START_LABEL), "&Winter ab Dezember");
    EXPECT_EQ(Text(IDC_WINTER_END_LABEL), "&bis M\xE4rz");
    Close();

    // Any iTime of 1 or more is the 24-hour clock; designators are then left out.
    UseClock("2", "vorm.", "nachm.");
    gSettings.nightAfterHour = 23;
    Open();
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 08:00 Uhr");
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 24:00 Uhr");
}

TEST_F(MoreOptionsTest, TwelveHourLabelsTakeTheDesignators) {
    UseClock("0", "vorm.", "nachm.");
    Open();
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 08:00 Uhr vorm.");
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 09:00 Uhr nachm.");
    Scroll(IDC_NIGHT_BAR, SB_THUMBTRACK, 13);
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 02:00 Uhr nachm.");
    Scroll(IDC_DAY_BAR, SB_THUMBTRACK, 1);
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 01:00 Uhr vorm.");
    Close();

    // Below 1 counts as 12-hour; a designator is read with at most 7 characters.
    UseClock("-1", "Vormittag", "Nachmittag");
    Open();
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 01:00 Uhr Vormitt");
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 02:00 Uhr Nachmit");
}

TEST_F(MoreOptionsTest, TwelveHourLabelsCallNoonAfternoonAndMidnightMorning) {
    UseClock("0", "AM", "PM");
    Open();
    // The hours on either side of noon and of midnight, on both bars.
    Scroll(IDC_DAY_BAR, SB_THUMBTRACK, 11);
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 11:00 Uhr AM");
    Scroll(IDC_DAY_BAR, SB_LINERIGHT);
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 12:00 Uhr PM") << "noon";
    Scroll(IDC_NIGHT_BAR, SB_THUMBTRACK, 22);
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 11:00 Uhr PM");
    Scroll(IDC_NIGHT_BAR, SB_LINERIGHT);
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 12:00 Uhr AM") << "midnight";
    Close();

    // The same when the dialog opens on those hours.
    Open();
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 12:00 Uhr PM");
    EXPECT_EQ(Text(IDC_NIGHT_LABEL), "&Nacht ab 12:00 Uhr AM");
}

TEST_F(MoreOptionsTest, WinterLabelsFollowBothBars) {
    gSettings.winterStartMonth = 11;
    gSettings.winterMonths = 1;
    Open();
    EXPECT_EQ(Text(IDC_WINTER_START_LABEL), "&Winter ab November");
    EXPECT_EQ(Text(IDC_WINTER_END_LABEL), "&bis Dezember");
    Close();

    gSettings.winterStartMonth = 12;
    gSettings.winterMonths = 11;
    Open();
    EXPECT_EQ(Text(IDC_WINTER_END_LABEL), "&bis November");
    Scroll(IDC_WINTER_START_BAR, SB_LINELEFT);
    EXPECT_EQ(Text(IDC_WINTER_START_LABEL), "&Winter ab November");
    EXPECT_EQ(Text(IDC_WINTER_END_LABEL), "&bis Oktober");
    Scroll(IDC_WINTER_MONTHS_BAR, SB_THUMBTRACK, 2);
    EXPECT_EQ(Text(IDC_WINTER_START_LABEL), "&Winter ab November");
    EXPECT_EQ(Text(IDC_WINTER_END_LABEL), "&bis Januar");
}

// Each bar: its range, its stops at both ends, page steps of one, and the thumb.
TEST_F(MoreOptionsTest, EveryBarStopsAtItsLimits) {
    struct Bar {
        int id;
        int* field;
        int low, high;
        WORD less, lessPage, more, morePage;
    };
    const Bar bars[] = {
        {IDC_DAY_BAR, &gSettings.dayFromHour, 1, 12, SB_LINELEFT, SB_PAGELEFT, SB_LINERIGHT, SB_PAGERIGHT},
        {IDC_NIGHT_BAR, &gSettings.nightAfterHour, 13, 23, SB_LINELEFT, SB_PAGELEFT, SB_LINERIGHT, SB_PAGERIGHT},
        {IDC_WINTER_START_BAR, &gSettings.winterStartMonth, 1, 12, SB_LINELEFT, SB_PAGELEFT, SB_LINERIGHT,
         SB_PAGERIGHT},
        {IDC_WINTER_MONTHS_BAR, &gSettings.winterMonths, 1, 11, SB_LINELEFT, SB_PAGELEFT, SB_LINERIGHT,
         SB_PAGERIGHT},
        {IDC_BACKGROUND_BAR, &gSettings.backgroundNo, 1, 4, SB_LINEUP, SB_PAGEUP, SB_LINEDOWN, SB_PAGEDOWN},
    };
    Open();
    for (const Bar& b : bars) {
        SCOPED_TRACE("bar " + std::to_string(b.id));
        auto expect = [&](int value) {
            EXPECT_EQ(*b.field, value);
            EXPECT_EQ(GetScrollPos(Item(b.id), SB_CTL), value);
            EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, b.id, nullptr, FALSE)), value);
        };
        int low = -1, high = -1;
        GetScrollRange(Item(b.id), SB_CTL, &low, &high);
        EXPECT_EQ(low, b.low);
        EXPECT_EQ(high, b.high);

        for (int i = 0; i < 30; ++i)
            Scroll(b.id, b.less);
        expect(b.low);
        Scroll(b.id, b.lessPage);
        expect(b.low);
        Scroll(b.id, b.morePage);
        expect(b.low + 1);
        Scroll(b.id, b.more);
        expect(b.low + 2);
        for (int i = 0; i < 30; ++i)
            Scroll(b.id, b.morePage);
        expect(b.high);
        Scroll(b.id, b.more);
        expect(b.high);
        Scroll(b.id, b.lessPage);
        expect(b.high - 1);
        Scroll(b.id, SB_THUMBTRACK, 0);
        expect(b.low);
        Scroll(b.id, SB_THUMBPOSITION, 0xFFFF);
        expect(b.high);
        Scroll(b.id, SB_THUMBTRACK, static_cast<WORD>(b.low + 1));
        expect(b.low + 1);
        Scroll(b.id, SB_ENDSCROLL, 0);
        expect(b.low + 1);
    }
}

TEST_F(MoreOptionsTest, ScrollMessagesFromOtherWindowsAreNotTaken) {
    Open();
    EXPECT_FALSE(MoreOptionsDialog(dialog, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(Item(IDC_BANNER))));
    EXPECT_FALSE(MoreOptionsDialog(dialog, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(Item(IDC_DAY_BAR))));
    EXPECT_FALSE(MoreOptionsDialog(dialog, WM_HSCROLL, SB_LINERIGHT, 0));
    EXPECT_EQ(gSettings.dayFromHour, 8);
    EXPECT_EQ(gSettings.backgroundNo, 1);
    EXPECT_TRUE(MoreOptionsDialog(dialog, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(Item(IDC_DAY_BAR))));
    EXPECT_EQ(gSettings.dayFromHour, 9);
    EXPECT_EQ(Text(IDC_DAY_LABEL), "&Tag ab 09:00 Uhr");
}

// Pictures of our own for "HG01" and "HG03"; "HG02" and "HG04" are missing.
TEST_F(MoreOptionsTest, PreviewFollowsTheBackgroundBarAndKeepsTheLastPicture) {
    PreviewModule pictures(std::map<int, int>{{1, 40}, {3, 120}});
    ASSERT_NE(pictures.module(), nullptr);
    auto colourOf = [](HBITMAP bitmap) {
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 262);
        EXPECT_EQ(info.bmHeight, 169);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        const COLORREF colour = GetPixel(dc, 131, 84);
        SelectObject(dc, old);
        DeleteDC(dc);
        return colour;
    };

    Open(pictures.module());
    HBITMAP first = Preview();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(colourOf(first), PreviewColour(40));

    Scroll(IDC_BACKGROUND_BAR, SB_LINEDOWN);
    EXPECT_EQ(gSettings.backgroundNo, 2);
    EXPECT_EQ(Preview(), first);

    Scroll(IDC_BACKGROUND_BAR, SB_PAGEDOWN);
    EXPECT_EQ(gSettings.backgroundNo, 3);
    HBITMAP third = Preview();
    ASSERT_NE(third, nullptr);
    EXPECT_NE(third, first);
    EXPECT_EQ(colourOf(third), PreviewColour(120));

    Scroll(IDC_BACKGROUND_BAR, SB_THUMBTRACK, 4);
    EXPECT_EQ(Preview(), third);
    Close();

    // Opening on a missing picture shows none, and the dialog still works.
    gSettings.backgroundNo = 2;
    Open(pictures.module());
    EXPECT_EQ(Preview(), nullptr);
    Scroll(IDC_BACKGROUND_BAR, SB_LINEUP);
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(colourOf(Preview()), PreviewColour(40));
}

// Once the dialog is up the preview is loaded and handed over a second time, and only once.
TEST_F(MoreOptionsTest, PreviewTimerShowsThePictureOnceMore) {
    PreviewModule pictures(std::map<int, int>{{1, 40}});
    ASSERT_NE(pictures.module(), nullptr);
    Open(pictures.module());
    EXPECT_TRUE(KillTimer(dialog, PreviewTimerId));  // started by WM_INITDIALOG
    Close();

    Open(pictures.module());
    HBITMAP atStart = Preview();
    ASSERT_NE(atStart, nullptr);
    PumpFor(250);
    HBITMAP afterTimer = Preview();
    EXPECT_NE(afterTimer, nullptr);
    EXPECT_NE(afterTimer, atStart);
    EXPECT_FALSE(KillTimer(dialog, PreviewTimerId));  // it killed itself
    PumpFor(150);
    EXPECT_EQ(Preview(), afterTimer);
}

TEST_F(MoreOptionsTest, AutoChangeCommandTogglesTheCheckAndLocksTheBar) {
    Open();
    EXPECT_FALSE(MoreOptionsDialog(dialog, WM_COMMAND, IDC_AUTO_CHANGE, 0));
    EXPECT_EQ(gSettings.autoChange, 1);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_AUTO_CHANGE), static_cast<UINT>(BST_CHECKED));
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_BACKGROUND_BAR)));
    EXPECT_FALSE(MoreOptionsDialog(dialog, WM_COMMAND, IDC_AUTO_CHANGE, 0));
    EXPECT_EQ(gSettings.autoChange, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_AUTO_CHANGE), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_BACKGROUND_BAR)));
}

TEST_F(MoreOptionsTest, CancelPutsBackTheEightValuesAndStoresNothing) {
    gSettings.backgroundNo = 2;
    gSettings.dayFromHour = 7;
    gSettings.nightAfterHour = 18;
    gSettings.winterStartMonth = 10;
    gSettings.winterMonths = 4;
    gSettings.soundOn = 1;
    gSettings.calendarOnly = 1;
    gSettings.autoChange = 0;
    const Settings before = gSettings;
    Open();
    Scroll(IDC_BACKGROUND_BAR, SB_LINEDOWN);
    Scroll(IDC_DAY_BAR, SB_LINERIGHT);
    Scroll(IDC_NIGHT_BAR, SB_LINERIGHT);
    Scroll(IDC_WINTER_START_BAR, SB_LINELEFT);
    Scroll(IDC_WINTER_MONTHS_BAR, SB_LINERIGHT);
    MoreOptionsDialog(dialog, WM_COMMAND, IDC_AUTO_CHANGE, 0);
    gSettings.soundOn = 0;
    gSettings.calendarOnly = 0;
    ASSERT_NE(gSettings.dayFromHour, before.dayFromHour);

    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(gSettings.backgroundNo, 2);
    EXPECT_EQ(gSettings.dayFromHour, 7);
    EXPECT_EQ(gSettings.nightAfterHour, 18);
    EXPECT_EQ(gSettings.winterStartMonth, 10);
    EXPECT_EQ(gSettings.winterMonths, 4);
    EXPECT_EQ(gSettings.soundOn, 1u);
    EXPECT_EQ(gSettings.calendarOnly, 1);
    EXPECT_EQ(gSettings.autoChange, 0);
    EXPECT_TRUE(StoredSettings().empty());
}

TEST_F(MoreOptionsTest, OkReadsTheControlsAndStoresTheSevenValues) {
    gSettings.speed = 77;
    gSettings.calendarOnly = 1;
    Open();
    Scroll(IDC_DAY_BAR, SB_LINERIGHT);
    Scroll(IDC_NIGHT_BAR, SB_PAGERIGHT);
    Scroll(IDC_NIGHT_BAR, SB_PAGERIGHT);
    Scroll(IDC_WINTER_START_BAR, SB_LINELEFT);
    Scroll(IDC_WINTER_MONTHS_BAR, SB_LINERIGHT);
    Scroll(IDC_BACKGROUND_BAR, SB_LINEDOWN);
    SendDlgItemMessageA(dialog, IDC_SOUND, BM_CLICK, 0, 0);
    SetDlgItemTextA(dialog, IDC_BANNER, "Gr\xFC\xDF" "e\r\naus der Stra\xDF" "e");
    SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);

    const std::map<std::string, std::pair<DWORD, DWORD>> expected = {
        {"Speed", {REG_DWORD, 77}},  {"Tag", {REG_DWORD, 9}},          {"Nacht", {REG_DWORD, 22}},
        {"Winter", {REG_DWORD, 11}}, {"Wintermonate", {REG_DWORD, 4}}, {"Sound", {REG_DWORD, 0}},
        {"Zoom", {REG_DWORD, 1}},
    };
    EXPECT_EQ(StoredSettings(), expected);
    EXPECT_EQ(gSettings.soundOn, 0u);
    EXPECT_EQ(gSettings.calendarOnly, 1);
    EXPECT_EQ(gSettings.autoChange, 0);
    EXPECT_EQ(gSettings.backgroundNo, 2);
    EXPECT_STREQ(gSettings.bannerText, "Gr\xFC\xDF" "e\r\naus der Stra\xDF" "e");
}

TEST_F(MoreOptionsTest, ModalDialogEndsWithOneForOkAndCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        ModalScript script;
        script.Then("  Weitere Optionen", [button](HWND d) { SendDlgItemMessageA(d, button, BM_CLICK, 0, 0); })
            .Start();
        EXPECT_EQ(DialogBoxParamA(SaverModule(), MAKEINTRESOURCEA(IDD_MORE_OPTIONS), nullptr, MoreOptionsDialog, 0),
                  1)
            << button;
        EXPECT_TRUE(script.Finished());
    }
}

}  // namespace
