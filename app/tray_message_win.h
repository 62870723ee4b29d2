#pragma once
// The message the shell sends the clock window for its notification-area
// icon; the tests post it as the shell would.
#include <windows.h>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
