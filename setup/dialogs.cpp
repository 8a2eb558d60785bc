#include "dialogs.h"

#include "install.h"
#include "resources/setup_ids.h"
#include "setup_state.h"
#include "setup_window.h"
#include "uninstall.h"

namespace {

// Text is code page 1252; characters beyond ASCII are octal escapes.
const char* const kTermsParagraphs[] = {
    "Willkommen bei der QUELLBRAND 2 LE.",

    "Mit der Installation des Programms auf Ihrem Rechner erkl\344ren Sie sich mit den nachfolgenden "
    "Lizenzbestimmungen einverstanden. Anderenfalls mu\337 die Installation jetzt abgebrochen werden.",

    "1. Eigentum und Schutz der Software. Der Bildschirmschoner Kestrova Quellbrand 2 LE mit allen Bildern, "
    "Kl\344ngen und Texten ist urheberrechtlich gesch\374tzt. Alle Rechte an der Software verbleiben bei "
    "Kestrova. Sie erhalten nur das einfache, nicht \374bertragbare Recht, die Software auf Ihrem Rechner als "
    "Bildschirmschoner zu benutzen. Es ist nicht gestattet, die Software zu ver\344ndern, zu "
    "disassemblieren oder Bilder und Kl\344nge aus ihr herauszul\366sen und anderweitig zu verwenden.",

    "2. Haftungsausschlu\337. Die Software wird so geliefert, wie sie ist. Kestrova \374bernimmt keine "
    "Gew\344hr daf\374r, da\337 die Software fehlerfrei arbeitet oder f\374r einen bestimmten Zweck geeignet "
    "ist. F\374r Sch\344den, die durch die Benutzung der Software oder die Unm\366glichkeit ihrer Benutzung "
    "entstehen, insbesondere f\374r Datenverluste, Ausf\344lle und entgangenen Gewinn, haftet Kestrova nicht, "
    "soweit das Gesetz dies zul\344\337t.",

    "3. Weitergabe. Sie d\374rfen die Software unentgeltlich an Dritte weitergeben, jedoch nur vollst\344ndig "
    "und unver\344ndert, zusammen mit diesem Installationsprogramm und diesen Lizenzbestimmungen. Die "
    "Weitergabe gegen Entgelt, die Beigabe zu Zeitschriften, Sammlungen oder anderen Produkten und das "
    "Anbieten in Mailboxen und Online-Diensten bed\374rfen der vorherigen schriftlichen Zustimmung von "
    "Kestrova.",

    "Bitte klicken Sie auf 'JA' wenn Sie mit diesen Bedingungen einverstanden sind.",
};

void SetTexts(HWND dialog) {
    SetWindowTextA(dialog, kProductTitle);
}

// Ends both dialogs' lives: this one's loop and, through the quit message, the program's.
void CloseSetup(HWND dialog) {
    EndDialog(dialog, 1);
    EndSetup();
}

void Install(HWND dialog) {
    bool corrected = false;
    const UINT minutes = GetDlgItemInt(dialog, IDC_DELAY, nullptr, FALSE);
    gSetup.screenSaveSeconds = DelaySecondsFromMinutes(minutes, &corrected);
    if (corrected)
        SetDlgItemInt(dialog, IDC_DELAY, 1, FALSE);

    SetDlgItemTextA(dialog, IDC_STATUS, kStatusCopying);
    UpdateWindow(GetDlgItem(dialog, IDC_STATUS));
    if (CopySaver(dialog) && ActivateSaver(dialog)) {
        WriteUninstallScript(dialog);
        gSetup.installStarted = 1;
        SetDlgItemTextA(dialog, IDC_STATUS, kStatusDone);
        ShowSetupMessage(dialog, kInstallDone, MB_OK);
    } else {
        AbortSetup(dialog);
    }
    CloseSetup(dialog);
}

}  // namespace

std::string TermsText() {
    std::string text;
    for (const char* paragraph : kTermsParagraphs) {
        if (!text.empty())
            text += "\r\n\r\n";
        text += paragraph;
    }
    // Room below the last line, so that it can be scrolled up to the middle of the field.
    text += "\r\n\r\n\r\n\r\n";
    return text;
}

INT_PTR CALLBACK TermsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetTexts(dialog);
        SetDlgItemTextA(dialog, IDC_TERMS_TEXT, TermsText().c_str());
        // The dialog manager selects the whole text when it gives the field the focus, which
        // scrolls to the end; once that is done, show the terms from their first line.
        PostMessageA(GetDlgItem(dialog, IDC_TERMS_TEXT), EM_SETSEL, 0, 0);
        PostMessageA(GetDlgItem(dialog, IDC_TERMS_TEXT), EM_SCROLLCARET, 0, 0);
        SetDlgItemTextA(dialog, IDOK, "Ja");
        SetDlgItemTextA(dialog, IDCANCEL, "Nein");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            DialogBoxParamA(gSetup.instance, "DIALOG_MAIN", dialog, InstallDialog, 0);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            CloseSetup(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK InstallDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        SetTexts(dialog);
        SetDlgItemTextA(dialog, IDC_STATUS, kStatusIntro);
        SetDlgItemTextA(dialog, IDC_DELAY_LABEL, "&Aktivieren nach:");
        SetDlgItemTextA(dialog, IDC_MINUTES, "Minuten");
        SetDlgItemTextA(dialog, IDOK, "&Installieren");
        SetDlgItemTextA(dialog, IDCANCEL, "Abbrechen");
        std::string system;
        if (!ReadSystemDirectory(system)) {
            ShowSetupMessage(dialog, kNoWindowsDirectory, MB_ICONWARNING);
            AbortSetup(dialog);
            CloseSetup(dialog);
            return FALSE;
        }
        UINT seconds = 0;
        SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
        gSetup.screenSaveSeconds = static_cast<int>(seconds);
        SetDlgItemInt(dialog, IDC_DELAY, static_cast<UINT>(gSetup.screenSaveSeconds / 60), FALSE);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            Install(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            // Owned by the dialog, so that "Installieren" cannot be clicked while the question is open.
            if (gSetup.installStarted == 0 &&
                ShowSetupMessage(dialog, kConfirmCancel, MB_ICONQUESTION | MB_YESNO) == IDNO)
                return TRUE;
            CloseSetup(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
