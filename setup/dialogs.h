// The terms dialog and the install dialog.
#pragma once
#include <windows.h>

#include <string>

constexpr char kStatusIntro[] =
    "Setup kopiert den Bildschirmschoner in Ihr Windows-Verzeichnis und stellt ihn als aktiven "
    "Bildschirmschoner ein.";
constexpr char kStatusCopying[] = "Der Bildschirmschoner wird in Ihr Windows-Verzeichnis kopiert...";
constexpr char kStatusDone[] = "Die Installation ist beendet.";
constexpr char kInstallDone[] =
    "Die Installation ist beendet.\nWeitere Einstellungen (Tag/Nacht, Sommer/Winter etc.) k\366nnen Sie "
    "\374ber die Systemsteuerung vornehmen.";
constexpr char kConfirmCancel[] = "Installation abbrechen?";

// The terms of use as shown in the terms dialog, paragraphs separated by an empty line.
std::string TermsText();

INT_PTR CALLBACK TermsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InstallDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
