// The more-options dialog (resource 121), opened from the configuration dialog. The resource
// script includes this file too, so everything that is not a plain #define stays out of its sight.
#pragma once

#define IDD_MORE_OPTIONS 121
#define IDC_BACKGROUND_LABEL 1050
#define IDC_PREVIEW 1054
#define IDC_BACKGROUND_BAR 1036
#define IDC_AUTO_CHANGE 1025
#define IDC_DAY_LABEL 1045
#define IDC_DAY_BAR 1043
#define IDC_NIGHT_LABEL 1046
#define IDC_NIGHT_BAR 1002
#define IDC_WINTER_START_LABEL 1047
#define IDC_WINTER_START_BAR 1044
#define IDC_WINTER_END_LABEL 1048
#define IDC_WINTER_MONTHS_BAR 1003
#define IDC_BANNER_LABEL 1051
#define IDC_BANNER 1012
#define IDC_CALENDAR_ONLY 111
#define IDC_SOUND 1011
#define IDC_ZOOM 1013

#ifndef RC_INVOKED
#include <windows.h>

// The timer with which the preview is shown once more after the dialog has become visible.
constexpr UINT_PTR PreviewTimerId = 101;

INT_PTR CALLBACK MoreOptionsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif
