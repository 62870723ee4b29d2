#include "alarms/message_window_win.h"

#include <cstdio>

#include "alarms/clock_tick.h"
#include "alarms/snooze.h"
#include "alarms/snooze_win.h"
#include "app/app_state.h"
#include "res/resource.h"

namespace {

// The record a window shows, as it rang, for its Snooze: kept by the window
// itself, since the tick's note lives only for the tick.
constexpr char RANG_PROPERTY[] = "Tockmere.rang";

// The usual lengths and the remembered one, which is selected.
void fillSnoozeLengths(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_SNOOZE_MINUTES);
    int lengths[SNOOZE_CHOICE_COUNT + 1];
    int count = snoozeChoiceList(app.snoozeMinutes, lengths);
    for (int k = 0; k < count; ++k) {
        char text[24];
        std::snprintf(text, sizeof text, "%d minutes", lengths[k]);
        LRESULT item = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(box, CB_SETITEMDATA, item, lengths[k]);
        if (lengths[k] == app.snoozeMinutes)
            SendMessageA(box, CB_SETCURSEL, item, 0);
    }
}

// "07:05" (or "07:05, snoozed"), a blank line, then the description.
BOOL onInitDialog(HWND dialog, const MessageNote* note)
{
    char text[TEXT_SIZE + NOTE_HEADING_SIZE + 2];
    std::snprintf(text, sizeof text, "%s\n\n%s", note->heading, note->record->description);
    SetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, text);
    SetPropA(dialog, RANG_PROPERTY, new RangRecord{note->isReminder, *note->record});
    fillSnoozeLengths(dialog);
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

// The record snoozed for the length chosen, then closed as OK closes it.
void snooze(HWND dialog)
{
    HWND box = GetDlgItem(dialog, IDC_SNOOZE_MINUTES);
    LRESULT item = SendMessageA(box, CB_GETCURSEL, 0, 0);
    const RangRecord* rang = messageWindowRecord(dialog);
    if (item != CB_ERR && rang)
        snoozeRang(rang, 1, static_cast<int>(SendMessageA(box, CB_GETITEMDATA, item, 0)));
    acknowledge(dialog);
}

INT_PTR onCommand(HWND dialog, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
    case IDCANCEL: acknowledge(dialog); return TRUE;
    case IDC_SNOOZE: snooze(dialog); return TRUE;
    }
    return FALSE;
}

void onDestroy(HWND dialog)
{
    delete static_cast<RangRecord*>(RemovePropA(dialog, RANG_PROPERTY));
}

}  // namespace

const RangRecord* messageWindowRecord(HWND window)
{
    return static_cast<const RangRecord*>(GetPropA(window, RANG_PROPERTY));
}

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
    case WM_DESTROY:
        onDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}
