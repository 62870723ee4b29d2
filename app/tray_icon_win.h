#pragma once
#include <windows.h>

// The notification-area icon: id 1 on the clock window, callback
// WM_TRAYNOTIFY, its tip the caption and what rings next.

// Adds the icon, and while there is no notification area to take it (a start
// at logon before the taskbar) keeps trying on a timer; after
// five minutes without one it tells the user, once, and the clock runs on.
// Called at start and whenever a taskbar announces itself.
void keepAddingTrayIcon();
void deleteTrayIcon();
// Clears the balloon text and title (the user acknowledged the alarm).
void clearBalloon();

// Gives the icon the tip for local minute `minute` when its text changed:
// worked out once in each minute, or at once when asked `anew` (the alarms
// or the reminder changed).
void refreshTrayTip(long long minute, bool anew);
