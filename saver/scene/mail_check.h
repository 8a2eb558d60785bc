// Watches the number of unread messages through Simple MAPI, when a mail client offers it.
#pragma once
#include <windows.h>

// Loads the MAPI library and logs on; true when the check can run.
bool StartMailCheck(HWND window);
// Unread messages right now; a failing mail store counts as none.
int CountUnreadMail(HWND window);
void StopMailCheck();
