#include "app/tray_icon_win.h"

#include "alarms/snooze.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "app/struct_sizes_win.h"
#include "app/timer_ids.h"
#include "app/tray_retry.h"
#include "app/tray_tip.h"
#include "res/resource.h"

namespace {

NOTIFYICONDATAA trayIconData(UINT flags)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFY_ICON_DATA_SIZE;
    data.hWnd = app.hwndMain;
    data.uID = TRAY_ICON_ID;
    data.uFlags = flags;
    return data;
}

// True also when the shell has the icon already.
bool addTrayIcon()
{
    NOTIFYICONDATAA data = trayIconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    // The small-icon size of the system's DPI: the image of that size when
    // the icon has one, rather than one stretched by the shell.
    data.hIcon = static_cast<HICON>(LoadImageA(app.hInstance, MAKEINTRESOURCEA(IDI_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    lstrcpynA(data.szTip, app.trayTip.shown[0] ? app.trayTip.shown : app.caption, sizeof data.szTip);
    // A retry may have added it to a new taskbar before that taskbar's
    // announcement arrives; the shell then refuses a second NIM_ADD.
    return Shell_NotifyIconA(NIM_ADD, &data) || Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool isAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

void CALLBACK retryTrayIcon(HWND, UINT, UINT_PTR, DWORD)
{
    keepAddingTrayIcon();
}

}  // namespace

void keepAddingTrayIcon()
{
    switch (afterTrayIconAttempt(app.trayRetry, addTrayIcon())) {
    case TRAY_TRY_AGAIN:
        // A procedure of its own: its ticks never reach the clock's WM_TIMER.
        SetTimer(app.hwndMain, TRAY_RETRY_TIMER_ID, TRAY_RETRY_INTERVAL_MS, retryTrayIcon);
        break;
    case TRAY_REPORT_MISSING:
        KillTimer(app.hwndMain, TRAY_RETRY_TIMER_ID);
        // The clock goes on without the icon: its own menu has every command.
        MessageBoxA(app.hwndMain, "Shell notify icon is not created!", app.caption, MB_ICONERROR);
        break;
    case TRAY_ICON_ADDED:
    case TRAY_STOP_TRYING:
        KillTimer(app.hwndMain, TRAY_RETRY_TIMER_ID);
        break;
    }
}

void deleteTrayIcon()
{
    NOTIFYICONDATAA data = trayIconData(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void clearBalloon()
{
    NOTIFYICONDATAA data = trayIconData(NIF_INFO);
    data.szInfo[0] = 0;
    data.szInfoTitle[0] = 0;
    data.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

namespace {

// The snooze that waits first, at the local time of its moment.
bool waitingSnooze(SnoozedOccurrence& snoozed)
{
    const AlarmEvent* record = firstWaitingSnooze(app);
    SYSTEMTIME utc = {}, local;
    if (record)
        utc = toSystemTime(timeOfMinute(record->snoozeUtc / 60));
    if (!record || !SystemTimeToTzSpecificLocalTime(NULL, &utc, &local))
        return false;
    snoozed = {toLocalTime(local), record->description, record == &app.snoozedReminder};
    return true;
}

}  // namespace

void refreshTrayTip(long long minute, bool anew)
{
    TrayTipGlue& glue = app.trayTip;
    if (!anew && minute == glue.workedOutAt)
        return;
    glue.workedOutAt = minute;
    SnoozedOccurrence snoozed;
    bool hasSnooze = waitingSnooze(snoozed);
    char tip[TRAY_TIP_SIZE];
    composeTrayTip(app.caption, app, app.reminder, app.ringing, minute, hasSnooze ? &snoozed : nullptr, isAnsiLeadByte, tip);
    if (lstrcmpA(tip, glue.shown) == 0)
        return;
    lstrcpynA(glue.shown, tip, sizeof glue.shown);
    NOTIFYICONDATAA data = trayIconData(NIF_TIP);
    lstrcpynA(data.szTip, tip, sizeof data.szTip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
