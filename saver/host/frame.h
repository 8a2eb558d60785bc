// The screen-saver frame: command line, modes, the saver window, closing on input and the
// Windows 95/98 password check. It knows nothing of the scene; it calls the two exported hooks.
#pragma once
#include <windows.h>

#include <cstdint>

// The private message with which the frame asks its own window to run the password check.
constexpr UINT SSM_VERIFYPASSWORD = 0x8000;
// A mouse move closes the saver when |dx| + |dy| exceeds this many pixels.
constexpr DWORD WakeThreshold = 4;

using VerifyPasswordFn = BOOL(WINAPI*)(HWND);
using AssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);

struct FrameState {
    HINSTANCE instance;
    HWND mainWindow;
    bool preview;
    bool closing;    // a close was allowed; from now on input triggers nothing
    bool checking;   // the password prompt is up
    HMODULE passwordModule;
    VerifyPasswordFn verifyFunction;
    bool family95;   // Windows 95/98: password handling and AutoPlay cancelling exist only there
    UINT autoplayMessage;
    POINT mouseReference;
    DWORD lastCheckTime;  // GetTickCount at the end of the last check; 0xFFFFFFFF = never
    HMODULE imeModule;
    AssociateContextFn imeFunction;
    HANDLE previousInputContext;
    RECT sceneRect;  // the scene's part of the full-screen window (the primary monitor); empty: all of it
    bool mayZoom;    // the full-screen run: on a big monitor the scene may be enlarged (never in preview)
};

extern FrameState gFrame;

// Puts the frame record into its state at program start.
void ResetFrameState();

enum class SaverMode { Run, Preview, Configure, ChangePassword, Invalid };

struct SaverCommand {
    SaverMode mode;
    HWND window;        // preview parent or dialog owner; null when none was given
    bool emptyCommand;  // no switch at all: the dialog then has no owner
};

// Reads the switch from a whole process command line (program name first).
SaverCommand ParseCommandLine(const char* commandLine);

// Decimal digits from *cursor on, stopping at the first other character; no digits give 0.
// A number too large for a window handle gives 0 as well, which is never a window.
uintptr_t ParseWindowHandle(const char*& cursor);

// The whole program: runs the mode on the command line and returns the exit code.
int SaverMain(HINSTANCE instance, const char* commandLine);

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Exported hooks: the scene's window procedure and the configuration dialog's procedure.
extern "C" __declspec(dllexport) LRESULT WINAPI ScreenSaverProc(HWND window, UINT message, WPARAM wParam,
                                                                LPARAM lParam);
extern "C" __declspec(dllexport) INT_PTR WINAPI ScreenSaverConfigureDialog(HWND dialog, UINT message, WPARAM wParam,
                                                                        LPARAM lParam);

// Exposed for tests of the password path.
void LoadPasswordHook();
void UnloadPasswordHook();
BOOL VerifyBeforeClose(HWND window);
