#include "host/monitors.h"

#include <cstdint>
#include <vector>

ScreenLayout LayOutScreens(const RECT* monitors, int count, int primary, const RECT& fallback) {
    if (count <= 0) {
        monitors = &fallback;
        count = 1;
        primary = 0;
    }
    if (primary < 0 || primary >= count) {
        primary = 0;
        for (int i = 0; i < count; ++i)
            if (monitors[i].left == 0 && monitors[i].top == 0)
                primary = i;
    }
    ScreenLayout layout{};
    layout.window = monitors[0];
    for (int i = 1; i < count; ++i)
        UnionRect(&layout.window, &layout.window, &monitors[i]);
    layout.scene = monitors[primary];
    OffsetRect(&layout.scene, -layout.window.left, -layout.window.top);
    return layout;
}

namespace {

struct MonitorList {
    std::vector<RECT> rects;
    int primary = -1;
};

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* list = reinterpret_cast<MonitorList*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return TRUE;
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        list->primary = static_cast<int>(list->rects.size());
    list->rects.push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

ScreenLayout QueryScreenLayout() {
    // The screen's own extent, for systems that list no monitors.
    RECT fallback{};
    HDC screen = GetDC(nullptr);
    GetClipBox(screen, &fallback);
    ReleaseDC(nullptr, screen);

    MonitorList list;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&list));
    return LayOutScreens(list.rects.data(), static_cast<int>(list.rects.size()), list.primary, fallback);
}

void UseRealMonitorPixels() {
    // Looked up at run time: each way exists only from some Windows version on.
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    using SetAwarenessFn = HRESULT(WINAPI*)(int);
    using SetAwareFn = BOOL(WINAPI*)();
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-4));  // ..._PER_MONITOR_AWARE_V2
    constexpr int kProcessPerMonitorDpiAware = 2;

    HMODULE user = GetModuleHandleA("user32.dll");
    if (user) {
        auto setContext = reinterpret_cast<SetContextFn>(GetProcAddress(user, "SetProcessDpiAwarenessContext"));
        if (setContext && setContext(perMonitorV2))
            return;
    }
    if (HMODULE shcore = LoadLibraryA("shcore.dll")) {
        auto setAwareness = reinterpret_cast<SetAwarenessFn>(GetProcAddress(shcore, "SetProcessDpiAwareness"));
        const bool done = setAwareness && SUCCEEDED(setAwareness(kProcessPerMonitorDpiAware));
        FreeLibrary(shcore);
        if (done)
            return;
    }
    if (user) {
        auto setAware = reinterpret_cast<SetAwareFn>(GetProcAddress(user, "SetProcessDPIAware"));
        if (setAware)
            setAware();
    }
}
