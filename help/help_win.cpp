#include "help/help_win.h"

#include <shellapi.h>

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
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}
