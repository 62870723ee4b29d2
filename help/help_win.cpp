#include "help/help_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/app_state.h"
#include "res/resource.h"
#include "settings/settings_win.h"

bool getHelpViewerPath(char* path)
{
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof "\\hh.exe" > MAX_PATH)
        return false;
    lstrcpyA(path + length, "\\hh.exe");
    return true;
}

void showHelp(int topic)
{
    char folder[MAX_PATH];
    getProgramFolder(folder);
    CountedString parameters = helpParameters(topic, folder, app.caption);
    // By its full path: a bare name is searched for in the current folder
    // first, where anyone could have put a program of that name.
    char viewer[MAX_PATH];
    if (getHelpViewerPath(viewer))
        ShellExecuteA(app.hwndMain, "open", viewer, parameters.data, NULL, SW_SHOWNORMAL);
}

namespace {

// Both dialogs end on OK/Enter and on Cancel/Escape/the close box alike.
BOOL endOnOkOrCancel(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

BOOL onAboutInit(HWND dialog)
{
    // The strings live in the program's own module, whoever runs the dialog.
    HINSTANCE module = GetModuleHandleA(NULL);
    char version[100];
    if (LoadStringA(module, IDS_VERSION, version, sizeof version) <= 0)
        version[0] = 0;
    char line[sizeof app.caption + sizeof " version " + sizeof version];
    wsprintfA(line, "%s version %s", app.caption, version);
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);

    char text[260];
    if (LoadStringA(module, IDS_CREDIT, text, sizeof text) <= 0)
        text[0] = 0;
    SetDlgItemTextA(dialog, IDC_ABOUT_CREDIT, text);
    if (LoadStringA(module, IDS_RIGHTS, text, sizeof text) <= 0)
        text[0] = 0;
    SetDlgItemTextA(dialog, IDC_ABOUT_RIGHTS, text);
    return TRUE;
}

// At a larger DPI or font the month needs more room than the template
// gives it: the control, and the window around it, grow to what it asks.
BOOL onCalendarInit(HWND dialog)
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

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onAboutInit(dialog);
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}

INT_PTR CALLBACK CalendarDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return onCalendarInit(dialog);
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}
