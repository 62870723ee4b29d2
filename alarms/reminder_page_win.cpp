// The "Reminder" page of the settings sheet: the period, the message and the
// base time of the one reminder, and its event time worked out as they change.
#include "alarms/reminder_page_win.h"

#include <commctrl.h>
#include <prsht.h>

#include "alarms/clock_tick_win.h"
#include "alarms/reminder_schedule.h"
#include "app/local_time_win.h"
#include "app/app_state.h"
#include "app/settings_sheet_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"
#include "settings/settings_win.h"

namespace {

// Everything but the check box itself, which only these follow.
const int CONTROLS_OF_AN_ARMED_REMINDER[] = {
    IDC_REMINDER_HOURS,       IDC_REMINDER_MINUTES,       IDC_REMINDER_PERIOD_GROUP,
    IDC_REMINDER_HOURS_LABEL, IDC_REMINDER_MINUTES_LABEL, IDC_REMINDER_MESSAGE_GROUP,
    IDC_REMINDER_MESSAGE,     IDC_REMINDER_TIME_GROUP,    IDC_REMINDER_BASE,
    IDC_REMINDER_SET_CURRENT, IDC_REMINDER_BASE_LABEL,    IDC_REMINDER_EVENT_LABEL,
    IDC_REMINDER_EVENT,
};

// The lists are sorted; these orders are also their sorted orders, so an
// item's index is its value (hours) or its value / 15 (minutes).
const char* const PERIOD_HOURS_ITEMS[] = {"0", "1", "2", "3"};
const char* const PERIOD_MINUTES_ITEMS[] = {"0", "15", "30", "45"};

void addItems(HWND page, int listId, const char* const (&items)[4])
{
    for (const char* item : items)
        SendDlgItemMessageA(page, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

void applyEnableRule(HWND page)
{
    BOOL armed = IsDlgButtonChecked(page, IDC_REMINDER_ON) == BST_CHECKED;
    for (int id : CONTROLS_OF_AN_ARMED_REMINDER)
        EnableWindow(GetDlgItem(page, id), armed);
}

// The page holds the base time only as the text it shows.
AlarmEvent readPage(HWND page)
{
    AlarmEvent scratch{};
    scratch.isOn = IsDlgButtonChecked(page, IDC_REMINDER_ON);
    scratch.periodHours = static_cast<int>(SendDlgItemMessageA(page, IDC_REMINDER_HOURS, CB_GETCURSEL, 0, 0));
    scratch.periodMinutes =
        static_cast<int>(SendDlgItemMessageA(page, IDC_REMINDER_MINUTES, CB_GETCURSEL, 0, 0)) * REMINDER_MINUTE_STEP;
    GetDlgItemTextA(page, IDC_REMINDER_MESSAGE, scratch.description, TEXT_SIZE);
    char base[TEXT_SIZE] = "";
    GetDlgItemTextA(page, IDC_REMINDER_BASE, base, TEXT_SIZE);
    readBaseTime(base, scratch.baseHours, scratch.baseMinutes);
    return scratch;
}

void showTime(HWND page, int staticId, int hours, int minutes)
{
    char text[CLOCK_TIME_TEXT_SIZE];
    formatClockTime(hours, minutes, text);
    SetDlgItemTextA(page, staticId, text);
}

void showEvent(HWND page)
{
    AlarmEvent scratch = readPage(page);
    computeReminderEvent(scratch);
    showTime(page, IDC_REMINDER_EVENT, scratch.hours, scratch.minutes);
}

void showBase(HWND page, int hours, int minutes)
{
    showTime(page, IDC_REMINDER_BASE, hours, minutes);
    showEvent(page);
}

void setCurrentBase(HWND page)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    showBase(page, now.wHour, now.wMinute);
}

BOOL onInitDialog(HWND page)
{
    addItems(page, IDC_REMINDER_HOURS, PERIOD_HOURS_ITEMS);
    addItems(page, IDC_REMINDER_MINUTES, PERIOD_MINUTES_ITEMS);
    SendDlgItemMessageA(page, IDC_REMINDER_MESSAGE, EM_LIMITTEXT, TEXT_SIZE - 1, 0);

    AlarmEvent& stored = app.reminder;
    if (stored.periodHours == 0 && stored.periodMinutes == 0)
        stored.periodMinutes = REMINDER_MINUTE_STEP;  // a fresh reminder offers a quarter of an hour
    SendDlgItemMessageA(page, IDC_REMINDER_HOURS, CB_SETCURSEL, stored.periodHours, 0);
    SendDlgItemMessageA(page, IDC_REMINDER_MINUTES, CB_SETCURSEL, stored.periodMinutes / REMINDER_MINUTE_STEP, 0);
    CheckDlgButton(page, IDC_REMINDER_ON, stored.isOn ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(page, IDC_REMINDER_MESSAGE, stored.description);

    // A reminder that is off (never armed, or fired) starts from now.
    if (stored.isOn)
        showBase(page, stored.baseHours, stored.baseMinutes);
    else
        setCurrentBase(page);
    applyEnableRule(page);
    return TRUE;
}

// Stores the page when it passes the checks; a refusal is shown, and the
// stored reminder stays as it was.
bool commit(HWND page)
{
    AlarmEvent scratch = readPage(page);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ReminderVerdict verdict = checkReminder(scratch, now.wHour, now.wMinute);
    if (verdict != REMINDER_STORE) {
        MessageBoxA(page, reminderRefusalText(verdict), app.caption, MB_ICONINFORMATION);
        return false;
    }
    // Arming a reminder, or disarming one, ends the snooze of the one before.
    bool endsSnooze = (scratch.isOn || app.reminder.isOn) && app.snoozedReminder.snoozeUtc != 0;
    app.reminder = scratch;
    if (endsSnooze) {
        app.snoozedReminder.snoozeUtc = 0;
        saveSettings(persistedPart(app), app.hwndMain);
    }
    app.ringing.reminderDue =
        scratch.isOn ? reminderEventMinute(toLocalTime(now), scratch.hours, scratch.minutes) : NOT_YET;
    refreshWakeTimer();
    return true;
}

INT_PTR onCommand(HWND page, WPARAM wParam)
{
    WORD id = LOWORD(wParam);
    WORD notification = HIWORD(wParam);
    switch (id) {
    case IDC_REMINDER_SET_CURRENT:
        setCurrentBase(page);
        reportPageChanged(page);
        return TRUE;
    case IDC_REMINDER_HOURS:
    case IDC_REMINDER_MINUTES:
        if (notification != CBN_SELCHANGE)
            return FALSE;
        showEvent(page);
        reportPageChanged(page);
        return TRUE;
    case IDC_REMINDER_ON:
        applyEnableRule(page);
        reportPageChanged(page);
        return TRUE;
    case IDC_REMINDER_MESSAGE:
        if (notification != EN_UPDATE)
            return FALSE;
        reportPageChanged(page);
        return TRUE;
    }
    return FALSE;
}

// A refused commit vetoes the apply: the sheet stays open on this page with
// what the user typed, and Apply stays enabled.
INT_PTR onNotify(HWND page, const NMHDR* header)
{
    if (!header)
        return FALSE;
    switch (header->code) {
    case PSN_HELP:
        showHelp(HELP_REMINDER_PAGE);
        return FALSE;
    case PSN_APPLY:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, commit(page) ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ReminderPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return onCommand(page, wParam);
    case WM_NOTIFY:
        return onNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    }
    return FALSE;
}
