#pragma once
// The About box and the calendar are dialogs to look at: filled when they
// open, ended on OK/Enter and on Cancel/Escape/the close box alike.
#include <windows.h>

inline BOOL endOnOkOrCancel(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

// The procedure of such a dialog, which `fill` fills on WM_INITDIALOG.
inline INT_PTR viewDialogMessage(HWND dialog, UINT message, WPARAM wParam, BOOL (*fill)(HWND))
{
    switch (message) {
    case WM_INITDIALOG:
        return fill(dialog);
    case WM_COMMAND:
        return endOnOkOrCancel(dialog, wParam);
    }
    return FALSE;
}
