// What the scene does on every timer message.
#pragma once
#include <windows.h>

void FrameTick(HWND window);
