// The Alarm page and its editor worked from outside, as a user would: alarms
// seeded in the registry, the sheet opened from the clock's menu, controls
// typed into and clicked, the list read from the clock's process, and the
// registry read after OK or Cancel.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "e2e/remote_list.h"
#include "res/resource.h"
#include "support/sound_capture.h"

using namespace driver;

namespace {

constexpr int APPLY_BUTTON = 0x3021;  // the property sheet's Apply
constexpr unsigned EVERY_DAY = 0x7F;
constexpr unsigned WEEKDAYS = 0x3E;
using Texts = std::vector<std::string>;

struct Alarm {
    DWORD isOn, hours, minutes;
    const char* description;
    DWORD period, days, baseDay, baseMonth;  // days: bit 0 Sunday
};

std::string slotName(int slot, const char* suffix)
{
    char name[64];
    std::snprintf(name, sizeof name, "Event_%02d_%s", slot, suffix);
    return name;
}

void seedAlarms(const std::vector<Alarm>& alarms)
{
    for (int slot = 0; slot < static_cast<int>(alarms.size()); ++slot) {
        const Alarm& a = alarms[slot];
        const std::pair<const char*, DWORD> numbers[] = {
            {"is_on", a.isOn},   {"hours", a.hours}, {"minutes", a.minutes},        {"period", a.period},
            {"days", a.days}, {"base_date_day", a.baseDay}, {"base_date_month", a.baseMonth}};
        for (const auto& [suffix, value] : numbers)
            writeDword(EVENTS_KEY, slotName(slot, suffix).c_str(), value);
        writeString(EVENTS_KEY, slotName(slot, "description").c_str(), a.description);
    }
}

DWORD savedNumber(int slot, const char* suffix)
{
    DWORD value = 0xDEADBEEF;
    readDword(EVENTS_KEY, slotName(slot, suffix).c_str(), &value);
    return value;
}

// The descriptions of the saved table, in slot order, up to its end marker.
Texts savedDescriptions()
{
    Texts texts;
    std::string text;
    for (int slot = 0; slot < 100 && valueExists(EVENTS_KEY, slotName(slot, "hours").c_str()); ++slot)
        texts.push_back(readString(EVENTS_KEY, slotName(slot, "description").c_str(), &text) ? text : "<none>");
    return texts;
}

void type(HWND dialog, int id, const char* text) { sendTo(GetDlgItem(dialog, id), WM_SETTEXT, 0, (LPARAM)text); }

void click(HWND dialog, int id) { sendTo(GetDlgItem(dialog, id), BM_CLICK); }
bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

const std::vector<Alarm> threeMornings = {
    {1, 6, 0, "six", 0, WEEKDAYS, 0, 0}, {1, 7, 30, "half past seven", 0, EVERY_DAY, 0, 0},
    {0, 8, 0, "eight", 0, WEEKDAYS, 0, 0}};

// Each test owns one clock. Whatever a failed test leaves open (message
// boxes, the editor, the sheet) is cancelled when it ends.
class AlarmPage : public ::testing::Test {
protected:
    // Not a first start: no help viewer.
    void SetUp() override { deleteProgramSettings(); writeDword(PROGRAM_KEY, "Scale", 100); }
    void TearDown() override
    {
        if (clock.running())
            cancelDialogs(pid());
    }

    DWORD pid() const { return clock.process.dwProcessId; }

    void startWith(const std::vector<Alarm>& alarms)
    {
        seedAlarms(alarms);
        ASSERT_TRUE(start(clock));
        openPage();
    }

    // The sheet opened through the menu's "Alarm...", moved clear of the clock.
    void openPage()
    {
        PostMessageA(clock.window, WM_COMMAND, IDM_ALARM, 0);
        sheet = findProcessWindow(pid(), "#32770", "Tockmere", 10000);
        ASSERT_TRUE(sheet != NULL);
        ASSERT_TRUE(waitFor([&] {
            page = reinterpret_cast<HWND>(sendTo(sheet, PSM_GETCURRENTPAGEHWND));
            return page && GetDlgItem(page, IDC_ALARM_LIST);
        }));
        list = GetDlgItem(page, IDC_ALARM_LIST);
        SetWindowPos(sheet, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // OK or Cancel; the clock has saved once it answers again.
    void closeSheet(int button)
    {
        PostMessageA(sheet, WM_COMMAND, button, 0);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000));
        sendTo(clock.window, WM_NULL);
    }

    bool applyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)) != FALSE; }

    // Posted, as the press may open a modal window.
    void press(int id)
    {
        PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }

    // Typing waits until the dialog is shown, when it has filled its fields.
    HWND visibleDialog(const char* title)
    {
        HWND found = NULL;
        waitFor([&] { return (found = findProcessWindow(pid(), "#32770", title)) && IsWindowVisible(found); });
        return found;
    }
    HWND openEditor(int button, const char* title)
    {
        press(button);
        return visibleDialog(title);
    }
    void endEditor(HWND editor, int button)
    {
        PostMessageA(editor, WM_COMMAND, button, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(editor); }));
    }

    // Answers the clock's message box showing `text`; false if none came.
    bool answer(const char* text, int button)
    {
        HWND box = findDialogShowing(pid(), "Tockmere", text, 5000);
        if (!box)
            return false;
        PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
        return waitFor([&] { return !IsWindow(box); });
    }

    bool deleteSelected()
    {
        press(IDC_DELETE_ALARM);
        return answer("Delete alarm. Are you sure?", IDYES);
    }

    Clock clock;
    HWND sheet = NULL;
    HWND page = NULL;
    HWND list = NULL;
};

TEST_F(AlarmPage, AddedAlarmGoesAfterEqualTimesSelectedAndOnAndOkSavesTheTable)
{
    startWith(threeMornings);
    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    EXPECT_EQ(dialogItemText(editor, IDC_EDITOR_HOURS) + ":" + dialogItemText(editor, IDC_EDITOR_MINUTES), "0:0");
    EXPECT_TRUE(checked(editor, IDC_EDITOR_DAY));
    for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
        EXPECT_TRUE(checked(editor, id)) << id;
    const std::string full(259, 'n');  // the description's buffer holds no 260th character
    EXPECT_EQ(pasteInto(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION), full + "n"), full);
    type(editor, IDC_EDITOR_HOURS, "7");
    type(editor, IDC_EDITOR_MINUTES, "30");
    endEditor(editor, IDOK);

    EXPECT_EQ(listColumn(list, 2), (Texts{"six", "half past seven", full, "eight"}));
    EXPECT_EQ(listColumn(list, 1), (Texts{"06:00", "07:30", "07:30", "08:00"}));
    EXPECT_EQ(listCheckImage(list, 2), 2);
    EXPECT_EQ(listSelectedRows(list), std::vector<int>{2});
    EXPECT_TRUE(applyEnabled());

    // A row's check box is kept too, though it does not enable Apply.
    setListItemState(list, 0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    closeSheet(IDOK);
    EXPECT_EQ(savedDescriptions(), (Texts{"six", "half past seven", full, "eight"}));
    EXPECT_EQ((std::vector<DWORD>{savedNumber(0, "is_on"), savedNumber(2, "is_on"), savedNumber(3, "is_on")}),
              (std::vector<DWORD>{0, 1, 0}));
    EXPECT_EQ(savedNumber(2, "days"), EVERY_DAY);
}

// The edited row stays selected as it moves up or down, and Delete takes it.
TEST_F(AlarmPage, EditedAlarmMovesKeepsItsSwitchAndStaysSelected)
{
    startWith(threeMornings);
    const struct { int row; const char* was; const char* hours; Texts moved; int movedTo; int check; Texts left; } edits[] = {
        {2, "8", "5", {"eight", "six", "half past seven"}, 0, 1, {"six", "half past seven"}},
        {0, "6", "9", {"half past seven", "six"}, 1, 2, {"half past seven"}},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.hours);
        clickListCell(list, edit.row, 2);
        HWND editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
        ASSERT_TRUE(editor != NULL);
        EXPECT_EQ(dialogItemText(editor, IDC_EDITOR_HOURS), edit.was);
        type(editor, IDC_EDITOR_HOURS, edit.hours);
        endEditor(editor, IDOK);
        EXPECT_EQ(listColumn(list, 2), edit.moved);
        EXPECT_EQ(listCheckImage(list, edit.movedTo), edit.check);
        EXPECT_EQ(listSelectedRows(list), std::vector<int>{edit.movedTo});
        ASSERT_TRUE(deleteSelected());
        EXPECT_EQ(listColumn(list, 2), edit.left);
    }
    closeSheet(IDOK);
    EXPECT_EQ(savedDescriptions(), Texts{"half past seven"});
}

TEST_F(AlarmPage, EditorCorrectsNumbersAsTheyAreTyped)
{
    startWith({});
    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    click(editor, IDC_EDITOR_YEAR);  // enables the base month too
    const int H = IDC_EDITOR_HOURS, M = IDC_EDITOR_MINUTES, D = IDC_EDITOR_BASE_DAY, MON = IDC_EDITOR_BASE_MONTH;
    const struct { int id; const char* typed; const char* shown; } steps[] = {
        {H, "24", "0:0 1/1"},      {H, "23", "23:0 1/1"},      {M, "60", "23:0 1/1"},     {M, "59", "23:59 1/1"},
        {D, "0", "23:59 1/1"},     {D, "", "23:59 1/1"},       {MON, "2", "23:59 1/2"},   {D, "30", "23:59 29/2"},
        {D, "31", "23:59 29/2"},   {MON, "4", "23:59 29/4"},   {D, "31", "23:59 30/4"},   {MON, "1", "23:59 30/1"},
        {D, "31", "23:59 31/1"},   {MON, "2", "23:59 29/2"},   {D, "15", "23:59 15/2"},   {MON, "13", "23:59 1/1"},
        {D, "15", "23:59 15/1"},   {MON, "", "23:59 1/1"},     {MON, "12", "23:59 1/12"}, {D, "31", "23:59 31/12"},
    };
    auto field = [&](int id) { return dialogItemText(editor, id); };
    for (const auto& step : steps) {
        type(editor, step.id, step.typed);
        EXPECT_EQ(field(H) + ":" + field(M) + " " + field(D) + "/" + field(MON), step.shown)
            << "typed \"" << step.typed << "\" into " << step.id;
    }
    endEditor(editor, IDOK);
    EXPECT_EQ(listColumn(list, 1), Texts{"23:59"});
    EXPECT_EQ(listColumn(list, 3), Texts{"Year"});
    EXPECT_EQ(listColumn(list, 4), Texts{"31:12"});
}

// Opening the editor, in either mode, beeps never and puts nothing right,
// not even a stored base date the typing rules would correct.
TEST_F(AlarmPage, EditorOpensWithoutABeepShowingTheRecordAsStored)
{
    if (soundcapture::bellsRung() < 0)
        GTEST_SKIP() << "needs the harness's bell count";
    startWith({{1, 10, 15, "quarter's end", 2, EVERY_DAY, 31, 4}});
    int bells = soundcapture::bellsRung();
    clickListCell(list, 0, 2);
    HWND editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
    ASSERT_TRUE(editor != NULL);
    EXPECT_EQ(dialogItemText(editor, IDC_EDITOR_BASE_DAY) + "/" + dialogItemText(editor, IDC_EDITOR_BASE_MONTH), "31/4");
    endEditor(editor, IDCANCEL);
    editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    type(editor, IDC_EDITOR_HOURS, "24");  // one beep, the last, to show the count works
    endEditor(editor, IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return soundcapture::bellsRung() > bells; }));
    EXPECT_EQ(soundcapture::bellsRung(), bells + 1) << "the editor beeped as it opened";
}

TEST_F(AlarmPage, PeriodChoosesWhichFieldsAreEnabledAndCancelKeepsTheRow)
{
    startWith({{1, 10, 15, "rent", 1, EVERY_DAY, 7, 5}});
    clickListCell(list, 0, 2);
    HWND editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
    ASSERT_TRUE(editor != NULL);
    // A Month alarm keeps its day but no month and no days of the week.
    EXPECT_TRUE(checked(editor, IDC_EDITOR_MONTH));
    EXPECT_EQ(dialogItemText(editor, IDC_EDITOR_BASE_DAY) + "/" + dialogItemText(editor, IDC_EDITOR_BASE_MONTH), "7/1");
    for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
        EXPECT_FALSE(checked(editor, id)) << id;

    auto expectEnabled = [&](bool days, bool baseDay, bool baseMonth) {
        auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(editor, id)) != FALSE; };
        EXPECT_EQ(enabled(IDC_EDITOR_DAYS_GROUP), days);
        for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
            EXPECT_EQ(enabled(id), days) << id;
        for (int id : {IDC_EDITOR_BASE_GROUP, IDC_EDITOR_BASE_DAY_LABEL, IDC_EDITOR_BASE_DAY})
            EXPECT_EQ(enabled(id), baseDay) << id;
        for (int id : {IDC_EDITOR_BASE_MONTH_LABEL, IDC_EDITOR_BASE_MONTH})
            EXPECT_EQ(enabled(id), baseMonth) << id;
    };
    expectEnabled(false, true, false);
    const struct { int radio; bool days, baseDay, baseMonth; } periods[] = {
        {IDC_EDITOR_DAY, true, false, false},   {IDC_EDITOR_QUARTER, false, true, true},
        {IDC_EDITOR_YEAR, false, true, true},   {IDC_EDITOR_MONTH, false, true, false},
    };
    for (const auto& p : periods) {
        SCOPED_TRACE(p.radio);
        click(editor, p.radio);
        expectEnabled(p.days, p.baseDay, p.baseMonth);
    }
    type(editor, IDC_EDITOR_DESCRIPTION, "changed");
    endEditor(editor, IDCANCEL);
    EXPECT_EQ(listColumn(list, 2), Texts{"rent"});
    EXPECT_EQ(listColumn(list, 4), Texts{"07"});
    EXPECT_FALSE(applyEnabled());
}

TEST_F(AlarmPage, DeleteAndEditExplainWhyTheyCannotActAndOkWithNoRowsEndsTheTable)
{
    startWith(threeMornings);
    press(IDC_DELETE_ALARM);
    EXPECT_TRUE(answer("Please select line for delete!", IDOK));
    press(IDC_EDIT_ALARM);
    EXPECT_TRUE(answer("Please select line for edit!", IDOK));

    // The confirmation offers Yes and No, No the default; No keeps the row.
    clickListCell(list, 1, 2);
    press(IDC_DELETE_ALARM);
    HWND box = findDialogShowing(pid(), "Tockmere", "Delete alarm. Are you sure?", 5000);
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(GetDlgItem(box, IDYES) != NULL && GetDlgItem(box, IDCANCEL) == NULL);
    EXPECT_EQ(GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_TRUE(answer("Delete alarm. Are you sure?", IDNO));
    EXPECT_EQ(listRowCount(list), 3);
    EXPECT_FALSE(applyEnabled());

    ASSERT_TRUE(deleteSelected());
    EXPECT_EQ(listColumn(list, 2), (Texts{"six", "eight"}));
    EXPECT_TRUE(applyEnabled());
    press(IDC_DELETE_ALARM);  // no row is selected now, whatever the list's selection mark names
    EXPECT_TRUE(answer("Please select line for delete!", IDOK));
    for (int left = 2; left > 0; --left) {
        clickListCell(list, 0, 2);
        ASSERT_TRUE(deleteSelected());
    }
    press(IDC_DELETE_ALARM);
    EXPECT_TRUE(answer("There is no alarm in list view!", IDOK));
    press(IDC_EDIT_ALARM);
    EXPECT_TRUE(answer("There is no event in listview!", IDOK));

    closeSheet(IDOK);
    EXPECT_FALSE(valueExists(EVENTS_KEY, "Event_00_is_on"));
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_TRUE(savedDescriptions().empty());
}

TEST_F(AlarmPage, FullListRefusesAnotherAlarmAndSavesAllHundred)
{
    std::vector<Alarm> hundred;
    static char names[100][8];
    for (DWORD i = 0; i < 100; ++i) {
        std::snprintf(names[i], sizeof names[i], "a%02u", static_cast<unsigned>(i));
        hundred.push_back({1, i / 60, i % 60, names[i], 0, EVERY_DAY, 0, 0});
    }
    startWith(hundred);
    ASSERT_EQ(listRowCount(list), 100);
    press(IDC_ADD_ALARM);
    EXPECT_TRUE(answer("Limit is reached!", IDOK));
    EXPECT_TRUE(waitFor([&] { return processWindows(pid(), "#32770", "Add alarm").empty(); }));
    EXPECT_EQ(listRowCount(list), 100);

    closeSheet(IDOK);
    Texts saved = savedDescriptions();
    ASSERT_EQ(saved.size(), 100u);
    EXPECT_EQ(saved[99], "a99");
    EXPECT_EQ(savedNumber(99, "hours") * 60 + savedNumber(99, "minutes"), 99u);
}

TEST_F(AlarmPage, CancelLeavesTheAlarmsExactlyAsTheyWere)
{
    // Fields a row does not show would be lost by a save: a Day alarm's base
    // date, a Quarter alarm's days.
    startWith({{1, 6, 0, "day", 0, WEEKDAYS, 5, 6}, {0, 7, 0, "quarter", 2, EVERY_DAY, 15, 3}});
    auto before = rawValues(EVENTS_KEY);
    ASSERT_EQ(before.size(), 16u);
    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    endEditor(editor, IDOK);
    clickListCell(list, 2, 2);
    ASSERT_TRUE(deleteSelected());
    setListItemState(list, 1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);

    closeSheet(IDCANCEL);
    EXPECT_EQ(rawValues(EVENTS_KEY), before);
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_EQ(rawValues(EVENTS_KEY), before);
}

}  // namespace

namespace {

// "Play" plays the path shown, applied or not; a double click on an empty
// list adds an alarm.
TEST_F(AlarmPage, PlayPlaysThePathShownAndADoubleClickOnAnEmptyListAdds)
{
    if (soundcapture::capturePath().empty())
        GTEST_SKIP() << "needs the harness's sound capture";
    startWith({});
    std::string pattern;
    std::string wave = soundcapture::writePatternWave(soundcapture::tempWavePath("tockmere-play.wav"), 0.4, 7, &pattern);
    std::size_t before = soundcapture::captured().size();
    type(page, IDC_WAVE_PATH, wave.c_str());
    press(IDC_PLAY_WAVE);
    EXPECT_TRUE(waitFor([&] { return soundcapture::captured().find(pattern, before) != std::string::npos; }, 8000));

    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
    HWND editor = visibleDialog("Add alarm");
    ASSERT_TRUE(editor != NULL);
    endEditor(editor, IDCANCEL);
    closeSheet(IDCANCEL);
}

}  // namespace
