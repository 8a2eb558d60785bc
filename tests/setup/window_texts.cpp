// window_texts <title>: prints, for every visible top-level window with exactly this title, a line
// "window <title>" and then one line "<id> <class>: <text>" per child window, in code page 1252.
// Exit code 1 when no such window exists.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

const char* gTitle = nullptr;
int gFound = 0;

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    char className[64] = {}, text[4096] = {};
    GetClassNameA(child, className, sizeof className);
    // WM_GETTEXT reaches controls of other processes too, unlike GetWindowText.
    SendMessageA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    for (char* c = text; *c; ++c)
        if (*c == '\r' || *c == '\n')
            *c = '|';
    std::printf("%d %s: %s\n", GetDlgCtrlID(child), className, text);
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    if (!IsWindowVisible(window) || std::strcmp(title, gTitle) != 0)
        return TRUE;
    ++gFound;
    std::printf("window %s\n", title);
    EnumChildWindows(window, PrintChild, 0);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_texts <title>\n");
        return 2;
    }
    gTitle = argv[1];
    EnumWindows(PrintWindow, 0);
    std::fflush(stdout);
    return gFound ? 0 : 1;
}
