#include "alarms/alarm_page_win.h"

#include <commctrl.h>
#include <prsht.h>

#include "alarms/alarm_event.h"
#include "alarms/alarm_marks.h"
#include "alarms/clock_tick.h"
#include "alarms/clock_tick_win.h"
#include "alarms/event_rows_win.h"
#include "alarms/snooze.h"
#include "alarms/wave_choice_win.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "face/face_geometry.h"
#include "face/window_dpi_win.h"
#include "app/settings_sheet_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"
#include "settings/settings_win.h"

EditorRequest editorRequest;

namespace {

struct ListColumn {
    const char* header;  // none for the check box column
    int width;
};

// The last column, of no width, carries each alarm's own wave file.
constexpr ListColumn listColumns[] = {
    {nullptr, 27}, {"Time", 40}, {"Description", 175}, {"Period", 50}, {"Period info", 75}, {nullptr, 0},
};

constexpr LONG BOLDEST_WEIGHT = 1000;

// The wave path's bold font, made when the page is created and needed
// until the page goes.
HFONT boldPathFont;

// The page while it is open: the tick's changes to the table reach its rows.
HWND openPage;

HWND listOf(HWND page)
{
    return GetDlgItem(page, IDC_ALARM_LIST);
}

int rowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

bool isChecked(HWND page, int id)
{
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void inform(HWND page, const char* text)
{
    MessageBoxA(page, text, app.caption, MB_ICONINFORMATION);
}

void insertColumns(HWND list)
{
    int index = 0;
    for (const ListColumn& column : listColumns) {
        LVCOLUMNA format{};
        format.mask = LVCF_WIDTH;
        format.cx = column.width * windowDpi(list) / BASE_DPI;  // the widths are for 96 dpi
        if (column.header) {
            format.mask |= LVCF_TEXT;
            format.pszText = const_cast<char*>(column.header);
        }
        SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&format));
    }
}

// The rows in table order, up to the end marker.
void fillRows(HWND list)
{
    for (int slot = 0; slot < MAX_EVENTS && app.events.slots[slot].hours != -1; ++slot)
        insertEventRow(list, slot, app.events.slots[slot]);
}

void makePathBold(HWND page)
{
    HWND path = GetDlgItem(page, IDC_WAVE_PATH);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(path, WM_GETFONT, 0, 0));
    LOGFONTA look{};
    GetObjectA(font, sizeof look, &look);
    look.lfWeight = BOLDEST_WEIGHT;
    boldPathFont = CreateFontIndirectA(&look);
    SendMessageA(path, WM_SETFONT, reinterpret_cast<WPARAM>(boldPathFont), FALSE);
}

BOOL onInitDialog(HWND page)
{
    HWND list = listOf(page);
    editorRequest.listView = list;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    insertColumns(list);
    fillRows(list);
    fillAlarmOptions(page, app);
    makePathBold(page);
    openPage = page;
    return TRUE;
}

void onDestroy()
{
    openPage = NULL;
    if (boldPathFont) {
        DeleteObject(boldPathFont);
        boldPathFont = NULL;
    }
}

void openEditor(HWND page, EditorMode mode)
{
    editorRequest.mode = mode;
    if (DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_EDITOR), page, AlarmEditorDialog,
                        reinterpret_cast<LPARAM>(&editorRequest)))
        reportPageChanged(page);
}

// Acts on the selected row, as Edit does. The list's selection mark is no
// guide: it outlives the deleted row and a click beside the rows.
void deleteAlarm(HWND page)
{
    HWND list = listOf(page);
    if (rowCount(list) == 0) {
        inform(page, "There is no alarm in list view!");
        return;
    }
    int row = findSelectedRow(list);
    if (row == -1) {
        inform(page, "Please select line for delete!");
        return;
    }
    if (MessageBoxA(page, "Delete alarm. Are you sure?", app.caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    SendMessageA(list, LVM_DELETEITEM, row, 0);
    reportPageChanged(page);
}

void selectWave(HWND page)
{
    char file[TEXT_SIZE];
    if (!chooseWaveFile(page, file))
        return;
    SetDlgItemTextA(page, IDC_WAVE_PATH, file);
    reportPageChanged(page);
}

// Plays the path shown, applied or not, down the alarm's chain.
void playWave(HWND page)
{
    char path[TEXT_SIZE] = "";
    GetDlgItemTextA(page, IDC_WAVE_PATH, path, TEXT_SIZE);
    tryWaveFile(page, path, nullptr);
}

// The mark goes on the selected row, which an Apply takes into the table.
void skipNext(HWND page)
{
    HWND list = listOf(page);
    int row = findSelectedRow(list);
    if (row < 0)
        return;
    AlarmEvent alarm;
    readEventRow(list, row, &alarm);
    if (!alarm.isOn)
        return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    long long minute = minuteNumber(toLocalTime(now));
    // Past what the clock has already scanned: that occurrence is over.
    toggleSkipNext(alarm, app.ringing.scannedUpTo > minute ? app.ringing.scannedUpTo : minute);
    updateEventRow(list, row, alarm);
    reportPageChanged(page);
}

// "Skip next" acts on a selected alarm that is on.
void enableSkipNext(HWND page)
{
    HWND list = listOf(page);
    int row = findSelectedRow(list);
    AlarmEvent alarm{};
    if (row >= 0)
        readEventRow(list, row, &alarm);
    EnableWindow(GetDlgItem(page, IDC_SKIP_NEXT), alarm.isOn != 0);
}

BOOL onCommand(HWND page, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_ADD_ALARM: openEditor(page, EDITOR_ADD); return TRUE;
    case IDC_EDIT_ALARM: openEditor(page, EDITOR_EDIT); return TRUE;
    case IDC_DELETE_ALARM: deleteAlarm(page); return TRUE;
    case IDC_SELECT_WAVE: selectWave(page); return TRUE;
    case IDC_PLAY_WAVE: playWave(page); return TRUE;
    case IDC_SKIP_NEXT: skipNext(page); return TRUE;
    case IDC_DURATION_ONCE:
    case IDC_DURATION_ONE_MINUTE:
    case IDC_DURATION_THREE_MINUTES: reportPageChanged(page); return TRUE;
    }
    // "Show message box" and the rows' check boxes do not enable Apply;
    // their state is still stored by the next Apply or OK.
    return FALSE;
}

// The whole table from the rows, with the end marker after fewer than 100.
void applyRows(HWND page)
{
    HWND list = listOf(page);
    static EventTable before;  // too large for the stack of a sheet's page
    before = app.events;
    for (AlarmEvent& slot : app.events.slots)
        slot = AlarmEvent{};
    int count = rowCount(list);
    if (count > MAX_EVENTS)
        count = MAX_EVENTS;
    for (int row = 0; row < count; ++row)
        readEventRow(list, row, &app.events.slots[row]);
    if (count < MAX_EVENTS)
        app.events.slots[count].hours = -1;
    readAlarmOptions(page, &app);
    // A snooze that ends here is cleared from the registry at once.
    if (carrySnoozes(before, app.events))
        saveSettings(persistedPart(app), app.hwndMain);
    refreshWakeTimer();
}

// A double click edits the clicked row, or adds to an empty list.
void onListDoubleClick(HWND page)
{
    int command = rowCount(listOf(page)) ? IDC_EDIT_ALARM : IDC_ADD_ALARM;
    SendMessageA(page, WM_COMMAND, command, 0);
}

BOOL onNotify(HWND page, const NMHDR* notice)
{
    switch (notice->code) {
    case PSN_HELP: showHelp(HELP_ALARM_PAGE); break;
    case PSN_APPLY: applyRows(page); break;  // PSNRET_NOERROR
    case NM_DBLCLK:
        if (notice->idFrom != IDC_ALARM_LIST)
            return FALSE;
        onListDoubleClick(page);
        break;
    case LVN_ITEMCHANGED:  // a row selected, or switched on or off
        if (notice->idFrom != IDC_ALARM_LIST)
            return FALSE;
        enableSkipNext(page);
        break;
    default: return FALSE;
    }
    SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
    return TRUE;
}

}  // namespace

void fillAlarmOptions(HWND page, const Settings& settings)
{
    CheckRadioButton(page, IDC_DURATION_ONCE, IDC_DURATION_THREE_MINUTES, IDC_DURATION_ONCE + settings.alarmDuration);
    SetDlgItemTextA(page, IDC_WAVE_PATH, settings.wavePath);
    CheckDlgButton(page, IDC_SHOW_MESSAGE_BOX, settings.showAlarmDialog ? BST_CHECKED : BST_UNCHECKED);
}

void readAlarmOptions(HWND page, Settings* settings)
{
    GetDlgItemTextA(page, IDC_WAVE_PATH, settings->wavePath, TEXT_SIZE);
    settings->alarmDuration = 2 * isChecked(page, IDC_DURATION_THREE_MINUTES) + isChecked(page, IDC_DURATION_ONE_MINUTE);
    settings->showAlarmDialog = isChecked(page, IDC_SHOW_MESSAGE_BOX);
}

namespace {

// Rewrites the rows of the open page that `change` alters (it says whether
// it did), the first `most` of them; a closed page has none.
template <class Change>
void changeOpenPageRows(Change change, int most)
{
    if (!openPage)
        return;
    HWND list = listOf(openPage);
    for (int row = 0; row < rowCount(list) && most > 0; ++row) {
        AlarmEvent shown;
        readEventRow(list, row, &shown);
        if (change(shown)) {
            updateEventRow(list, row, shown);
            --most;
        }
    }
}

}  // namespace

void switchOffOnAlarmPage(const AlarmEvent& alarm)
{
    changeOpenPageRows(
        [&](AlarmEvent& shown) {
            if (!shown.isOn || !isSameAlarm(shown, alarm))
                return false;
            shown.isOn = 0;
            return true;
        },
        1);
}

void clearPassedSkipsOnAlarmPage(const LocalTime& today)
{
    changeOpenPageRows(
        [&](AlarmEvent& shown) {
            if (shown.skipDate == 0 || shown.skipDate >= dateCodeOf(today))
                return false;
            shown.skipDate = 0;
            return true;
        },
        MAX_EVENTS);
}

INT_PTR CALLBACK AlarmPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return onCommand(page, wParam);
    case WM_NOTIFY:
        return onNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    }
    return FALSE;
}
