#include "alarms/alarm_editor_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "alarms/alarm_event.h"
#include "alarms/editor_rules.h"
#include "alarms/event_rows.h"
#include "alarms/event_rows_win.h"
#include "alarms/wave_choice_win.h"
#include "app/app_state.h"
#include "res/resource.h"

namespace {

// The dialog is modal, so one state serves every opening.
struct EditorState {
    HWND listView;
    int mode;
    int editedRow;
    AlarmEvent working;
    bool filling;  // set while the fields are being filled with the record: nothing is corrected
};

EditorState editor;

struct NumberField {
    int spin;
    int field;
    int lowest;
    int highest;
};

constexpr NumberField numberFields[] = {
    {IDC_EDITOR_HOURS_SPIN, IDC_EDITOR_HOURS, 0, 23},
    {IDC_EDITOR_MINUTES_SPIN, IDC_EDITOR_MINUTES, 0, 59},
    {IDC_EDITOR_BASE_DAY_SPIN, IDC_EDITOR_BASE_DAY, 1, 31},
    {IDC_EDITOR_BASE_MONTH_SPIN, IDC_EDITOR_BASE_MONTH, 1, 12},
};

constexpr int NUMBER_LENGTH = 2;

// The period radio buttons in code order (Once came later, so its id does
// not follow Year's).
constexpr int periodButtons[PERIOD_COUNT] = {IDC_EDITOR_DAY, IDC_EDITOR_MONTH, IDC_EDITOR_QUARTER, IDC_EDITOR_YEAR,
                                             IDC_EDITOR_ONCE};

int controlOf(EditorField field)
{
    switch (field) {
    case FIELD_HOURS: return IDC_EDITOR_HOURS;
    case FIELD_MINUTES: return IDC_EDITOR_MINUTES;
    case FIELD_BASE_DAY: return IDC_EDITOR_BASE_DAY;
    case FIELD_BASE_MONTH: return IDC_EDITOR_BASE_MONTH;
    }
    return 0;
}

bool isChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

unsigned numberIn(HWND dialog, int id)
{
    return GetDlgItemInt(dialog, id, NULL, FALSE);  // an empty field reads 0
}

int rowCount(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

// Each arrow control moves beside its filled field and starts from its value.
void attachArrows(HWND dialog)
{
    for (const NumberField& number : numberFields) {
        HWND arrows = GetDlgItem(dialog, number.spin);
        SendMessageA(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, number.field)), 0);
        SendMessageA(arrows, UDM_SETRANGE, 0, MAKELPARAM(number.highest, number.lowest));
        SendMessageA(arrows, UDM_SETPOS, 0, MAKELPARAM(GetDlgItemInt(dialog, number.field, NULL, FALSE), 0));
    }
}

void limitTexts(HWND dialog)
{
    for (const NumberField& number : numberFields)
        SendDlgItemMessageA(dialog, number.field, EM_LIMITTEXT, NUMBER_LENGTH, 0);
    SendDlgItemMessageA(dialog, IDC_EDITOR_DESCRIPTION, EM_LIMITTEXT, TEXT_SIZE - 1, 0);
    SendDlgItemMessageA(dialog, IDC_EDITOR_SOUND, EM_LIMITTEXT, TEXT_SIZE - 1, 0);
}

void fillEditorControls(HWND dialog, AlarmEvent event)
{
    SetDlgItemTextA(dialog, IDC_EDITOR_DESCRIPTION, event.description);
    for (int k = 0; k < 7; ++k)
        CheckDlgButton(dialog, IDC_EDITOR_SUNDAY + k, event.days[k] ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_EDITOR_HOURS, event.hours, FALSE);
    SetDlgItemInt(dialog, IDC_EDITOR_MINUTES, event.minutes, FALSE);
    SetDlgItemInt(dialog, IDC_EDITOR_BASE_DAY, event.baseDay ? event.baseDay : 1, FALSE);
    SetDlgItemInt(dialog, IDC_EDITOR_BASE_MONTH, event.baseMonth ? event.baseMonth : 1, FALSE);
    for (int period = 0; period < PERIOD_COUNT; ++period)
        CheckDlgButton(dialog, periodButtons[period], period == event.period ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, IDC_EDITOR_SOUND, event.sound);
}

// Every field, whatever the period; the row keeps only what the period uses.
// `isOn` stays as it was prepared.
void readEditorControls(HWND dialog, AlarmEvent* event)
{
    GetDlgItemTextA(dialog, IDC_EDITOR_DESCRIPTION, event->description, TEXT_SIZE);
    for (int k = 0; k < 7; ++k)
        event->days[k] = isChecked(dialog, IDC_EDITOR_SUNDAY + k);
    event->hours = static_cast<int>(numberIn(dialog, IDC_EDITOR_HOURS));
    event->minutes = static_cast<int>(numberIn(dialog, IDC_EDITOR_MINUTES));
    event->baseDay = static_cast<int>(numberIn(dialog, IDC_EDITOR_BASE_DAY));
    event->baseMonth = static_cast<int>(numberIn(dialog, IDC_EDITOR_BASE_MONTH));
    event->period = PERIOD_DAY;
    for (int period = 0; period < PERIOD_COUNT; ++period)
        if (isChecked(dialog, periodButtons[period]))
            event->period = period;
    GetDlgItemTextA(dialog, IDC_EDITOR_SOUND, event->sound, TEXT_SIZE);
}

void enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(GetDlgItem(dialog, id), enabled);
}

// Days of the week for Day; a base day for the others; a base month for
// Quarter, Year and Once.
void enablePeriodControls(HWND dialog)
{
    bool day = isChecked(dialog, IDC_EDITOR_DAY);
    bool month = isChecked(dialog, IDC_EDITOR_MONTH);
    enable(dialog, IDC_EDITOR_DAYS_GROUP, day);
    for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
        enable(dialog, id, day);
    enable(dialog, IDC_EDITOR_BASE_GROUP, !day);
    enable(dialog, IDC_EDITOR_BASE_DAY_LABEL, !day);
    enable(dialog, IDC_EDITOR_BASE_DAY, !day);
    enable(dialog, IDC_EDITOR_BASE_MONTH_LABEL, !day && !month);
    enable(dialog, IDC_EDITOR_BASE_MONTH, !day && !month);
}

void refuse(HWND dialog, const char* text)
{
    MessageBoxA(dialog, text, app.caption, MB_ICONINFORMATION);
    EndDialog(dialog, 0);
}

// Edit: the first selected row becomes the working record.
bool prepareEdit(HWND dialog)
{
    if (rowCount(editor.listView) == 0) {
        refuse(dialog, "There is no event in listview!");
        return false;
    }
    editor.editedRow = findSelectedRow(editor.listView);
    if (editor.editedRow < 0) {
        refuse(dialog, "Please select line for edit!");
        return false;
    }
    SetWindowTextA(dialog, "Edit alarm");
    readEventRow(editor.listView, editor.editedRow, &editor.working);
    return true;
}

// Add: a new alarm is on, at 00:00, every day of the week.
bool prepareAdd(HWND dialog)
{
    if (rowCount(editor.listView) >= MAX_EVENTS) {
        refuse(dialog, "Limit is reached!");
        return false;
    }
    SetWindowTextA(dialog, "Add alarm");
    editor.working = AlarmEvent{};
    editor.working.isOn = 1;
    for (int& day : editor.working.days)
        day = 1;
    return true;
}

BOOL onInitDialog(HWND dialog, const EditorRequest* request)
{
    editor = EditorState{};
    editor.listView = request->listView;
    editor.mode = request->mode;
    editor.editedRow = -1;
    limitTexts(dialog);
    bool prepared = editor.mode == EDITOR_EDIT ? prepareEdit(dialog) : prepareAdd(dialog);
    if (!prepared)
        return TRUE;
    // Half-filled fields would be put right against each other (a base day
    // against a month not yet shown), with beeps.
    editor.filling = true;
    fillEditorControls(dialog, editor.working);
    attachArrows(dialog);
    editor.filling = false;
    enablePeriodControls(dialog);
    return TRUE;
}

// Out-of-range numbers are put right in place, each with a beep. Every
// correction is itself an update, so it is checked again in turn.
void checkNumberField(HWND dialog, EditorField field)
{
    if (editor.filling)
        return;
    EditorNumbers numbers{numberIn(dialog, IDC_EDITOR_HOURS), numberIn(dialog, IDC_EDITOR_MINUTES),
                          numberIn(dialog, IDC_EDITOR_BASE_DAY), numberIn(dialog, IDC_EDITOR_BASE_MONTH)};
    for (const FieldWrite& write : correctionsAfterUpdate(field, numbers)) {
        SetDlgItemInt(dialog, controlOf(write.field), write.value, FALSE);
        MessageBeep(0);
    }
}

int compareLikeTheUser(const char* left, const char* right)
{
    return lstrcmpA(left, right);
}

std::vector<std::string> rowTimes(HWND list)
{
    std::vector<std::string> times;
    int count = rowCount(list);
    for (int index = 0; index < count; ++index) {
        char time[TEXT_SIZE] = "";
        LVITEMA item{};
        item.iSubItem = 1;
        item.pszText = time;
        item.cchTextMax = TEXT_SIZE;
        SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        times.emplace_back(time);
    }
    return times;
}

void selectRow(HWND list, int index)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

// The alarm goes in as a new row at its place in time order; an edited
// alarm leaves its old row first.
void onOk(HWND dialog)
{
    if (editor.mode == EDITOR_EDIT)
        SendMessageA(editor.listView, LVM_DELETEITEM, editor.editedRow, 0);
    readEditorControls(dialog, &editor.working);
    EventRow row = eventToRow(editor.working);
    int position = timeOrderPosition(rowTimes(editor.listView), row.time, compareLikeTheUser);
    insertEventRow(editor.listView, position, editor.working);
    selectRow(editor.listView, position);
    EndDialog(dialog, 1);
}

bool numberFieldOf(int id, EditorField* field)
{
    for (EditorField candidate : {FIELD_HOURS, FIELD_MINUTES, FIELD_BASE_DAY, FIELD_BASE_MONTH})
        if (controlOf(candidate) == id) {
            *field = candidate;
            return true;
        }
    return false;
}

void selectSound(HWND dialog)
{
    char file[TEXT_SIZE];
    if (chooseWaveFile(dialog, file))
        SetDlgItemTextA(dialog, IDC_EDITOR_SOUND, file);
}

// The alarm's own file, or (empty) the file the Alarm page shows now.
void playSound(HWND dialog)
{
    char own[TEXT_SIZE] = "", pageFile[TEXT_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_EDITOR_SOUND, own, TEXT_SIZE);
    GetDlgItemTextA(GetParent(editor.listView), IDC_WAVE_PATH, pageFile, TEXT_SIZE);
    tryWaveFile(dialog, pageFile, own);
}

BOOL onCommand(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    EditorField field;
    switch (id) {
    case IDOK:
        onOk(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_EDITOR_DAY:
    case IDC_EDITOR_MONTH:
    case IDC_EDITOR_QUARTER:
    case IDC_EDITOR_YEAR:
    case IDC_EDITOR_ONCE:
        enablePeriodControls(dialog);
        return TRUE;
    case IDC_EDITOR_SELECT_SOUND:
        selectSound(dialog);
        return TRUE;
    case IDC_EDITOR_PLAY_SOUND:
        playSound(dialog);
        return TRUE;
    }
    if (HIWORD(wParam) == EN_UPDATE && numberFieldOf(id, &field)) {
        checkNumberField(dialog, field);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AlarmEditorDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, reinterpret_cast<const EditorRequest*>(lParam));
    case WM_COMMAND:
        return onCommand(dialog, wParam);
    }
    return FALSE;
}
