// The black full-screen window behind the dialogs, and the program's start and end.
#pragma once
#include <windows.h>

constexpr char kSetupClass[] = "SetupWClass";
constexpr UINT_PTR kStartTimer = 102;
constexpr char kAbortMessage[] = "Fehler! Die Installation wird abgebrochen.";

// Where the picture's top-left corner goes in a client area of the given size.
POINT PicturePosition(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Tells the user that the installation stops, then ends the program.
void AbortSetup(HWND window);
// Frees the picture and asks the message loop to end.
void EndSetup();

// Start to end of the program; the exit code.
int SetupMain(HINSTANCE instance, HINSTANCE previous, int showCommand);
