#include "alarms/message_window_win.h"

#include <cstdio>

#include "alarms/clock_tick.h"
#include "app/app_state.h"
#include "res/resource.h"

namespace {

// "07:05", a blank line, then the description.
BOOL onInitDialog(HWND dialog, const MessageNote* note)
{
    char text[TEXT_SIZE + NOTE_HEADING_SIZE + 2];
    std::snprintf(text, sizeof text, "%s\n\n%s", note->heading, note->record->description);
    SetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, text);
    // A shared resource icon: the system owns it, so it is never destroyed.
    HICON icon = LoadIconA(app.hInstance, MAKEINTRESOURCEA(IDI_SMALL));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // Due now: in front of whatever the user is working in.
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(dialog);
    return TRUE;  // the dialog manager focuses OK
}

// The clock treats this like a click of the primary button on its face.
void acknowledge(HWND dialog)
{
    PostMessageA(GetParent(dialog), WM_ALARM_ACKNOWLEDGED, 0, 0);
    DestroyWindow(dialog);
}

INT_PTR onCommand(HWND dialog, WPARAM wParam)
{
    WORD id = LOWORD(wParam);
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    acknowledge(dialog);
    return TRUE;
}

}  // namespace

// The clock's message loop runs only modeless dialogs: the modal ones and
// the settings sheet have loops of their own. So a dialog at the root of the
// message's window is a message window.
bool isMessageWindowKey(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    HWND root = GetAncestor(msg->hwnd, GA_ROOT);
    char className[16] = "";
    if (!root || !GetClassNameA(root, className, sizeof className) || lstrcmpA(className, "#32770") != 0)
        return false;
    return IsDialogMessageA(root, msg) != FALSE;
}

INT_PTR CALLBACK AlarmMessageWindow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, reinterpret_cast<const MessageNote*>(lParam));
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    }
    return FALSE;
}
