#include "alarms/alarm_page_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>

#include "alarms/alarm_event.h"
#include "alarms/alarm_sound_win.h"
#include "alarms/clock_tick.h"
#include "alarms/clock_tick_win.h"
#include "alarms/event_rows_win.h"
#include "app/app_state.h"
#include "face/face_geometry.h"
#include "face/window_dpi_win.h"
#include "app/settings_sheet_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"

EditorRequest editorRequest;

namespace {

struct ListColumn {
    const char* header;  // none for the check box column
    int width;
};

constexpr ListColumn listColumns[] = {
    {nullptr, 27}, {"Time", 40}, {"Description", 175}, {"Period", 50}, {"Period info", 75},
};

constexpr LONG BOLDEST_WEIGHT = 1000;

// The wave path's bold font, made when the page is created and needed
// until the page goes.
HFONT boldPathFont;

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
    return TRUE;
}

void onDestroy()
{
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
    char file[TEXT_SIZE] = "";
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = page;
    open.hInstance = app.hInstance;
    open.lpstrFilter = "Wave file (*.wav)\0*.wav\0";
    open.nFilterIndex = 0;
    open.lpstrFile = file;
    open.nMaxFile = TEXT_SIZE;
    open.lpstrTitle = "Please select a wave file";
    open.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER |
                 OFN_ENABLESIZING;
    if (!GetOpenFileNameA(&open))
        return;
    SetDlgItemTextA(page, IDC_WAVE_PATH, file);
    reportPageChanged(page);
}

// Plays the path shown, applied or not, down the alarm's chain; a later
// sound replaces it, a stop ends it. A file that cannot be played is told.
void playWave(HWND page)
{
    char path[TEXT_SIZE] = "";
    GetDlgItemTextA(page, IDC_WAVE_PATH, path, TEXT_SIZE);
    SoundLink link = playAlarmSound(path, false);
    app.ringing.pageSoundPlaying = true;
    if (link == LINK_CHOSEN_FILE)
        return;
    char notice[PLAY_NOTICE_SIZE];
    formatPlayNotice(path, link, notice);
    inform(page, notice);
}

BOOL onCommand(HWND page, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_ADD_ALARM: openEditor(page, EDITOR_ADD); return TRUE;
    case IDC_EDIT_ALARM: openEditor(page, EDITOR_EDIT); return TRUE;
    case IDC_DELETE_ALARM: deleteAlarm(page); return TRUE;
    case IDC_SELECT_WAVE: selectWave(page); return TRUE;
    case IDC_PLAY_WAVE: playWave(page); return TRUE;
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
