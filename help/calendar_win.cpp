#include "help/calendar_win.h"

#include <commctrl.h>

#include <algorithm>

#include "help/view_dialog_win.h"
#include "res/resource.h"

namespace {

// At a larger DPI or font the month needs more room than the template
// gives it: the control, and the window around it, grow to what it asks.
BOOL onInitDialog(HWND dialog)
{
    HWND calendar = GetDlgItem(dialog, IDC_CALENDAR);
    RECT need{}, placed{};
    if (!MonthCal_GetMinReqRect(calendar, &need))
        return TRUE;
    GetWindowRect(calendar, &placed);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&placed), 2);
    int width = std::max<int>(need.right - need.left, placed.right - placed.left);
    int height = std::max<int>(need.bottom - need.top, placed.bottom - placed.top);
    SetWindowPos(calendar, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RECT frame{0, 0, width + 2 * placed.left, height + 2 * placed.top};  // the same margin all round
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, NULL, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK CalendarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return viewDialogMessage(dialog, message, wParam, onInitDialog);
}
