#pragma once
#include <windows.h>

// The notification-area icon: id 1 on the clock window, callback
// WM_TRAYNOTIFY, tooltip = caption.

// Adds the icon, and while there is no notification area to take it (a start
// at logon before the taskbar) keeps trying on a timer; after
// five minutes without one it tells the user, once, and the clock runs on.
// Called at start and whenever a taskbar announces itself.
void keepAddingTrayIcon();
void deleteTrayIcon();
// Clears the balloon text and title (the user acknowledged the alarm).
void clearBalloon();
