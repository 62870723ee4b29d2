// The Alarm page and its editor worked from outside, as a user would: the
// alarms are seeded through the registry, the sheet is opened from the
// clock's menu, controls are typed into and clicked, the list is read from
// the clock's process, and the registry shows what OK or Cancel kept.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "e2e/remote_list.h"
#include "res/resource.h"

namespace {

constexpr int APPLY_BUTTON = 0x3021;  // the property sheet's Apply
constexpr int MESSAGE_TEXT = 0xFFFF;  // a message box's text
constexpr DWORD REPLY_TIMEOUT_MS = 10000;
constexpr int FILE_NAME_BOX = 0x47C;  // cmb13, the Open dialog's file name

constexpr unsigned EVERY_DAY = 0x7F;
constexpr unsigned WEEKDAYS = 0x3E;

struct Alarm {
    int isOn;
    int hours;
    int minutes;
    const char* description;
    int period;
    unsigned days;  // bit 0 Sunday
    int baseDay;
    int baseMonth;
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
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "is_on").c_str(), a.isOn);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "hours").c_str(), a.hours);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "minutes").c_str(), a.minutes);
        driver::writeString(driver::EVENTS_KEY, slotName(slot, "description").c_str(), a.description);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "period").c_str(), a.period);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "days").c_str(), a.days);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "base_date_day").c_str(), a.baseDay);
        driver::writeDword(driver::EVENTS_KEY, slotName(slot, "base_date_month").c_str(), a.baseMonth);
    }
}

DWORD savedNumber(int slot, const char* suffix)
{
    DWORD value = 0xDEADBEEF;
    driver::readDword(driver::EVENTS_KEY, slotName(slot, suffix).c_str(), &value);
    return value;
}

std::string savedDescription(int slot)
{
    std::string text = "<missing>";
    driver::readString(driver::EVENTS_KEY, slotName(slot, "description").c_str(), &text);
    return text;
}

// The descriptions of the saved table, in slot order.
std::vector<std::string> savedDescriptions()
{
    std::vector<std::string> texts;
    for (int slot = 0; slot < 100 && driver::valueExists(driver::EVENTS_KEY, slotName(slot, "hours").c_str()); ++slot)
        texts.push_back(savedDescription(slot));
    return texts;
}

// Every value under the Events key, as raw bytes.
std::map<std::string, std::string> savedEventValues()
{
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, driver::EVENTS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0;; ++index) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        values[std::string(name, nameSize)] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    RegCloseKey(key);
    return values;
}

LRESULT sendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, REPLY_TIMEOUT_MS, &result);
    return static_cast<LRESULT>(result);
}

std::string textOf(HWND window)
{
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        REPLY_TIMEOUT_MS, NULL);
    return text;
}

// Typing into an edit field: the new text, then the field reports EN_UPDATE.
void type(HWND field, const char* text)
{
    sendTo(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// A push button pressed while its press may open a modal window: posted, so
// the test does not wait for that window to close.
void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A message box of the clock ("Tockmere") showing the given text.
HWND findMessageBox(DWORD processId, const char* text, DWORD timeoutMs = 5000)
{
    HWND found = NULL;
    driver::waitFor(
        [&] {
            for (HWND box : driver::processWindows(processId, "#32770", "Tockmere")) {
                HWND label = GetDlgItem(box, MESSAGE_TEXT);
                if (label && textOf(label) == text && IsWindowVisible(box)) {
                    found = box;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool answer(HWND box, int button)
{
    PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
    return driver::waitFor([&] { return !IsWindow(box); });
}

HWND findVisibleDialog(DWORD processId, const char* title, DWORD timeoutMs = 5000)
{
    HWND found = NULL;
    driver::waitFor(
        [&] {
            for (HWND dialog : driver::processWindows(processId, "#32770", title))
                if (IsWindowVisible(dialog)) {
                    found = dialog;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

std::vector<std::string> listColumn(HWND list, int column)
{
    std::vector<std::string> texts;
    int count = driver::listRowCount(list);
    for (int row = 0; row < count; ++row)
        texts.push_back(driver::listCellText(list, row, column));
    return texts;
}

std::vector<int> selectedRows(HWND list)
{
    std::vector<int> rows;
    int count = driver::listRowCount(list);
    for (int row = 0; row < count; ++row)
        if (driver::listItemState(list, row, LVIS_SELECTED) & LVIS_SELECTED)
            rows.push_back(row);
    return rows;
}

// A short mono 16-bit wave file of a pattern no other sound has; returns a
// run of its samples that shows it was played. The harness's sound device
// writes every sample Wine plays to sound.raw in the run's folder.
std::string writePatternWave(const std::string& path)
{
    std::vector<short> samples;
    for (int i = 0; i < 22050; ++i)
        samples.push_back(static_cast<short>((i * 6151) % 18000 - 9000));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return {};
    auto put32 = [f](unsigned v) { std::fwrite(&v, 4, 1, f); };
    auto put16 = [f](unsigned short v) { std::fwrite(&v, 2, 1, f); };
    unsigned dataBytes = static_cast<unsigned>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(16);
    put16(1);  // PCM, mono, 44100 Hz, 16 bits
    put16(1);
    put32(44100);
    put32(44100 * 2);
    put16(2);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(dataBytes);
    std::fwrite(samples.data(), 2, samples.size(), f);
    std::fclose(f);
    return std::string(reinterpret_cast<const char*>(samples.data() + samples.size() / 2), 400);
}

// How often the signature has been played so far.
int timesPlayed(const std::string& signature)
{
    std::string path = driver::harnessFolder() + "sound.raw";
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    int count = 0;
    for (auto at = bytes.find(signature); at != std::string::npos; at = bytes.find(signature, at + 1))
        ++count;
    return count;
}

using Texts = std::vector<std::string>;

// Each test owns one clock with a configured registry. Whatever a failed
// test leaves open (message boxes, the editor, the sheet) is cancelled when
// it ends, and the clock is ended after that.
class AlarmPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver::deleteProgramSettings();
        driver::writeDword(driver::PROGRAM_KEY, "Scale", 100);
    }

    void TearDown() override
    {
        closeEverything();
        driver::closeHelpViewers();
    }

    void startClock() { ASSERT_TRUE(driver::start(clock)); }
    DWORD processId() const { return clock.process.dwProcessId; }

    // The sheet opened through the menu's "Alarm..." on the Alarm page.
    void openPage()
    {
        PostMessageA(clock.window, WM_COMMAND, IDM_ALARM, 0);
        sheet = driver::findProcessWindow(processId(), "#32770", "Tockmere", 10000);
        ASSERT_TRUE(sheet != NULL);
        ASSERT_TRUE(driver::waitFor([&] {
            page = reinterpret_cast<HWND>(sendTo(sheet, PSM_GETCURRENTPAGEHWND));
            return page && GetDlgItem(page, IDC_ALARM_LIST);
        }));
        list = GetDlgItem(page, IDC_ALARM_LIST);
        // Top-left, clear of the clock in the bottom-right corner.
        SetWindowPos(sheet, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // OK or Cancel; the sheet goes and the clock saves its settings before
    // it reads its next message.
    void closeSheet(int button)
    {
        PostMessageA(sheet, WM_COMMAND, button, 0);
        ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(sheet); }, 10000));
        sendTo(clock.window, WM_NULL);
    }

    bool applyEnabled() const { return IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)) != FALSE; }

    HWND openEditor(int button, const char* title)
    {
        press(page, button);
        return findVisibleDialog(processId(), title);
    }

    void endEditor(HWND editor, int button)
    {
        PostMessageA(editor, WM_COMMAND, button, 0);
        EXPECT_TRUE(driver::waitFor([&] { return !IsWindow(editor); }));
    }

    // Asks to delete; returns the confirmation box.
    HWND askToDelete()
    {
        press(page, IDC_DELETE_ALARM);
        return findMessageBox(processId(), "Delete alarm. Are you sure?");
    }

    void closeEverything()
    {
        if (!clock.running())
            return;
        for (int round = 0; round < 5; ++round) {
            auto dialogs = driver::processWindows(processId(), "#32770");
            if (dialogs.empty())
                return;
            for (HWND dialog : dialogs) {
                PostMessageA(dialog, WM_COMMAND, IDNO, 0);
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
            Sleep(300);
        }
    }

    driver::Clock clock;
    HWND sheet = NULL;
    HWND page = NULL;
    HWND list = NULL;
};

const std::vector<Alarm> threeMornings = {
    {1, 6, 0, "six", 0, WEEKDAYS, 0, 0},
    {1, 7, 30, "half past seven", 0, EVERY_DAY, 0, 0},
    {0, 8, 0, "eight", 0, WEEKDAYS, 0, 0},
};

TEST_F(AlarmPage, ListShowsTheTableInItsOrderWithTheFiveColumns)
{
    seedAlarms({
        {1, 9, 5, "late", 1, 0, 7, 0},
        {0, 6, 0, "early", 0, WEEKDAYS, 0, 0},
        {1, 12, 0, "quarterly", 2, 0, 15, 3},
        {1, 23, 59, "yearly", 3, 0, 29, 2},
    });
    startClock();
    openPage();

    const char* headers[] = {"", "Time", "Description", "Period", "Period info"};
    const int widths[] = {27, 40, 175, 50, 75};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(driver::listColumnHeader(list, column), headers[column]) << column;
        EXPECT_EQ(driver::listColumnWidth(list, column), widths[column]) << column;
    }
    EXPECT_EQ(sendTo(list, LVM_GETEXTENDEDLISTVIEWSTYLE),
              LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);

    // Table order, not time order.
    EXPECT_EQ(listColumn(list, 1), (Texts{"09:05", "06:00", "12:00", "23:59"}));
    EXPECT_EQ(listColumn(list, 2), (Texts{"late", "early", "quarterly", "yearly"}));
    EXPECT_EQ(listColumn(list, 3), (Texts{"Month", "Day", "Quarter", "Year"}));
    EXPECT_EQ(listColumn(list, 4), (Texts{"07", "-+++++-", "15:03", "29:02"}));
    EXPECT_EQ(driver::listCheckImage(list, 0), 2);
    EXPECT_EQ(driver::listCheckImage(list, 1), 1);
    EXPECT_TRUE(selectedRows(list).empty());
    EXPECT_EQ(sendTo(list, LVM_GETSELECTIONMARK), -1);

    // The default options: "Once", no message box, the program's own sound.
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_DURATION_ONCE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_SHOW_MESSAGE_BOX), BST_UNCHECKED);
    EXPECT_EQ(textOf(GetDlgItem(page, IDC_WAVE_PATH)), driver::programFolder() + "rooster.wav");
    EXPECT_FALSE(applyEnabled());
    closeSheet(IDCANCEL);
}

TEST_F(AlarmPage, AddedAlarmGoesAfterEqualTimesSelectedAndOn)
{
    seedAlarms(threeMornings);
    startClock();
    openPage();

    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    // A new alarm: on, 00:00, Day, every day, base date 1/1, no description.
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION)), "");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_HOURS)), "0");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_MINUTES)), "0");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_DAY)), "1");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_MONTH)), "1");
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_EDITOR_DAY), BST_CHECKED);
    for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
        EXPECT_EQ(IsDlgButtonChecked(editor, id), BST_CHECKED) << id;

    type(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION), "new");
    type(GetDlgItem(editor, IDC_EDITOR_HOURS), "7");
    type(GetDlgItem(editor, IDC_EDITOR_MINUTES), "30");
    endEditor(editor, IDOK);

    EXPECT_EQ(listColumn(list, 2), (Texts{"six", "half past seven", "new", "eight"}));
    EXPECT_EQ(listColumn(list, 1), (Texts{"06:00", "07:30", "07:30", "08:00"}));
    EXPECT_EQ(listColumn(list, 4)[2], "+++++++");
    EXPECT_EQ(driver::listCheckImage(list, 2), 2);
    EXPECT_EQ(selectedRows(list), std::vector<int>{2});
    EXPECT_EQ(sendTo(list, LVM_GETSELECTIONMARK), 2);
    EXPECT_TRUE(applyEnabled());

    // Nothing reaches `events` before OK; then the sheet's close saves it.
    closeSheet(IDOK);
    EXPECT_EQ(savedDescriptions(), (Texts{"six", "half past seven", "new", "eight"}));
    EXPECT_EQ(savedNumber(2, "is_on"), 1u);
    EXPECT_EQ(savedNumber(2, "days"), EVERY_DAY);
    EXPECT_EQ(savedNumber(3, "is_on"), 0u);
}

TEST_F(AlarmPage, EditedAlarmMovesKeepsItsSwitchAndTakesTheMark)
{
    seedAlarms(threeMornings);
    startClock();
    openPage();

    // "eight" is off; it becomes the earliest alarm.
    driver::clickListCell(list, 2, 2);
    ASSERT_EQ(selectedRows(list), std::vector<int>{2});
    HWND editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
    ASSERT_TRUE(editor != NULL);
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION)), "eight");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_HOURS)), "8");
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_EDITOR_SUNDAY), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_EDITOR_SUNDAY + 1), BST_CHECKED);
    // A Day alarm carries no base date: the editor shows 1/1.
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_DAY)), "1");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_MONTH)), "1");
    type(GetDlgItem(editor, IDC_EDITOR_HOURS), "5");
    endEditor(editor, IDOK);

    EXPECT_EQ(listColumn(list, 2), (Texts{"eight", "six", "half past seven"}));
    EXPECT_EQ(listColumn(list, 1)[0], "05:00");
    EXPECT_EQ(driver::listCheckImage(list, 0), 1);
    EXPECT_EQ(selectedRows(list), std::vector<int>{0});

    // Delete removes the alarm the user sees selected: the one just edited.
    HWND confirm = askToDelete();
    ASSERT_TRUE(confirm != NULL);
    ASSERT_TRUE(answer(confirm, IDYES));
    EXPECT_EQ(listColumn(list, 2), (Texts{"six", "half past seven"}));

    // The same when the edited row moves down past the others.
    driver::clickListCell(list, 0, 2);
    editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
    ASSERT_TRUE(editor != NULL);
    type(GetDlgItem(editor, IDC_EDITOR_HOURS), "9");
    endEditor(editor, IDOK);
    EXPECT_EQ(listColumn(list, 2), (Texts{"half past seven", "six"}));
    confirm = askToDelete();
    ASSERT_TRUE(confirm != NULL);
    ASSERT_TRUE(answer(confirm, IDYES));
    EXPECT_EQ(listColumn(list, 2), Texts{"half past seven"});

    closeSheet(IDOK);
    EXPECT_EQ(savedDescriptions(), Texts{"half past seven"});
}

TEST_F(AlarmPage, EditorCorrectsNumbersAsTheyAreTyped)
{
    startClock();
    openPage();
    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    HWND hours = GetDlgItem(editor, IDC_EDITOR_HOURS);
    HWND minutes = GetDlgItem(editor, IDC_EDITOR_MINUTES);
    HWND day = GetDlgItem(editor, IDC_EDITOR_BASE_DAY);
    HWND month = GetDlgItem(editor, IDC_EDITOR_BASE_MONTH);
    auto date = [&] { return textOf(day) + "/" + textOf(month); };

    type(hours, "24");
    EXPECT_EQ(textOf(hours), "0");
    type(hours, "23");
    EXPECT_EQ(textOf(hours), "23");
    type(minutes, "60");
    EXPECT_EQ(textOf(minutes), "0");
    type(minutes, "59");
    EXPECT_EQ(textOf(minutes), "59");

    sendTo(GetDlgItem(editor, IDC_EDITOR_YEAR), BM_CLICK);
    type(day, "0");
    EXPECT_EQ(date(), "1/1");
    type(day, "");
    EXPECT_EQ(date(), "1/1");
    type(month, "2");
    type(day, "30");
    EXPECT_EQ(date(), "29/2");
    type(day, "31");
    EXPECT_EQ(date(), "29/2");
    type(month, "4");
    EXPECT_EQ(date(), "29/4");
    type(day, "31");
    EXPECT_EQ(date(), "30/4");
    // A new month checks the day again.
    type(month, "1");
    type(day, "31");
    type(month, "2");
    EXPECT_EQ(date(), "29/2");
    // A month that is not one resets the whole base date.
    type(day, "15");
    type(month, "13");
    EXPECT_EQ(date(), "1/1");
    type(day, "15");
    type(month, "");
    EXPECT_EQ(date(), "1/1");

    // What the fields hold is what OK stores.
    type(month, "12");
    type(day, "31");
    endEditor(editor, IDOK);
    EXPECT_EQ(listColumn(list, 1), Texts{"23:59"});
    EXPECT_EQ(listColumn(list, 3), Texts{"Year"});
    EXPECT_EQ(listColumn(list, 4), Texts{"31:12"});
    closeSheet(IDCANCEL);
}

TEST_F(AlarmPage, PeriodChoosesWhichFieldsAreEnabled)
{
    seedAlarms({{1, 10, 15, "rent", 1, EVERY_DAY, 7, 5}});
    startClock();
    openPage();
    driver::clickListCell(list, 0, 2);
    HWND editor = openEditor(IDC_EDIT_ALARM, "Edit alarm");
    ASSERT_TRUE(editor != NULL);

    // A Month alarm keeps its day but no month and no days of the week.
    EXPECT_EQ(IsDlgButtonChecked(editor, IDC_EDITOR_MONTH), BST_CHECKED);
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_DAY)), "7");
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_BASE_MONTH)), "1");
    for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
        EXPECT_EQ(IsDlgButtonChecked(editor, id), BST_UNCHECKED) << id;

    auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(editor, id)) != FALSE; };
    // Expected state of: days group and boxes, base group, day, month.
    auto expectEnabled = [&](const char* period, bool days, bool baseDay, bool baseMonth) {
        SCOPED_TRACE(period);
        EXPECT_EQ(enabled(IDC_EDITOR_DAYS_GROUP), days);
        for (int id = IDC_EDITOR_SUNDAY; id <= IDC_EDITOR_SATURDAY; ++id)
            EXPECT_EQ(enabled(id), days) << id;
        EXPECT_EQ(enabled(IDC_EDITOR_BASE_GROUP), baseDay);
        EXPECT_EQ(enabled(IDC_EDITOR_BASE_DAY_LABEL), baseDay);
        EXPECT_EQ(enabled(IDC_EDITOR_BASE_DAY), baseDay);
        EXPECT_EQ(enabled(IDC_EDITOR_BASE_MONTH_LABEL), baseMonth);
        EXPECT_EQ(enabled(IDC_EDITOR_BASE_MONTH), baseMonth);
    };
    expectEnabled("Month as opened", false, true, false);
    sendTo(GetDlgItem(editor, IDC_EDITOR_DAY), BM_CLICK);
    expectEnabled("Day", true, false, false);
    sendTo(GetDlgItem(editor, IDC_EDITOR_QUARTER), BM_CLICK);
    expectEnabled("Quarter", false, true, true);
    sendTo(GetDlgItem(editor, IDC_EDITOR_YEAR), BM_CLICK);
    expectEnabled("Year", false, true, true);
    sendTo(GetDlgItem(editor, IDC_EDITOR_MONTH), BM_CLICK);
    expectEnabled("Month", false, true, false);

    // Cancel leaves the row as it was and does not enable Apply.
    type(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION), "changed");
    endEditor(editor, IDCANCEL);
    EXPECT_EQ(listColumn(list, 2), Texts{"rent"});
    EXPECT_EQ(listColumn(list, 4), Texts{"07"});
    EXPECT_FALSE(applyEnabled());
    closeSheet(IDCANCEL);
}

TEST_F(AlarmPage, DeleteAndEditExplainWhyTheyCannotAct)
{
    seedAlarms(threeMornings);
    startClock();
    openPage();

    // Nothing selected yet: no selection mark, no selected row.
    press(page, IDC_DELETE_ALARM);
    HWND box = findMessageBox(processId(), "Please select line for delete!");
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDOK));
    press(page, IDC_EDIT_ALARM);
    box = findMessageBox(processId(), "Please select line for edit!");
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDOK));
    EXPECT_TRUE(driver::processWindows(processId(), "#32770", "Edit alarm").empty());

    // The confirmation offers Yes and No, with No the default; No keeps the row.
    driver::clickListCell(list, 1, 2);
    box = askToDelete();
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(GetDlgItem(box, IDYES) != NULL);
    EXPECT_TRUE(GetDlgItem(box, IDNO) != NULL);
    EXPECT_TRUE(GetDlgItem(box, IDCANCEL) == NULL);
    auto buttonStyle = [&](int id) { return GetWindowLongA(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(buttonStyle(IDNO), BS_DEFPUSHBUTTON);
    EXPECT_EQ(buttonStyle(IDYES), BS_PUSHBUTTON);
    EXPECT_TRUE(answer(box, IDNO));
    EXPECT_EQ(driver::listRowCount(list), 3);
    EXPECT_FALSE(applyEnabled());

    box = askToDelete();
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDYES));
    EXPECT_EQ(listColumn(list, 2), (Texts{"six", "eight"}));
    EXPECT_TRUE(applyEnabled());

    // Down to an empty list, then both refuse differently.
    for (int left = 2; left > 0; --left) {
        driver::clickListCell(list, 0, 2);
        box = askToDelete();
        ASSERT_TRUE(box != NULL);
        ASSERT_TRUE(answer(box, IDYES));
    }
    EXPECT_EQ(driver::listRowCount(list), 0);
    press(page, IDC_DELETE_ALARM);
    box = findMessageBox(processId(), "There is no alarm in list view!");
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDOK));
    press(page, IDC_EDIT_ALARM);
    box = findMessageBox(processId(), "There is no event in listview!");
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDOK));

    // OK with no rows: the saved table is empty.
    closeSheet(IDOK);
    EXPECT_TRUE(savedDescriptions().empty());
    EXPECT_FALSE(driver::valueExists(driver::EVENTS_KEY, "Event_00_is_on"));
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_TRUE(savedDescriptions().empty());
}

TEST_F(AlarmPage, DoubleClickEditsARowOrAddsToAnEmptyList)
{
    startClock();
    openPage();
    POINT inside{40, 40};
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    HWND editor = findVisibleDialog(processId(), "Add alarm");
    ASSERT_TRUE(editor != NULL);
    type(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION), "first");
    endEditor(editor, IDOK);
    ASSERT_EQ(listColumn(list, 2), Texts{"first"});

    POINT cell = driver::listCellCenter(list, 0, 2);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
    editor = findVisibleDialog(processId(), "Edit alarm");
    ASSERT_TRUE(editor != NULL);
    EXPECT_EQ(textOf(GetDlgItem(editor, IDC_EDITOR_DESCRIPTION)), "first");
    endEditor(editor, IDCANCEL);
    closeSheet(IDCANCEL);
}

TEST_F(AlarmPage, FullListRefusesAnotherAlarm)
{
    std::vector<Alarm> hundred;
    static char names[100][8];
    for (int i = 0; i < 100; ++i) {
        std::snprintf(names[i], sizeof names[i], "a%02d", i);
        hundred.push_back({1, i / 60, i % 60, names[i], 0, EVERY_DAY, 0, 0});
    }
    seedAlarms(hundred);
    startClock();
    openPage();
    ASSERT_EQ(driver::listRowCount(list), 100);

    press(page, IDC_ADD_ALARM);
    HWND box = findMessageBox(processId(), "Limit is reached!");
    ASSERT_TRUE(box != NULL);
    EXPECT_TRUE(answer(box, IDOK));
    EXPECT_TRUE(driver::waitFor([&] { return driver::processWindows(processId(), "#32770", "Add alarm").empty(); }));
    EXPECT_EQ(driver::listRowCount(list), 100);
    EXPECT_FALSE(applyEnabled());

    // All 100 slots are written back, the last one included.
    closeSheet(IDOK);
    EXPECT_EQ(savedDescriptions().size(), 100u);
    EXPECT_EQ(savedDescription(99), "a99");
    EXPECT_EQ(savedNumber(99, "hours"), 1u);
    EXPECT_EQ(savedNumber(99, "minutes"), 39u);
}

TEST_F(AlarmPage, CancelLeavesTheAlarmsExactlyAsTheyWere)
{
    // Fields a row does not carry would be lost by an apply: a Day alarm's
    // base date, a Quarter alarm's days.
    seedAlarms({
        {1, 6, 0, "day", 0, WEEKDAYS, 5, 6},
        {0, 7, 0, "quarter", 2, EVERY_DAY, 15, 3},
    });
    startClock();
    openPage();
    auto before = savedEventValues();
    ASSERT_EQ(before.size(), 16u);

    HWND editor = openEditor(IDC_ADD_ALARM, "Add alarm");
    ASSERT_TRUE(editor != NULL);
    endEditor(editor, IDOK);
    driver::clickListCell(list, 2, 2);
    HWND box = askToDelete();
    ASSERT_TRUE(box != NULL);
    ASSERT_TRUE(answer(box, IDYES));
    driver::setListItemState(list, 1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    ASSERT_EQ(driver::listCheckImage(list, 1), 1);

    closeSheet(IDCANCEL);
    EXPECT_EQ(savedEventValues(), before);
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_EQ(savedEventValues(), before);
}

TEST_F(AlarmPage, SwitchesAndOptionsAreStoredOnOkAndAtExit)
{
    seedAlarms(threeMornings);
    startClock();
    openPage();

    // The rows' check boxes and "Show message box" do not enable Apply...
    driver::setListItemState(list, 0, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    driver::setListItemState(list, 2, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    sendTo(GetDlgItem(page, IDC_SHOW_MESSAGE_BOX), BM_CLICK);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_SHOW_MESSAGE_BOX), BST_CHECKED);
    EXPECT_FALSE(applyEnabled());
    // ...a duration does.
    sendTo(GetDlgItem(page, IDC_DURATION_THREE_MINUTES), BM_CLICK);
    EXPECT_TRUE(applyEnabled());

    // ...and OK stores them all.
    closeSheet(IDOK);
    EXPECT_EQ(savedNumber(0, "is_on"), 0u);
    EXPECT_EQ(savedNumber(1, "is_on"), 1u);
    EXPECT_EQ(savedNumber(2, "is_on"), 1u);
    DWORD value = 0;
    EXPECT_TRUE(driver::readDword(driver::PROGRAM_KEY, "Duration of alarm", &value));
    EXPECT_EQ(value, 2u);
    EXPECT_TRUE(driver::readDword(driver::PROGRAM_KEY, "Show dialog box for alarm", &value));
    EXPECT_EQ(value, 1u);

    // Reopened, the page shows what was stored; Apply then exit saves again.
    openPage();
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_DURATION_THREE_MINUTES), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(page, IDC_SHOW_MESSAGE_BOX), BST_CHECKED);
    EXPECT_EQ(driver::listCheckImage(list, 0), 1);
    sendTo(GetDlgItem(page, IDC_DURATION_ONE_MINUTE), BM_CLICK);
    driver::clickListCell(list, 1, 2);
    HWND box = askToDelete();
    ASSERT_TRUE(box != NULL);
    ASSERT_TRUE(answer(box, IDYES));
    sendTo(GetDlgItem(sheet, APPLY_BUTTON), BM_CLICK);
    EXPECT_FALSE(applyEnabled());
    EXPECT_TRUE(IsWindow(sheet));
    closeSheet(IDCANCEL);  // after Apply, Cancel keeps what was applied
    EXPECT_EQ(clock.exitByMenu(), 0u);
    EXPECT_EQ(savedDescriptions(), (Texts{"six", "eight"}));
    EXPECT_TRUE(driver::readDword(driver::PROGRAM_KEY, "Duration of alarm", &value));
    EXPECT_EQ(value, 1u);
}

TEST_F(AlarmPage, SelectedWaveIsShownPlayedAndKeptOnlyByOk)
{
    if (driver::harnessFolder().empty())
        GTEST_SKIP() << "no sound capture outside the harness";
    std::string wave = driver::harnessFolder() + "alarm-page-pattern.wav";
    std::string signature = writePatternWave(wave);
    ASSERT_FALSE(signature.empty());
    startClock();
    openPage();
    std::string original = textOf(GetDlgItem(page, IDC_WAVE_PATH));

    // Cancelled: nothing changes.
    press(page, IDC_SELECT_WAVE);
    HWND open = findVisibleDialog(processId(), "Please select a wave file");
    ASSERT_TRUE(open != NULL);
    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(open); }));
    EXPECT_EQ(textOf(GetDlgItem(page, IDC_WAVE_PATH)), original);
    EXPECT_FALSE(applyEnabled());

    press(page, IDC_SELECT_WAVE);
    open = findVisibleDialog(processId(), "Please select a wave file");
    ASSERT_TRUE(open != NULL);
    HWND name = reinterpret_cast<HWND>(sendTo(GetDlgItem(open, FILE_NAME_BOX), CBEM_GETEDITCONTROL));
    ASSERT_TRUE(name != NULL);
    type(name, wave.c_str());
    PostMessageA(open, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(driver::waitFor([&] { return !IsWindow(open); }));
    EXPECT_EQ(textOf(GetDlgItem(page, IDC_WAVE_PATH)), wave);
    EXPECT_TRUE(applyEnabled());

    // "Play" plays the path shown, though it is not applied yet.
    int played = timesPlayed(signature);
    press(page, IDC_PLAY_WAVE);
    EXPECT_TRUE(driver::waitFor([&] { return timesPlayed(signature) > played; }, 10000));

    closeSheet(IDCANCEL);
    std::string saved;
    EXPECT_TRUE(driver::readString(driver::PROGRAM_KEY, "Path to wave file", &saved));
    EXPECT_EQ(saved, original);
}

TEST_F(AlarmPage, HelpButtonStartsTheHelpViewer)
{
    startClock();
    openPage();
    driver::closeHelpViewers();
    sendTo(GetDlgItem(sheet, IDHELP), BM_CLICK);
    EXPECT_TRUE(driver::findProcessWindow(0, "HH Parent", nullptr, 15000) != NULL);
    closeSheet(IDCANCEL);
}

}  // namespace
