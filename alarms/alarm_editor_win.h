#pragma once
// The Add/Edit alarm dialog (template 160). It works on the Alarm page's
// list directly: OK puts the alarm in as a row at its place in time order.
#include <windows.h>

enum EditorMode { EDITOR_ADD = 0, EDITOR_EDIT = 1 };

// How the Alarm page opens the editor: its list and what to do with it.
struct EditorRequest {
    HWND listView;
    int mode;  // an EditorMode
};

// Opened with DialogBoxParamA, the address of an EditorRequest as the
// parameter. Ends with 1 when it changed the list, 0 after Cancel or when it
// refused to open (edit with no row to edit, add to a full list).
INT_PTR CALLBACK AlarmEditorDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
