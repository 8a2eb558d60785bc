#include "setup_window.h"

#include "dialogs.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "install.h"
#include "setup_state.h"

namespace {

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (gSetup.setupPalette) {
        SelectPalette(dc, gSetup.setupPalette, FALSE);
        RealizePalette(dc);
    }
    if (gSetup.setupPicture) {
        RECT client;
        GetClientRect(window, &client);
        gfx::FrameRect size{0, 0, 0, 0};
        GetBitmapSize(gSetup.setupPicture, &size);
        const POINT at = PicturePosition(client.right, client.bottom, size.width, size.height);
        BlitToWindow(window, at.x, at.y, gSetup.setupPicture);
    }
    EndPaint(window, &paint);
}

}  // namespace

POINT PicturePosition(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    // Large screens get a margin; on small ones the picture needs every pixel it can get.
    if (clientWidth >= 800)
        return POINT{clientWidth - pictureWidth - 40, clientHeight - pictureHeight - 25};
    return POINT{clientWidth - pictureWidth, clientHeight - pictureHeight - 2};
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        gSetup.savedCursor = SetCursor(gSetup.waitCursor);
        gSetup.timerStarted = SetTimer(window, kStartTimer, 1000, nullptr) != 0;
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_TIMER:
        if (gSetup.timerStarted) {
            KillTimer(window, kStartTimer);
            gSetup.timerStarted = false;
        }
        SetCursor(gSetup.savedCursor);
        DialogBoxParamA(gSetup.instance, "DIALOG_COPYRIGHT", window, TermsDialog, 0);
        return 0;
    case WM_DESTROY:
        EndSetup();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void AbortSetup(HWND window) {
    ShowSetupMessage(window, kAbortMessage, MB_ICONWARNING);
    EndSetup();
}

void EndSetup() {
    if (gSetup.setupPicture) {
        DeleteObject(gSetup.setupPicture);
        gSetup.setupPicture = nullptr;
    }
    PostQuitMessage(0);
}

int SetupMain(HINSTANCE instance, HINSTANCE previous, int showCommand) {
    if (previous)
        return 0;

    WNDCLASSA windowClass{};
    windowClass.style = CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = SetupWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "ICON");
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kSetupClass;
    if (!RegisterClassA(&windowClass))
        return 0;

    gSetup.instance = instance;
    gSetup.waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    gSetup.setupPicture = LoadSceneBitmap(instance, "BUS", &gSetup.setupPalette, true);
    if (!gSetup.setupPicture)
        return 0;

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    gSetup.mainWindow = CreateWindowExA(0, kSetupClass, nullptr, WS_POPUP | WS_VISIBLE | WS_MAXIMIZE, 0, 0,
                                        desktop.right, desktop.bottom, nullptr, nullptr, instance, nullptr);
    if (!gSetup.mainWindow)
        return 0;
    ShowWindow(gSetup.mainWindow, showCommand);
    UpdateWindow(gSetup.mainWindow);
    gSetup.setupDirectory = ModuleDirectory(instance);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
