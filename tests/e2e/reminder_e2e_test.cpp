// The reminder seen from outside: armed on its page of the settings sheet at
// a time the test sets, fired by the clock at its event minute, and refused
// when it could never come due.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"
#include "res/resource.h"
#include "support/sound_capture.h"
#include "support/test_clock.h"

using namespace driver;

namespace {

constexpr int APPLY_BUTTON = 0x3021;  // the property sheet's Apply
constexpr const char* MESSAGE_WINDOW_TITLE = "Message from Tockmere";
constexpr const char* PERIOD_EMPTY = "Period is empty!";
constexpr const char* EVENT_SKIPPED = "The event has skipped! Please set new base time.";
const int CONTROLS_OF_AN_ARMED_REMINDER[] = {
    IDC_REMINDER_HOURS, IDC_REMINDER_MINUTES, IDC_REMINDER_PERIOD_GROUP, IDC_REMINDER_HOURS_LABEL,
    IDC_REMINDER_MINUTES_LABEL, IDC_REMINDER_MESSAGE_GROUP, IDC_REMINDER_MESSAGE, IDC_REMINDER_TIME_GROUP,
    IDC_REMINDER_BASE, IDC_REMINDER_SET_CURRENT, IDC_REMINDER_BASE_LABEL, IDC_REMINDER_EVENT_LABEL,
    IDC_REMINDER_EVENT};

// Every test's day: Thursday 14 May 2026.
void setTime(int hour, int minute, int second)
{
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2026, 5, 14, hour, minute, second)))
        << "no test clock outside the harness";
}

class Reminder : public ::testing::Test {
protected:
    void SetUp() override
    {
        deleteProgramSettings();
        writeDword(PROGRAM_KEY, "Scale", 100);  // not a first start: no help viewer
    }
    // Later tests get a quiet clock and the real time.
    void TearDown() override
    {
        if (clock.running()) {
            cancelDialogs(pid());
            EXPECT_EQ(clock.exitByMenu(), 0u);
        }
        testclock::useRealTime();
    }

    DWORD pid() const { return clock.process.dwProcessId; }
    void startAt(int hour, int minute, int second)
    {
        ASSERT_NO_FATAL_FAILURE(setTime(hour, minute, second));
        ASSERT_TRUE(start(clock));
    }

    // "Reminder..." from the popup menu opens the sheet on this page.
    void openReminderPage()
    {
        PostMessageA(clock.window, WM_COMMAND, IDM_REMINDER, 0);
        sheet = findProcessWindow(pid(), "#32770", "Tockmere", 10000);
        ASSERT_TRUE(sheet != NULL);
        ASSERT_TRUE(waitFor([&] {
            page = FindWindowExA(sheet, NULL, "#32770", NULL);
            while (page && !GetDlgItem(page, IDC_REMINDER_ON))
                page = FindWindowExA(sheet, page, "#32770", NULL);
            return page && IsWindowVisible(page);
        }));
    }
    void closeSheet(int button)
    {
        PostMessageA(sheet, WM_COMMAND, button, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000)) << "the sheet did not close";
    }

    HWND control(int id) { return GetDlgItem(page, id); }
    std::string shown(int id) { return windowText(control(id)); }
    bool armed() { return SendMessageA(control(IDC_REMINDER_ON), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void click(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }
    void typeMessage(const char* text) { SendMessageA(control(IDC_REMINDER_MESSAGE), WM_SETTEXT, 0, (LPARAM)text); }
    bool applyEnabled() { return IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)) != FALSE; }
    void expectArmedControlsEnabled(bool enabled)
    {
        for (int id : CONTROLS_OF_AN_ARMED_REMINDER)
            EXPECT_EQ(IsWindowEnabled(control(id)) != FALSE, enabled) << id;
    }

    // As the user picks an item: the list tells the page.
    void choose(int listId, int index)
    {
        SendMessageA(control(listId), CB_SETCURSEL, index, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), (LPARAM)control(listId));
    }

    // Answers the program's message box that shows `text` with its OK button.
    void expectMessageBox(const char* text)
    {
        HWND box = findDialogShowing(pid(), "Tockmere", text, 5000);
        ASSERT_TRUE(box != NULL) << "no message box \"" << text << "\"";
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    }

    Clock clock;
    HWND sheet = NULL;
    HWND page = NULL;
};

TEST_F(Reminder, FreshPageIsArmedAppliedAndBothRefusalsKeepTheStoredReminder)
{
    ASSERT_NO_FATAL_FAILURE(startAt(10, 0, 10));
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    // Fresh: off, a quarter of an hour from now, its controls disabled.
    EXPECT_EQ(shown(IDC_REMINDER_BASE) + " " + shown(IDC_REMINDER_EVENT), "10:00 10:15");
    EXPECT_FALSE(armed());
    expectArmedControlsEnabled(false);
    EXPECT_FALSE(applyEnabled());  // so the click below is what enables it
    click(IDC_REMINDER_ON);
    expectArmedControlsEnabled(true);
    EXPECT_TRUE(applyEnabled()) << "the page did not report its change";

    EXPECT_EQ(pasteInto(control(IDC_REMINDER_MESSAGE), std::string(260, 'm')).size(), 259u);
    typeMessage("Tea");
    choose(IDC_REMINDER_HOURS, 1);
    choose(IDC_REMINDER_MINUTES, 0);
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "11:00");  // follows the period at once
    PostMessageA(sheet, WM_COMMAND, APPLY_BUTTON, 0);
    EXPECT_TRUE(waitFor([&] { return !applyEnabled(); }));

    // 10:15 has gone by when Apply is pressed: refused, and Apply stays.
    choose(IDC_REMINDER_HOURS, 0);
    choose(IDC_REMINDER_MINUTES, 1);
    typeMessage("Coffee");
    ASSERT_NO_FATAL_FAILURE(setTime(10, 20, 5));
    PostMessageA(sheet, WM_COMMAND, APPLY_BUTTON, 0);
    ASSERT_NO_FATAL_FAILURE(expectMessageBox(EVENT_SKIPPED));
    sendTo(sheet, WM_NULL);  // the sheet has done with the apply
    EXPECT_TRUE(IsWindowVisible(page) && applyEnabled());
    click(IDC_REMINDER_SET_CURRENT);  // the clock's time as the new base
    EXPECT_EQ(shown(IDC_REMINDER_BASE) + " " + shown(IDC_REMINDER_EVENT), "10:20 10:35");

    // An empty period: refused, and OK leaves the sheet open on the page as typed.
    choose(IDC_REMINDER_MINUTES, 0);
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    ASSERT_NO_FATAL_FAILURE(expectMessageBox(PERIOD_EMPTY));
    sendTo(sheet, WM_NULL);
    ASSERT_TRUE(IsWindow(sheet) && IsWindowVisible(page)) << "the refused OK closed the sheet";
    EXPECT_TRUE(applyEnabled());
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Coffee");
    closeSheet(IDCANCEL);
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_TRUE(armed());
    EXPECT_EQ(shown(IDC_REMINDER_BASE) + " " + shown(IDC_REMINDER_EVENT), "10:00 11:00");
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Tea");
    click(IDC_REMINDER_ON);
    expectArmedControlsEnabled(false);
}

TEST_F(Reminder, ArmedReminderFiresOnceAtItsEventMinute)
{
    std::string signature;
    std::string wave = soundcapture::writePatternWave(soundcapture::tempWavePath("reminder.wav"), 0.25, 0, &signature);
    ASSERT_FALSE(wave.empty());
    writeString(PROGRAM_KEY, "Path to wave file", wave);
    writeDword(PROGRAM_KEY, "Show dialog box for alarm", 1);
    writeDword(PROGRAM_KEY, "Duration of alarm", 0);  // once
    ASSERT_NO_FATAL_FAILURE(startAt(9, 0, 10));
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    click(IDC_REMINDER_ON);
    typeMessage("Stretch your legs");
    closeSheet(IDOK);

    int played = soundcapture::occurrences(signature);
    setTime(9, 14, 58);
    HWND window = findProcessWindow(pid(), "#32770", MESSAGE_WINDOW_TITLE, 8000);
    ASSERT_TRUE(window != NULL) << "the reminder did not fire";
    SYSTEMTIME now;
    GetLocalTime(&now);  // this process shares the clock's shifted time
    EXPECT_EQ(now.wHour * 60 + now.wMinute, 9 * 60 + 15) << "fired outside its event minute";
    EXPECT_TRUE(waitFor([&] { return windowText(GetDlgItem(window, IDC_MESSAGE_TEXT)) == "09:15\n\nStretch your legs"; }))
        << "shown: " << windowText(GetDlgItem(window, IDC_MESSAGE_TEXT));
    EXPECT_TRUE(waitFor([&] { return soundcapture::occurrences(signature) > played; }, 6000))
        << "the wave file was not played";
    // Wine shows the tray balloon as a tooltip window.
    EXPECT_TRUE(waitFor([] {
        for (HWND tip : processWindows(0, "tooltips_class32"))
            if (IsWindowVisible(tip) && windowText(tip) == "Reminder. Stretch your legs")
                return true;
        return false;
    }, 6000)) << "no balloon with the reminder's text";
    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(window); }));

    // It switched itself off: the same minute again brings nothing.
    setTime(9, 14, 58);
    Sleep(3500);
    EXPECT_TRUE(processWindows(pid(), "#32770", MESSAGE_WINDOW_TITLE).empty()) << "the reminder fired twice";
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_FALSE(armed());
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "09:15");  // the current time, not the old base
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Stretch your legs");
    closeSheet(IDCANCEL);
}

}  // namespace
