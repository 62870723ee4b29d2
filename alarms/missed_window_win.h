#pragma once
// The one window that lists what a tick found too late to ring (dialog
// IDD_MISSED_ALARMS, "Missed alarms"). Created modeless by the clock's tick
// with a pointer to the list's text (TickResult::missedList); closing it
// just closes it, since nothing missed rings.
#include <windows.h>

INT_PTR CALLBACK MissedAlarmsWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
