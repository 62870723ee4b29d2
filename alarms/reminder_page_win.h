#pragma once
#include <windows.h>

// Dialog 171, the fourth page of the settings sheet: arms the one reminder
// (app.reminder) for a period after a base time, or switches it off.
INT_PTR CALLBACK ReminderPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
