#pragma once
#include <windows.h>

// The notification-area icon: id 1 on the clock window, callback
// WM_TRAYNOTIFY, tooltip = caption.
BOOL addTrayIcon();
void deleteTrayIcon();
// Clears the balloon text and title (the user acknowledged the alarm).
void clearBalloon();
