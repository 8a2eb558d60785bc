// The more-options dialog: background preview, day and night hours, winter months, banner text,
// sound and the enlargement on big monitors. It edits gSettings in place while the user scrolls; OK stores, Cancel puts back.
#include "settings/more_options_dialog.h"

#include "clock/calendar.h"
#include "gfx/resources.h"
#include "settings/settings.h"

namespace {

constexpr UINT kPreviewDelayMs = 50;

// What Cancel puts back: every field the dialog can change except the banner text.
struct RememberedSettings {
    int autoChange;
    int dayFromHour;
    int nightAfterHour;
    int winterStartMonth;
    int winterMonths;
    int backgroundNo;
    DWORD soundOn;
    int calendarOnly;
};

RememberedSettings gRemembered;
int gUse24HourClock = 1;
char gMorning[8];
char gEvening[8];
// The preview we handed to control 1054 and its palette; replaced on every new picture.
HBITMAP gPreviewBitmap;
HPALETTE gPreviewPalette;

// One horizontal bar and the field it edits.
struct SettingBar {
    int id;
    int* field;
    int low;
    int high;
};

HINSTANCE DialogModule(HWND dialog) {
    // The module the template came from also carries the preview pictures.
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

// clockHour is the hour the label names on a 24-hour clock, 1 to 24. Noon (12) is already
// afternoon and the night that starts at 24 begins in the morning, so the designator goes by the
// hour of the day, not by which bar the label belongs to.
void AppendDesignator(char* label, int clockHour) {
    if (gUse24HourClock >= 1)
        return;
    lstrcatA(label, " ");
    lstrcatA(label, clockHour % 24 >= 12 ? gEvening : gMorning);
}

void ShowDayLabel(HWND dialog) {
    char label[64];
    wsprintfA(label, "&Tag ab %02d:00 Uhr", gSettings.dayFromHour);
    AppendDesignator(label, gSettings.dayFromHour);
    SetDlgItemTextA(dialog, IDC_DAY_LABEL, label);
}

void ShowNightLabel(HWND dialog) {
    // Night begins one hour after the last day hour; on a 12-hour clock 13..23 become 2..12.
    const int hour = gUse24HourClock >= 1 ? gSettings.nightAfterHour + 1 : gSettings.nightAfterHour - 11;
    char label[64];
    wsprintfA(label, "&Nacht ab %02d:00 Uhr", hour);
    AppendDesignator(label, gSettings.nightAfterHour + 1);
    SetDlgItemTextA(dialog, IDC_NIGHT_LABEL, label);
}

const char* MonthName(int month) {
    return month >= 1 && month <= 12 ? MonthNames[month] : MonthNames[0];
}

void ShowWinterStartLabel(HWND dialog) {
    char label[64];
    wsprintfA(label, "&Winter ab %s", MonthName(gSettings.winterStartMonth));
    SetDlgItemTextA(dialog, IDC_WINTER_START_LABEL, label);
}

void ShowWinterEndLabel(HWND dialog) {
    char label[64];
    wsprintfA(label, "&bis %s", MonthName(WinterEndMonth(gSettings)));
    SetDlgItemTextA(dialog, IDC_WINTER_END_LABEL, label);
}

void SetBar(HWND dialog, int id, int low, int high, int position) {
    HWND bar = GetDlgItem(dialog, id);
    SetScrollRange(bar, SB_CTL, low, high, TRUE);
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

// The bar shows the value as its position and keeps it as its window text as well.
void MoveBar(HWND dialog, int id, int value) {
    SetScrollPos(GetDlgItem(dialog, id), SB_CTL, value, TRUE);
    SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
}

void FreePreview() {
    if (gPreviewBitmap) {
        DeleteObject(gPreviewBitmap);
        gPreviewBitmap = nullptr;
    }
    if (gPreviewPalette) {
        DeleteObject(gPreviewPalette);
        gPreviewPalette = nullptr;
    }
}

// A picture that is missing leaves the previous preview in place.
void ShowPreview(HWND dialog) {
    char name[16];
    wsprintfA(name, "HG%02d", gSettings.backgroundNo);
    HPALETTE palette = nullptr;
    HBITMAP bitmap = LoadSceneBitmap(DialogModule(dialog), name, &palette, true);
    if (!bitmap) {
        if (palette)
            DeleteObject(palette);
        return;
    }

    // Palette first, so that the picture is drawn with its own colours on a palette display.
    if (palette) {
        HDC dc = GetDC(dialog);
        SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
        ReleaseDC(dialog, dc);
    }
    SendDlgItemMessageA(dialog, IDC_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));

    FreePreview();
    gPreviewBitmap = bitmap;
    gPreviewPalette = palette;
}

void InitDialog(HWND dialog) {
    SetWindowTextA(dialog, "  Weitere Optionen");
    SetDlgItemTextA(dialog, IDC_BACKGROUND_LABEL, "&Hintergrundbild:");
    SetDlgItemTextA(dialog, IDCANCEL, "Abbrechen");
    SetDlgItemTextA(dialog, IDC_SOUND, "&Sound");
    SetDlgItemTextA(dialog, IDC_BANNER_LABEL, "&Flugzeugbanner:");
    SetDlgItemTextA(dialog, IDC_AUTO_CHANGE, "&automatischer Wechsel");
    SetDlgItemTextA(dialog, IDC_CALENDAR_ONLY, "nur &Kalender");

    DefaultBannerText(gSettings.bannerText);
    SetDlgItemTextA(dialog, IDC_BANNER, gSettings.bannerText);

    CheckDlgButton(dialog, IDC_AUTO_CHANGE, gSettings.autoChange ? BST_CHECKED : BST_UNCHECKED);
    gRemembered.autoChange = gSettings.autoChange;

    SetBar(dialog, IDC_BACKGROUND_BAR, 1, 4, gSettings.backgroundNo);
    EnableWindow(GetDlgItem(dialog, IDC_BACKGROUND_BAR), gSettings.autoChange == 0);
    ShowPreview(dialog);

    gUse24HourClock = static_cast<int>(GetProfileIntA("intl", "iTime", 1));
    GetProfileStringA("intl", "s1159", "", gMorning, sizeof gMorning);
    GetProfileStringA("intl", "s2359", "", gEvening, sizeof gEvening);

    SetBar(dialog, IDC_DAY_BAR, 1, 12, gSettings.dayFromHour);
    ShowDayLabel(dialog);
    gRemembered.dayFromHour = gSettings.dayFromHour;
    SetBar(dialog, IDC_NIGHT_BAR, 13, 23, gSettings.nightAfterHour);
    ShowNightLabel(dialog);
    gRemembered.nightAfterHour = gSettings.nightAfterHour;
    SetBar(dialog, IDC_WINTER_START_BAR, 1, 12, gSettings.winterStartMonth);
    ShowWinterStartLabel(dialog);
    gRemembered.winterStartMonth = gSettings.winterStartMonth;
    SetBar(dialog, IDC_WINTER_MONTHS_BAR, 1, 11, gSettings.winterMonths);
    ShowWinterEndLabel(dialog);
    gRemembered.winterMonths = gSettings.winterMonths;

    CheckDlgButton(dialog, IDC_SOUND, gSettings.soundOn ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_CALENDAR_ONLY, gSettings.calendarOnly ? BST_CHECKED : BST_UNCHECKED);
    // Only OK reads this box back, so Cancel needs nothing remembered for it.
    CheckDlgButton(dialog, IDC_ZOOM, gSettings.zoomOn ? BST_CHECKED : BST_UNCHECKED);
    gRemembered.backgroundNo = gSettings.backgroundNo;
    gRemembered.soundOn = gSettings.soundOn;
    gRemembered.calendarOnly = gSettings.calendarOnly;

    // The palette realised during WM_INITDIALOG is lost once the dialog appears; do it again then.
    SetTimer(dialog, PreviewTimerId, kPreviewDelayMs, nullptr);
}

BOOL ScrollSettingBar(HWND dialog, WPARAM wParam, HWND bar) {
    const SettingBar bars[] = {
        {IDC_DAY_BAR, &gSettings.dayFromHour, 1, 12},
        {IDC_NIGHT_BAR, &gSettings.nightAfterHour, 13, 23},
        {IDC_WINTER_START_BAR, &gSettings.winterStartMonth, 1, 12},
        {IDC_WINTER_MONTHS_BAR, &gSettings.winterMonths, 1, 11},
    };
    for (const SettingBar& b : bars) {
        if (!bar || bar != GetDlgItem(dialog, b.id))
            continue;
        int value = *b.field;
        switch (LOWORD(wParam)) {
        case SB_LINELEFT:
        case SB_PAGELEFT: value -= 1; break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT: value += 1; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: value = HIWORD(wParam); break;
        default: break;
        }
        if (value < b.low)
            value = b.low;
        else if (value > b.high)
            value = b.high;
        *b.field = value;

        switch (b.id) {
        case IDC_DAY_BAR: ShowDayLabel(dialog); break;
        case IDC_NIGHT_BAR: ShowNightLabel(dialog); break;
        case IDC_WINTER_START_BAR:
            ShowWinterStartLabel(dialog);
            ShowWinterEndLabel(dialog);
            break;
        default: ShowWinterEndLabel(dialog); break;
        }
        MoveBar(dialog, b.id, value);
        return TRUE;
    }
    return FALSE;
}

BOOL ScrollBackgroundBar(HWND dialog, WPARAM wParam, HWND bar) {
    if (!bar || bar != GetDlgItem(dialog, IDC_BACKGROUND_BAR))
        return FALSE;
    unsigned value = static_cast<unsigned>(gSettings.backgroundNo);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
    case SB_PAGEUP: value -= 1; break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: value += 1; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: value = HIWORD(wParam); break;
    default: break;
    }
    if (value < 1)
        value = 1;
    else if (value > 4)
        value = 4;
    gSettings.backgroundNo = static_cast<int>(value);
    MoveBar(dialog, IDC_BACKGROUND_BAR, gSettings.backgroundNo);
    ShowPreview(dialog);
    return TRUE;
}

void Confirm(HWND dialog) {
    GetDlgItemTextA(dialog, IDC_BANNER, gSettings.bannerText, sizeof gSettings.bannerText);
    gSettings.calendarOnly = IsDlgButtonChecked(dialog, IDC_CALENDAR_ONLY) == BST_CHECKED ? 1 : 0;
    gSettings.soundOn = IsDlgButtonChecked(dialog, IDC_SOUND) == BST_CHECKED ? 1 : 0;
    gSettings.autoChange = IsDlgButtonChecked(dialog, IDC_AUTO_CHANGE) == BST_CHECKED ? 1 : 0;
    gSettings.zoomOn = IsDlgButtonChecked(dialog, IDC_ZOOM) == BST_CHECKED ? 1 : 0;
    SaveSettings();
    EndDialog(dialog, 1);
}

void Restore(HWND dialog) {
    gSettings.autoChange = gRemembered.autoChange;
    gSettings.dayFromHour = gRemembered.dayFromHour;
    gSettings.nightAfterHour = gRemembered.nightAfterHour;
    gSettings.winterStartMonth = gRemembered.winterStartMonth;
    gSettings.winterMonths = gRemembered.winterMonths;
    gSettings.backgroundNo = gRemembered.backgroundNo;
    gSettings.soundOn = gRemembered.soundOn;
    gSettings.calendarOnly = gRemembered.calendarOnly;
    EndDialog(dialog, 1);
}

void ToggleAutoChange(HWND dialog) {
    gSettings.autoChange = 1 - gSettings.autoChange;
    CheckDlgButton(dialog, IDC_AUTO_CHANGE, gSettings.autoChange ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_BACKGROUND_BAR), gSettings.autoChange == 0);
}

}  // namespace

INT_PTR CALLBACK MoreOptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam != PreviewTimerId)
            return FALSE;
        KillTimer(dialog, PreviewTimerId);
        ShowPreview(dialog);
        return TRUE;
    case WM_HSCROLL:
        return ScrollSettingBar(dialog, wParam, reinterpret_cast<HWND>(lParam));
    case WM_VSCROLL:
        return ScrollBackgroundBar(dialog, wParam, reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        switch (wParam) {
        case IDOK:
            Confirm(dialog);
            return TRUE;
        case IDCANCEL:
            Restore(dialog);
            return TRUE;
        case IDC_AUTO_CHANGE:
            ToggleAutoChange(dialog);
            return FALSE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        // The static control does not own the picture it was handed; take it back before freeing.
        SendDlgItemMessageA(dialog, IDC_PREVIEW, STM_SETIMAGE, IMAGE_BITMAP, 0);
        FreePreview();
        return FALSE;
    default:
        return FALSE;
    }
}
