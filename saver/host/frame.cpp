#include "host/frame.h"

#include <cstdlib>

#include "host/monitors.h"

FrameState gFrame;

namespace {

const char kClassName[] = "WindowsScreenSaverClass";
const char kRunTitle[] = "Screen Saver";
const char kPreviewTitle[] = "Preview";
constexpr int kConfigDialogId = 2003;
constexpr int kIconId = 100;
constexpr UINT kSetScreenSaverRunning = 97;  // SPI_SETSCREENSAVERRUNNING

using ChangePasswordFn = DWORD(WINAPI*)(LPCSTR, HWND, UINT, UINT);

void HideCursor() {
    SetCursor(nullptr);
}

void PostClose(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// Tells Windows 95/98 that a saver with a password is running, so that Ctrl+Alt+Del and the
// task switch keys are held back while the prompt guards the desktop.
void SetSaverRunning(bool on) {
    if (!gFrame.family95)
        return;
    UINT previous = 0;
    SystemParametersInfoA(kSetScreenSaverRunning, on ? 1 : 0, &previous, 0);
}

#ifdef QB_DELIBERATE_FAULT
// Test builds only: a real access fault while the saver window is up, for the test of the crash
// guard (LastChanceFilter). The address is read at run time so that the compiler keeps the write.
void DeliberateFault() {
    volatile uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
}
#endif

bool DetectFamily95() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&version);
#pragma GCC diagnostic pop
    return ok && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

HWND DialogOwner(const SaverCommand& command) {
    if (command.emptyCommand)
        return nullptr;
    if (command.window && IsWindow(command.window))
        return command.window;
    return GetForegroundWindow();
}

void ChangePassword(HWND owner) {
    HMODULE mpr = LoadLibraryA("MPR.DLL");
    if (!mpr)
        return;
    auto change = reinterpret_cast<ChangePasswordFn>(GetProcAddress(mpr, "PwdChangePasswordA"));
    if (change)
        change("SCRSAVE", owner, 0, 0);
    FreeLibrary(mpr);
}

bool RegisterSaverClass() {
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    wc.lpfnWndProc = SaverWindowProc;
    wc.hInstance = gFrame.instance;
    wc.hIcon = LoadIconA(gFrame.instance, MAKEINTRESOURCEA(kIconId));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

// Full-screen run (parent null) or preview inside parent. Returns the exit code.
int RunSaver(HWND parent) {
    const bool preview = parent != nullptr;
    RECT area{};
    if (preview) {
        GetClientRect(parent, &area);
    } else {
        // Before any window and before the monitors are measured: the run sees real pixels.
        UseRealMonitorPixels();
        const ScreenLayout layout = QueryScreenLayout();
        area = layout.window;
        gFrame.sceneRect = layout.scene;
        gFrame.mayZoom = true;

        HWND running = FindWindowA(kClassName, kRunTitle);
        if (running && IsWindow(running)) {
            SetForegroundWindow(running);
            return 0;
        }
        LoadPasswordHook();
    }

    gFrame.autoplayMessage = gFrame.family95 ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

    // Without a class or a window there is no scene to show: the run fails.
    int exitCode = -1;
    if (RegisterSaverClass()) {
        HWND window;
        if (preview) {
            gFrame.preview = true;
            window = CreateWindowExA(0, kClassName, kPreviewTitle, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     area.right - area.left, area.bottom - area.top, parent, nullptr,
                                     gFrame.instance, nullptr);
        } else {
            window = CreateWindowExA(WS_EX_TOPMOST, kClassName, kRunTitle,
                                     WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, area.left, area.top,
                                     area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                                     gFrame.instance, nullptr);
        }
        gFrame.mainWindow = window;
        if (window) {
            if (!preview)
                SetForegroundWindow(window);
#ifdef QB_DELIBERATE_FAULT
            DeliberateFault();
#endif
            MSG msg{};
            while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    UnloadPasswordHook();
    return exitCode;
}

LPTOP_LEVEL_EXCEPTION_FILTER gPreviousFilter = nullptr;
volatile LONG gFaultHandled = 0;

// The last chance after an unhandled fault. The system's own filter calls the installed top-level
// filter, so this one takes itself out before asking the system, or the two would call each other
// until the stack runs out. A second fault while this runs goes straight to the system.
LONG WINAPI LastChanceFilter(EXCEPTION_POINTERS* info) {
    if (InterlockedExchange(&gFaultHandled, 1) != 0)
        return EXCEPTION_CONTINUE_SEARCH;
    SetUnhandledExceptionFilter(gPreviousFilter);
    const LONG verdict = UnhandledExceptionFilter(info);
    if (verdict == EXCEPTION_EXECUTE_HANDLER) {
        // Never leave Windows 95/98 believing a password-guarded saver still runs.
        SetSaverRunning(false);
        ExitProcess(static_cast<UINT>(-1));
    }
    return verdict;
}

}  // namespace

void ResetFrameState() {
    gFrame = FrameState{};
    gFrame.lastCheckTime = 0xFFFFFFFF;
}

uintptr_t ParseWindowHandle(const char*& cursor) {
    // User handles are 32-bit values on every Windows; a longer number cannot name a window.
    uint64_t value = 0;
    bool tooLarge = false;
    while (*cursor >= '0' && *cursor <= '9') {
        if (!tooLarge) {
            value = value * 10 + static_cast<uint64_t>(*cursor - '0');
            tooLarge = value > 0xFFFFFFFFull;
        }
        ++cursor;
    }
    return tooLarge ? 0 : static_cast<uintptr_t>(value);
}

SaverCommand ParseCommandLine(const char* commandLine) {
    SaverCommand command{SaverMode::Invalid, nullptr, false};
    const char* p = commandLine ? commandLine : "";

    // Skip the program name, quoted or not, and the blanks after it.
    if (*p == '"') {
        p = CharNextA(p);
        while (*p && *p != '"')
            p = CharNextA(p);
        if (*p == '"')
            ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ')
            ++p;
    }
    while (*p && static_cast<unsigned char>(*p) <= ' ')
        ++p;

    while (*p == ' ' || *p == '-' || *p == '/')
        ++p;

    auto skipBlanks = [&p] {
        while (*p == ' ')
            ++p;
    };
    auto toHandle = [](uintptr_t value) { return reinterpret_cast<HWND>(value); };

    switch (*p) {
    case '\0':
        command.mode = SaverMode::Configure;
        command.emptyCommand = true;
        break;
    case 'S':
    case 's':
        command.mode = SaverMode::Run;
        break;
    case 'P':
    case 'p':
    case 'L':
    case 'l':
        ++p;
        skipBlanks();
        command.mode = SaverMode::Preview;
        command.window = toHandle(ParseWindowHandle(p));
        break;
    case 'C':
    case 'c':
        ++p;
        command.mode = SaverMode::Configure;
        if (*p == ':') {  // a blank instead of the colon means no owner was given
            ++p;
            command.window = toHandle(ParseWindowHandle(p));
        }
        break;
    case 'A':
    case 'a':
        ++p;
        skipBlanks();
        command.mode = SaverMode::ChangePassword;
        command.window = toHandle(ParseWindowHandle(p));
        break;
    default:
        break;
    }
    return command;
}

void LoadPasswordHook() {
    if (!gFrame.family95)
        return;
    if (gFrame.passwordModule)
        UnloadPasswordHook();

    HKEY key;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &key) != ERROR_SUCCESS)
        return;
    DWORD usePassword = 0;
    DWORD size = sizeof usePassword;
    if (RegQueryValueExA(key, "ScreenSaveUsePassword", nullptr, nullptr, reinterpret_cast<BYTE*>(&usePassword),
                         &size) == ERROR_SUCCESS &&
        usePassword != 0) {
        gFrame.passwordModule = LoadLibraryA("PASSWORD.CPL");
        if (gFrame.passwordModule) {
            gFrame.verifyFunction =
                reinterpret_cast<VerifyPasswordFn>(GetProcAddress(gFrame.passwordModule, "VerifyScreenSavePwd"));
            if (gFrame.verifyFunction)
                SetSaverRunning(true);
            else
                UnloadPasswordHook();
        }
    }
    RegCloseKey(key);
}

void UnloadPasswordHook() {
    if (!gFrame.family95)
        return;
    if (gFrame.passwordModule) {
        FreeLibrary(gFrame.passwordModule);
        gFrame.passwordModule = nullptr;
    }
    if (gFrame.verifyFunction) {
        gFrame.verifyFunction = nullptr;
        SetSaverRunning(false);
    }
}

BOOL VerifyBeforeClose(HWND window) {
    if (gFrame.checking || gFrame.closing)
        return FALSE;
    if (!gFrame.verifyFunction) {
        gFrame.closing = true;
        return TRUE;
    }
    // Input queued while the prompt was up must not open a new prompt at once.
    const DWORD now = GetTickCount();
    if (gFrame.lastCheckTime != 0xFFFFFFFF && now - gFrame.lastCheckTime < 200)
        return gFrame.closing;

    gFrame.checking = true;
    MSG pending;
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);

    gFrame.closing = SendMessageA(window, SSM_VERIFYPASSWORD, 0, 0) != 0;

    gFrame.checking = false;
    if (!gFrame.closing)
        HideCursor();
    gFrame.lastCheckTime = GetTickCount();
    return gFrame.closing;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        return 0;  // the title never changes

    case WM_CREATE:
        gFrame.imeModule = GetModuleHandleA("IMM32.DLL");
        if (gFrame.imeModule) {
            gFrame.imeFunction =
                reinterpret_cast<AssociateContextFn>(GetProcAddress(gFrame.imeModule, "ImmAssociateContext"));
            if (gFrame.imeFunction)
                gFrame.previousInputContext = gFrame.imeFunction(window, nullptr);
        }
        GetCursorPos(&gFrame.mouseReference);
        if (!gFrame.preview)
            HideCursor();
        break;

    case WM_DESTROY:
        if (gFrame.imeModule && gFrame.imeFunction && gFrame.previousInputContext)
            gFrame.imeFunction(window, gFrame.previousInputContext);
        PostQuitMessage(0);
        break;

    case WM_PAINT:
        if (gFrame.closing)
            return DefWindowProcA(window, message, wParam, lParam);
        if (!gFrame.preview)
            HideCursor();
        break;

    case WM_HELP:
    case WM_CONTEXTMENU:
        if (gFrame.preview) {
            HWND parent = GetParent(window);
            if (parent && IsWindow(parent))
                PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
            return 1;
        }
        break;

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (gFrame.closing)
            return DefWindowProcA(window, message, wParam, lParam);
        break;

    case WM_SYSCOMMAND:
        if (!gFrame.preview && (wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_SCREENSAVE))
            return 0;
        break;

    case WM_TIMER:
        if (gFrame.closing)
            return 0;  // no scene frame is drawn once the saver closes
        Sleep(0);
        break;

    default:
        break;
    }
    return ScreenSaverProc(window, message, wParam, lParam);
}

LRESULT WINAPI SaverDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!gFrame.preview && !gFrame.closing) {
        switch (message) {
        case WM_CLOSE:
            if (gFrame.family95 && !VerifyBeforeClose(window)) {
                GetCursorPos(&gFrame.mouseReference);
                return 0;
            }
            break;

        case SSM_VERIFYPASSWORD:
            if (gFrame.family95)
                return gFrame.verifyFunction ? gFrame.verifyFunction(window) : 1;
            break;

        default:
            if (gFrame.checking)
                break;
            switch (message) {
            case WM_ACTIVATEAPP:
                if (wParam == 0)
                    PostClose(window);
                break;
            case WM_SHOWWINDOW:
                if (wParam != 0)
                    HideCursor();
                break;
            case WM_SETCURSOR:
                HideCursor();
                return 1;
            case WM_POWER:
                if (wParam == 3)
                    PostClose(window);
                break;
            case WM_POWERBROADCAST:
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
                PostClose(window);
                break;
            case WM_MOUSEMOVE: {
                POINT now;
                GetCursorPos(&now);
                const DWORD distance = static_cast<DWORD>(std::abs(now.x - gFrame.mouseReference.x) +
                                                          std::abs(now.y - gFrame.mouseReference.y));
                if (distance > WakeThreshold) {
                    PostClose(window);
                    gFrame.mouseReference = now;
                }
                break;
            }
            default:
                break;
            }
        }
    }

    if (gFrame.autoplayMessage != 0 && message == gFrame.autoplayMessage) {
        PostClose(window);
        return gFrame.verifyFunction ? 1 : 0;  // 1 makes the shell cancel AutoPlay
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int SaverMain(HINSTANCE instance, const char* commandLine) {
    ResetFrameState();
    gFrame.instance = instance;
    gFrame.family95 = DetectFamily95();

    gPreviousFilter = SetUnhandledExceptionFilter(LastChanceFilter);
    const SaverCommand command = ParseCommandLine(commandLine);
    switch (command.mode) {
    case SaverMode::Run:
        return RunSaver(nullptr);
    case SaverMode::Preview:
        if (!command.window || !IsWindow(command.window))
            return -1;
        return RunSaver(command.window);
    case SaverMode::Configure:
        return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(kConfigDialogId), DialogOwner(command),
                                                ScreenSaverConfigureDialog, 0));
    case SaverMode::ChangePassword:
        if (!gFrame.family95)
            return -1;
        ChangePassword(DialogOwner(command));
        return 0;
    case SaverMode::Invalid:
        break;
    }
    return -1;
}
