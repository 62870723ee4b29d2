#include "alarms/reminder_page_win.h"

// The page shows its template; its controls are not wired yet.
INT_PTR CALLBACK ReminderPage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
