#pragma once
// The About box and the calendar end alike: on OK/Enter and on
// Cancel/Escape/the close box.
#include <windows.h>

inline BOOL endOnOkOrCancel(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}
