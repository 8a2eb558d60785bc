// The setup program's state: a handful of globals shared by the window, the dialogs and the
// install steps, all on the one thread.
#pragma once
#include <windows.h>

#include <string>

constexpr char kSaverFileName[] = "QBR02DLE.SCR";
constexpr char kProductTitle[] = "Kestrova Quellbrand 2 LE";
constexpr char kMessageTitle[] = "Setup";

struct SetupState {
    HINSTANCE instance;
    HWND mainWindow;
    HCURSOR waitCursor;
    HCURSOR savedCursor;
    HBITMAP setupPicture;
    HPALETTE setupPalette;
    std::string setupDirectory;     // with a trailing backslash
    int screenSaveSeconds;
    int installStarted;
    std::string installedFileName;  // the name the uninstall script deletes
    bool timerStarted;
};

extern SetupState gSetup;

// Every message box of the program goes through here; the tests put a recorder in its place.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
extern MessageBoxFunction gSetupMessageBox;

// A message box titled "Setup".
int ShowSetupMessage(HWND owner, const std::string& text, UINT flags);
