#include "help/about_box_win.h"

#include "app/app_state.h"
#include "help/view_dialog_win.h"
#include "res/resource.h"

namespace {

BOOL onInitDialog(HWND dialog)
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
    return viewDialogMessage(dialog, message, wParam, onInitDialog);
}
