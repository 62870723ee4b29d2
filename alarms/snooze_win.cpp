#include "alarms/snooze_win.h"

#include <cstdio>

#include "alarms/alarm_marks.h"
#include "alarms/clock_tick_win.h"
#include "alarms/message_window_win.h"
#include "alarms/snooze.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "res/resource.h"
#include "settings/settings_win.h"

namespace {

// A message window of one of the records snoozed is closed with it.
BOOL CALLBACK closeIfSnoozed(HWND window, LPARAM)
{
    const RangRecord* shown = messageWindowRecord(window);
    if (!shown)
        return TRUE;
    for (int k = 0; k < app.ringing.rangCount; ++k) {
        const RangRecord& rang = app.ringing.rang[k];
        if (rang.isReminder == shown->isReminder && isSameAlarm(rang.record, shown->record)) {
            DestroyWindow(window);
            break;
        }
    }
    return TRUE;
}

}  // namespace

void snoozeRang(const RangRecord* records, int count, int minutes)
{
    if (!isSnoozeLength(minutes))
        return;
    app.snoozeMinutes = minutes;
    long long moment = snoozeMoment(utcSecondNow(), minutes);
    for (int k = 0; k < count; ++k)
        snoozeRecord(app, records[k], moment);
    saveSettings(persistedPart(app), app.hwndMain);
    refreshWakeTimer();
}

void offerSnoozeInMenu(HMENU menu)
{
    if (GetMenuItemID(menu, 0) == IDM_SNOOZE) {
        DeleteMenu(menu, 0, MF_BYPOSITION);
        DeleteMenu(menu, 0, MF_BYPOSITION);  // its separator
    }
    if (app.ringing.alarmRinging != 1 || app.ringing.rangCount == 0)
        return;
    char text[40];
    std::snprintf(text, sizeof text, "Snooze %d minutes", app.snoozeMinutes);
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, IDM_SNOOZE, text);
    InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
}

void snoozeRinging()
{
    if (app.ringing.alarmRinging != 1)
        return;  // it ended while the menu was open
    snoozeRang(app.ringing.rang, app.ringing.rangCount, app.snoozeMinutes);
    EnumThreadWindows(GetCurrentThreadId(), closeIfSnoozed, 0);
    PostMessageA(app.hwndMain, WM_ALARM_ACKNOWLEDGED, 0, 0);
}
