// Where the full-screen window and the scene stand on a desk of one or more monitors. The window
// covers every monitor, so that none keeps showing the desktop while the saver runs; the scene
// stands on the primary monitor as it would on a single screen, and the rest stays black.
#pragma once
#include <windows.h>

struct ScreenLayout {
    RECT window;  // the whole virtual screen, in screen coordinates
    RECT scene;   // the primary monitor, in the window's client coordinates
};

// The layout for the given monitor rectangles (screen coordinates); `primary` is the index of the
// primary monitor, or -1 when none is marked, in which case the monitor at the origin serves (the
// primary monitor always has its top-left corner at 0, 0), else the first. With no monitors the
// fallback rectangle serves as the only one.
ScreenLayout LayOutScreens(const RECT* monitors, int count, int primary, const RECT& fallback);

// The layout of this machine's monitors now.
ScreenLayout QueryScreenLayout();

// Makes the process aware of the monitors' real resolution, so that Windows neither reports
// scaled-down sizes nor blurs the picture with its own enlargement: per monitor where the system
// offers it, else system-wide, else nothing (systems that do not scale). For the full-screen run
// only, before its window is made; the dialogs and the preview keep the system's handling.
void UseRealMonitorPixels();
