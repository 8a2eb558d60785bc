// The configuration dialog 2003, made from the saver's own template and driven with messages.
#include <gtest/gtest.h>

#include <cstring>

#include "dialogs/dialog_harness.h"
#include "host/frame.h"
#include "settings/config_dialog.h"
#include "settings/more_options_dialog.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

const char kTitle[] = "  Kestrova Quellbrand 2 LE";
const char kMoreTitle[] = "  Weitere Optionen";

class ConfigDialogTest : public ::testing::Test {
protected:
    RegistrySandbox sandbox{"dialogs-config"};
    HWND dialog = nullptr;

    void Open() {
        dialog = CreateDialogParamA(SaverModule(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr,
                                    ScreenSaverConfigureDialog, 0);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override {
        if (dialog)
            DestroyWindow(dialog);
    }
    void Scroll(WORD code, WORD position = 0) {
        SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SPEED)));
    }
    // The value as the dialog keeps it, as the bar shows it, and as OK would read it.
    void ExpectSpeed(int expected) {
        EXPECT_EQ(static_cast<int>(gSettings.speed), expected);
        EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_SPEED), SB_CTL), expected);
        EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, IDC_SPEED, nullptr, FALSE)), expected);
    }
};

TEST(ConfigTemplate, LayoutStylesAndTexts) {
    DialogTemplate t;
    ASSERT_TRUE(ReadDialogTemplate(SaverModule(), IDD_CONFIGURE, &t));
    EXPECT_EQ(t.style, static_cast<DWORD>(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION));
    EXPECT_EQ(t.x, 30);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, 216);
    EXPECT_EQ(t.cy, 217);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.fontName, "MS Sans Serif");

    const DWORD st = SS_TYPEMASK, bt = BS_TYPEMASK;
    ExpectControls(t, {
        {-1, "Static", st, SS_ICON, 8, 8, 20, 20, "#100", false, 0},
        {1004, "Static", st, SS_LEFT, 32, 8, 180, 24, nullptr, false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 32, 36, 174, 1, nullptr, false, 0},
        {1002, "Static", st, SS_LEFT, 32, 40, 180, 36, nullptr, false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 32, 76, 174, 1, nullptr, false, 0},
        {1003, "Static", st, SS_LEFT, 32, 80, 97, 43, nullptr, false, 0},
        {1031, "Button", bt, BS_PUSHBUTTON, 132, 84, 75, 15, nullptr, false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 126, 174, 1, nullptr, false, 0},
        {1047, "Static", st, SS_LEFT, 33, 134, 92, 10, "&Geschwindigkeit:", false, 0},
        {1001, "ScrollBar", SBS_VERT, SBS_HORZ, 33, 146, 92, 12, nullptr, false, 0},
        {1048, "Static", st, SS_LEFT, 33, 160, 42, 9, "langsam", false, 0},
        {1049, "Static", st, SS_RIGHT, 89, 160, 36, 9, "schnell", false, 0},
        {3, "Button", bt, BS_PUSHBUTTON, 132, 135, 75, 30, "weitere &Optionen", false, 0},
        {-1, "Static", st, SS_ETCHEDHORZ, 33, 174, 174, 1, nullptr, false, 0},
        {1, "Button", bt, BS_DEFPUSHBUTTON, 132, 180, 75, 15, "OK", false, 0},
        {2, "Button", bt, BS_PUSHBUTTON, 132, 198, 75, 15, "Abbrechen", false, 0},
    });
}

TEST_F(ConfigDialogTest, StartSetsTitleTextsAndBanner) {
    std::strcpy(gSettings.bannerText, "vom letzten Mal");
    Open();
    char title[64] = "";
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, kTitle);

    const std::string product = DialogItemText(dialog, IDC_PRODUCT);
    const std::string firstLine = "Kestrova Quellbrand 2 LE  Version 1.5\r\n";
    ASSERT_GT(product.size(), firstLine.size());
    EXPECT_EQ(product.substr(0, firstLine.size()), firstLine);
    EXPECT_FALSE(DialogItemText(dialog, IDC_NOTICE).empty());
    EXPECT_FALSE(DialogItemText(dialog, IDC_INFO).empty());
    EXPECT_EQ(DialogItemText(dialog, IDC_WEBPAGE), WebPageAddress);
    EXPECT_EQ(DialogItemText(dialog, IDC_SPEED_LABEL), "&Geschwindigkeit:");
    EXPECT_EQ(DialogItemText(dialog, IDC_SLOW), "langsam");
    EXPECT_EQ(DialogItemText(dialog, IDC_FAST), "schnell");
    EXPECT_EQ(DialogItemText(dialog, IDCANCEL), "Abbrechen");
    EXPECT_EQ(DialogItemText(dialog, IDC_MORE_OPTIONS), "weitere &Optionen");

    char banner[256];
    EXPECT_STREQ(gSettings.bannerText, DefaultBannerText(banner));
}

// The caption is the address itself, so it has to be one that the shell opens and that the
// 75-unit button shows in full.
TEST_F(ConfigDialogTest, WebAddressOpensAsIsAndFitsItsButton) {
    const std::string address = WebPageAddress;
    EXPECT_TRUE(address.rfind("http://", 0) == 0 || address.rfind("www.", 0) == 0) << address;
    EXPECT_NE(address.find(".example"), std::string::npos) << address;

    Open();
    HWND button = GetDlgItem(dialog, IDC_WEBPAGE);
    RECT client;
    GetClientRect(button, &client);
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, address.c_str(), static_cast<int>(address.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    // Room for the edges and the focus rectangle on both sides, and some slack for rendering.
    EXPECT_LE(extent.cx + 16, client.right) << "text " << extent.cx << " px, button " << client.right << " px";
}

TEST_F(ConfigDialogTest, SpeedBarOpensAtTheStoredValue) {
    Open();
    int low = -1, high = -1;
    GetScrollRange(GetDlgItem(dialog, IDC_SPEED), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 150);
    ExpectSpeed(129);  // nothing stored
    DestroyWindow(dialog);

    StoreSetting("Speed", 42);
    Open();
    ExpectSpeed(42);
}

TEST_F(ConfigDialogTest, ArrowsPagesAndThumbStopAtTheEnds) {
    Open();
    Scroll(SB_LINERIGHT);
    ExpectSpeed(130);
    Scroll(SB_LINELEFT);
    Scroll(SB_LINELEFT);
    ExpectSpeed(128);
    Scroll(SB_PAGELEFT);
    ExpectSpeed(113);
    Scroll(SB_PAGERIGHT);
    ExpectSpeed(128);

    Scroll(SB_THUMBTRACK, 140);
    Scroll(SB_PAGERIGHT);
    ExpectSpeed(150);
    Scroll(SB_LINERIGHT);
    ExpectSpeed(150);
    Scroll(SB_THUMBPOSITION, 10);
    Scroll(SB_PAGELEFT);
    ExpectSpeed(0);
    Scroll(SB_LINELEFT);
    ExpectSpeed(0);
    Scroll(SB_THUMBTRACK, 400);
    ExpectSpeed(150);
    Scroll(SB_THUMBTRACK, 75);
    ExpectSpeed(75);
    Scroll(SB_ENDSCROLL, 3);
    Scroll(SB_TOP);
    ExpectSpeed(75);
}

TEST_F(ConfigDialogTest, OkStoresExactlyTheSevenValuesWithTheSpeedShown) {
    StoreSetting("Tag", 9);
    StoreSetting("Nacht", 22);
    StoreSetting("Winter", 11);
    StoreSetting("Wintermonate", 2);
    StoreSetting("Sound", 0);
    StoreSetting("Fremd", 7);  // a value of someone else's stays as it is
    Open();
    Scroll(SB_THUMBTRACK, 75);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);

    const std::map<std::string, std::pair<DWORD, DWORD>> expected = {
        {"Speed", {REG_DWORD, 75}}, {"Tag", {REG_DWORD, 9}},          {"Nacht", {REG_DWORD, 22}},
        {"Winter", {REG_DWORD, 11}}, {"Wintermonate", {REG_DWORD, 2}}, {"Sound", {REG_DWORD, 0}},
        {"Zoom", {REG_DWORD, 1}},    {"Fremd", {REG_DWORD, 7}},
    };
    EXPECT_EQ(StoredSettings(), expected);
    // The scene's timer then fires every 151 - 75 ms.
    LoadSettings();
    EXPECT_EQ(151 - static_cast<int>(gSettings.speed), 76);
}

TEST_F(ConfigDialogTest, OkTakesTheSpeedFromTheBarsText) {
    Open();
    SetDlgItemInt(dialog, IDC_SPEED, 42, FALSE);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(StoredSettings()["Speed"].second, 42u);
    EXPECT_EQ(StoredSettings().size(), 7u);
}

TEST_F(ConfigDialogTest, CancelStoresNothing) {
    Open();
    Scroll(SB_THUMBTRACK, 3);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(StoredSettings().empty());
}

TEST_F(ConfigDialogTest, IconControlShowsTheProgramIcon) {
    if (!FindResourceA(SaverModule(), MAKEINTRESOURCEA(IDI_PROGRAM), reinterpret_cast<LPCSTR>(RT_GROUP_ICON)))
        GTEST_SKIP() << "the saver carries no icon 100 yet";
    Open();
    HWND icon = GetWindow(dialog, GW_CHILD);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
}

// Run modally as Windows does: both buttons end the dialog with 0.
TEST_F(ConfigDialogTest, ModalDialogEndsWithZeroForOkAndCancel) {
    for (int button : {IDOK, IDCANCEL}) {
        ModalScript script;
        script.Then(kTitle, [button](HWND d) { SendDlgItemMessageA(d, button, BM_CLICK, 0, 0); }).Start();
        EXPECT_EQ(DialogBoxParamA(SaverModule(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr,
                                  ScreenSaverConfigureDialog, 0),
                  0)
            << button;
        EXPECT_TRUE(script.Finished());
    }
    EXPECT_EQ(StoredSettings().size(), 7u);
}

// What the more-options dialog stored on its OK survives Cancel here, the speed shown included.
TEST_F(ConfigDialogTest, MoreOptionsOkThenCancelKeepsWhatItStored) {
    HWND config = nullptr, owner = nullptr;
    ModalScript script;
    script
        .Then(kTitle,
              [&](HWND d) {
                  config = d;
                  SendMessageA(d, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100),
                               reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_SPEED)));
                  SendDlgItemMessageA(d, IDC_MORE_OPTIONS, BM_CLICK, 0, 0);  // returns once 121 is closed
                  SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0);
              })
        .Then(kMoreTitle,
              [&](HWND d) {
                  owner = GetWindow(d, GW_OWNER);
                  SendMessageA(d, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                               reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_NIGHT_BAR)));
                  SendDlgItemMessageA(d, IDOK, BM_CLICK, 0, 0);
              })
        .Start();
    EXPECT_EQ(DialogBoxParamA(SaverModule(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr, ScreenSaverConfigureDialog, 0),
              0);
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(owner, config);

    const auto stored = StoredSettings();
    EXPECT_EQ(stored.size(), 7u);
    EXPECT_EQ(stored.at("Nacht").second, 21u);
    EXPECT_EQ(stored.at("Speed").second, 100u);
}

TEST_F(ConfigDialogTest, MoreOptionsCancelLeavesNothingStored) {
    ModalScript script;
    script
        .Then(kTitle,
              [](HWND d) {
                  SendDlgItemMessageA(d, IDC_MORE_OPTIONS, BM_CLICK, 0, 0);
                  SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0);
              })
        .Then(kMoreTitle,
              [](HWND d) {
                  SendMessageA(d, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0),
                               reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_DAY_BAR)));
                  SendDlgItemMessageA(d, IDCANCEL, BM_CLICK, 0, 0);
              })
        .Start();
    DialogBoxParamA(SaverModule(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr, ScreenSaverConfigureDialog, 0);
    ASSERT_TRUE(script.Finished());
    EXPECT_TRUE(StoredSettings().empty());
    EXPECT_EQ(gSettings.dayFromHour, 8);
}

}  // namespace
