// The configuration dialog that Windows' display settings open for this screen saver.
#include "settings/config_dialog.h"

#include <windows.h>
#include <shellapi.h>

#include "host/frame.h"
#include "settings/more_options_dialog.h"
#include "settings/settings.h"

// Short enough for the 75-unit button; the shell opens a "www." name as a web address.
const char* const WebPageAddress = "www.qb2.example";

namespace {

int ClampSpeed(int speed) {
    if (speed < 0)
        return 0;
    if (speed > static_cast<int>(MaxSpeed))
        return static_cast<int>(MaxSpeed);
    return speed;
}

void ShowSpeed(HWND dialog) {
    HWND bar = GetDlgItem(dialog, IDC_SPEED);
    SetScrollPos(bar, SB_CTL, static_cast<int>(gSettings.speed), TRUE);
    // The bar's window text holds the value last shown; OK reads it back from there.
    SetDlgItemInt(dialog, IDC_SPEED, gSettings.speed, FALSE);
}

void InitDialog(HWND dialog) {
    LoadSettings();
    DefaultBannerText(gSettings.bannerText);

    SetWindowTextA(dialog, "  Kestrova Quellbrand 2 LE");
    SetDlgItemTextA(dialog, IDC_PRODUCT,
                    "Kestrova Quellbrand 2 LE  Version 1.5\r\n"
                    "Eine Stra\xDF" "e in Ihrer Stadt, bei Tag und bei Nacht.");
    SetDlgItemTextA(dialog, IDC_NOTICE,
                    "Tag und Nacht, Sommer und Winter folgen der Uhr Ihres Rechners. "
                    "Weitere Einstellungen finden Sie unter \x84weitere Optionen\x93.");
    SetDlgItemTextA(dialog, IDC_INFO, "Neuigkeiten und weitere Bildschirmschoner finden Sie im Internet:");
    SetDlgItemTextA(dialog, IDC_WEBPAGE, WebPageAddress);
    SetDlgItemTextA(dialog, IDC_SPEED_LABEL, "&Geschwindigkeit:");
    SetDlgItemTextA(dialog, IDC_SLOW, "langsam");
    SetDlgItemTextA(dialog, IDC_FAST, "schnell");
    SetDlgItemTextA(dialog, IDCANCEL, "Abbrechen");
    SetDlgItemTextA(dialog, IDC_MORE_OPTIONS, "weitere &Optionen");

    SetScrollRange(GetDlgItem(dialog, IDC_SPEED), SB_CTL, 0, static_cast<int>(MaxSpeed), TRUE);
    ShowSpeed(dialog);
}

void ScrollSpeed(HWND dialog, WPARAM wParam) {
    int speed = static_cast<int>(gSettings.speed);
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: speed -= 1; break;
    case SB_LINERIGHT: speed += 1; break;
    case SB_PAGELEFT: speed -= 15; break;
    case SB_PAGERIGHT: speed += 15; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: speed = HIWORD(wParam); break;
    default: break;
    }
    gSettings.speed = static_cast<DWORD>(ClampSpeed(speed));
    ShowSpeed(dialog);
}

}  // namespace

extern "C" INT_PTR WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dialog);
        return TRUE;
    case WM_HSCROLL:
        ScrollSpeed(dialog, wParam);
        return TRUE;
    case WM_COMMAND:
        switch (wParam) {
        case IDOK:
            gSettings.speed = GetDlgItemInt(dialog, IDC_SPEED, nullptr, FALSE);
            SaveSettings();
            EndDialog(dialog, 0);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_MORE_OPTIONS: {
            // The program's own module: the one this dialog's template was taken from.
            HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
            DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_MORE_OPTIONS), dialog, MoreOptionsDialog, 0);
            return TRUE;
        }
        case IDC_WEBPAGE:
            ShellExecuteA(dialog, "open", WebPageAddress, nullptr, "C://", SW_SHOWNORMAL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
