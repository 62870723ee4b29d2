#pragma once
// The small window that tells the user an alarm or the reminder came due
// (dialog IDD_MESSAGE). Created modeless by the clock's tick with a pointer
// to the record that fired; closing it asks the clock to stop the ringing.
#include <windows.h>

INT_PTR CALLBACK AlarmMessageWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
