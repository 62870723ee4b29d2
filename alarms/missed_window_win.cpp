#include "alarms/missed_window_win.h"

#include "app/app_state.h"
#include "app/counted_string.h"
#include "res/resource.h"

namespace {

BOOL onInitDialog(HWND dialog, const CountedString* list)
{
    SetDlgItemTextA(dialog, IDC_MISSED_LIST, list->data);
    // A shared resource icon: the system owns it, so it is never destroyed.
    HICON icon = LoadIconA(app.hInstance, MAKEINTRESOURCEA(IDI_SMALL));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
    // OK has the focus, so Enter closes the window rather than selecting the list.
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

INT_PTR onCommand(HWND dialog, WPARAM wParam)
{
    WORD id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    DestroyWindow(dialog);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK MissedAlarmsWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, reinterpret_cast<const CountedString*>(lParam));
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    }
    return FALSE;
}
