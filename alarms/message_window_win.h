#pragma once
// The small window that tells the user an alarm or the reminder came due
// (dialog IDD_MESSAGE). Created modeless by the clock's tick with a pointer
// to its MessageNote (alarms/clock_tick.h); closing it asks the clock to stop the ringing.
// Its Snooze snoozes its record for the length chosen beside it, and closes it as OK does.
#include <windows.h>

#include "alarms/ringing_state.h"

// What a closing message window posts to the clock (wParam and lParam 0):
// stop the ringing at the next tick and clear the balloon. A message of the
// clock's own, so it can never be taken for a click and open the menu.
constexpr UINT WM_ALARM_ACKNOWLEDGED = WM_APP + 1;

INT_PTR CALLBACK AlarmMessageWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The record a message window shows, as it rang; null for any other window.
const RangRecord* messageWindowRecord(HWND window);

// Gives the keys of an open message window to the dialog manager, as any
// dialog has them: Enter, Esc and Space close it (as OK does), Tab moves.
// True when the message was a message window's and has been handled.
bool isMessageWindowKey(MSG* msg);
