#include "settings/advanced_page_win.h"

// The page shows its template; its controls are not wired yet.
INT_PTR CALLBACK AdvancedSettingsPage(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
