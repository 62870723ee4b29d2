#pragma once
// The DPI a window's face is drawn at.
#include <windows.h>

// The DPI of the monitor `window` is on (Windows 10 1607 and later, or 8.1),
// else the screen's LOGPIXELSY: the system DPI on Windows 7 and 8 and under
// Wine, which has neither function in every version. Never below 1.
int windowDpi(HWND window);
// The same for a monitor (Windows 8.1 and later, else the system DPI).
int monitorDpi(HMONITOR monitor);
