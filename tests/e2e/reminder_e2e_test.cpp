// The reminder seen from outside: armed on its page of the settings sheet at
// a time the test sets, fired by the clock at its event minute, and refused
// when it could never come due.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "res/resource.h"
#include "support/test_clock.h"

using namespace driver;

namespace {

constexpr const char* TITLE = "Tockmere";
constexpr const char* MESSAGE_WINDOW_TITLE = "Message from Tockmere";
constexpr int APPLY_BUTTON = 0x3021;  // the property sheet's Apply
constexpr const char* PERIOD_EMPTY = "Period is empty!";
constexpr const char* EVENT_SKIPPED = "The event has skipped! Please set new base time.";

const int CONTROLS_OF_AN_ARMED_REMINDER[] = {
    IDC_REMINDER_HOURS,       IDC_REMINDER_MINUTES,       IDC_REMINDER_PERIOD_GROUP,
    IDC_REMINDER_HOURS_LABEL, IDC_REMINDER_MINUTES_LABEL, IDC_REMINDER_MESSAGE_GROUP,
    IDC_REMINDER_MESSAGE,     IDC_REMINDER_TIME_GROUP,    IDC_REMINDER_BASE,
    IDC_REMINDER_SET_CURRENT, IDC_REMINDER_BASE_LABEL,    IDC_REMINDER_EVENT_LABEL,
    IDC_REMINDER_EVENT,
};

// Every test's day: Thursday 14 May 2026.
SYSTEMTIME at(int hour, int minute, int second)
{
    return testclock::makeTime(2026, 5, 14, hour, minute, second);
}

int minuteNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);  // the tests share the clock's shifted time
    return now.wHour * 60 + now.wMinute;
}

std::string readFile(const std::string& path)
{
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

// A mono 16-bit wave file whose samples no other sound has.
std::string writePatternWave(std::vector<short>& samples)
{
    samples.clear();
    for (int i = 0; i < 11025; ++i)
        samples.push_back(static_cast<short>((i * 4099) % 24000 - 12000));
    std::string path = harnessFolder() + "reminder-pattern.wav";
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
    put16(1);  // PCM
    put16(1);  // mono
    put32(22050);
    put32(22050 * 2);
    put16(2);
    put16(16);
    std::fwrite("data", 1, 4, f);
    put32(dataBytes);
    std::fwrite(samples.data(), 2, samples.size(), f);
    std::fclose(f);
    return path;
}

// Wine's notification area shows a balloon as a tooltip window, whose text
// WM_GETTEXT returns.
bool balloonShows(const std::string& text)
{
    for (HWND tip : processWindows(0, "tooltips_class32"))
        if (IsWindowVisible(tip) && windowText(tip) == text)
            return true;
    return false;
}

class Reminder : public ::testing::Test {
protected:
    Clock clock;
    HWND sheet = NULL;
    HWND page = NULL;

    void SetUp() override
    {
        deleteProgramSettings();
        writeDword(PROGRAM_KEY, "Scale", 100);  // not a first start: no help viewer
    }

    // Whatever a failed test left open is closed before the clock ends:
    // message windows and boxes first, the sheet last.
    void TearDown() override
    {
        if (clock.running()) {
            DWORD pid = clock.process.dwProcessId;
            for (HWND dialog : processWindows(pid, "#32770"))
                if (dialog != sheet)
                    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            waitFor([&] { return processWindows(pid, "#32770").size() <= (IsWindow(sheet) ? 1u : 0u); });
            if (IsWindow(sheet))
                PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
            waitFor([&] { return processWindows(pid, "#32770").empty(); });
            EXPECT_EQ(clock.exitByMenu(), 0u);
        }
        // Later tests start from the real time.
        std::string clockFile = testclock::clockFilePath();
        if (FILE* f = clockFile.empty() ? nullptr : std::fopen(clockFile.c_str(), "wb")) {
            std::fputs("0\n", f);
            std::fclose(f);
        }
    }

    void startAt(int hour, int minute, int second)
    {
        ASSERT_TRUE(testclock::setLocalTime(at(hour, minute, second))) << "no test clock outside the harness";
        ASSERT_TRUE(start(clock));
    }

    void setTime(int hour, int minute, int second) { testclock::setLocalTime(at(hour, minute, second)); }

    static HWND reminderPageOf(HWND sheet)
    {
        for (HWND child = FindWindowExA(sheet, NULL, "#32770", NULL); child;
             child = FindWindowExA(sheet, child, "#32770", NULL))
            if (GetDlgItem(child, IDC_REMINDER_ON))
                return child;
        return NULL;
    }

    // "Reminder..." from the popup menu opens the sheet on this page.
    void openReminderPage()
    {
        PostMessageA(clock.window, WM_COMMAND, IDM_REMINDER, 0);
        sheet = findProcessWindow(clock.process.dwProcessId, "#32770", TITLE, 10000);
        ASSERT_TRUE(sheet != NULL);
        ASSERT_TRUE(waitFor([&] { return (page = reminderPageOf(sheet)) != NULL && IsWindowVisible(page); }));
    }

    void closeSheet(int button)
    {
        PostMessageA(sheet, WM_COMMAND, button, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000)) << "the sheet did not close";
    }

    HWND control(int id) { return GetDlgItem(page, id); }
    std::string shown(int id) { return windowText(control(id)); }
    bool checkBoxSet() { return SendMessageA(control(IDC_REMINDER_ON), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int selection(int id) { return static_cast<int>(SendMessageA(control(id), CB_GETCURSEL, 0, 0)); }
    void click(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }
    void typeMessage(const char* text) { SendMessageA(control(IDC_REMINDER_MESSAGE), WM_SETTEXT, 0, (LPARAM)text); }

    // As the user picks an item: the list tells the page.
    void choose(int listId, int index)
    {
        SendMessageA(control(listId), CB_SETCURSEL, index, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), (LPARAM)control(listId));
    }

    // Whether the list holds exactly these items, in this order. (Under Wine
    // CB_GETLBTEXT across processes returns only each item's first
    // character, so the items are looked up instead.)
    bool listHolds(int listId, const std::vector<std::string>& expected)
    {
        HWND list = control(listId);
        if (SendMessageA(list, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(expected.size()))
            return false;
        for (std::size_t k = 0; k < expected.size(); ++k)
            if (SendMessageA(list, CB_FINDSTRINGEXACT, -1, (LPARAM)expected[k].c_str()) != static_cast<LRESULT>(k))
                return false;
        return true;
    }

    // Answers the program's message box that shows `text` with its OK button.
    void expectMessageBox(const char* text)
    {
        HWND box = findDialogShowing(clock.process.dwProcessId, TITLE, text, 5000);
        ASSERT_TRUE(box != NULL) << "no message box \"" << text << "\"";
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    }

    bool anyRefusalShown()
    {
        DWORD pid = clock.process.dwProcessId;
        return findDialogShowing(pid, TITLE, PERIOD_EMPTY) || findDialogShowing(pid, TITLE, EVENT_SKIPPED);
    }

    // The sheet's Apply: it stays open, and disables Apply once every page
    // has accepted.
    void apply()
    {
        PostMessageA(sheet, WM_COMMAND, APPLY_BUTTON, 0);
    }
};

TEST_F(Reminder, FreshPageOffersAQuarterHourFromNowAndArmingEnablesItsControls)
{
    ASSERT_NO_FATAL_FAILURE(startAt(10, 20, 15));
    ASSERT_NO_FATAL_FAILURE(openReminderPage());

    EXPECT_TRUE(listHolds(IDC_REMINDER_HOURS, {"0", "1", "2", "3"}));
    EXPECT_TRUE(listHolds(IDC_REMINDER_MINUTES, {"0", "15", "30", "45"}));
    EXPECT_FALSE(checkBoxSet());
    EXPECT_EQ(selection(IDC_REMINDER_HOURS), 0);
    EXPECT_EQ(selection(IDC_REMINDER_MINUTES), 1);
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "10:20");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "10:35");
    EXPECT_TRUE(IsWindowEnabled(control(IDC_REMINDER_ON)));
    // Opening the page reports no change, so Apply below is the click's doing.
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)));
    for (int id : CONTROLS_OF_AN_ARMED_REMINDER)
        EXPECT_FALSE(IsWindowEnabled(control(id))) << id;

    click(IDC_REMINDER_ON);
    EXPECT_TRUE(checkBoxSet());
    for (int id : CONTROLS_OF_AN_ARMED_REMINDER)
        EXPECT_TRUE(IsWindowEnabled(control(id))) << id;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON))) << "the page did not report its change";

    // The event follows the period at once.
    choose(IDC_REMINDER_HOURS, 3);
    choose(IDC_REMINDER_MINUTES, 3);
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "14:05");

    // "Set current" takes the clock's time as the new base.
    setTime(22, 40, 5);
    click(IDC_REMINDER_SET_CURRENT);
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "22:40");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "02:25");

    click(IDC_REMINDER_ON);
    EXPECT_FALSE(checkBoxSet());
    for (int id : CONTROLS_OF_AN_ARMED_REMINDER)
        EXPECT_FALSE(IsWindowEnabled(control(id))) << id;
    closeSheet(IDCANCEL);
}

TEST_F(Reminder, ArmedReminderFiresOnceAtItsEventMinute)
{
    std::string capture = harnessFolder() + "sound.raw";
    std::vector<short> samples;
    std::string wave = writePatternWave(samples);
    ASSERT_FALSE(wave.empty());
    writeString(PROGRAM_KEY, "Path to wave file", wave);
    writeDword(PROGRAM_KEY, "Show dialog box for alarm", 1);
    writeDword(PROGRAM_KEY, "Duration of alarm", 0);  // once
    ASSERT_NO_FATAL_FAILURE(startAt(9, 0, 10));

    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    click(IDC_REMINDER_ON);
    typeMessage("Stretch your legs");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "09:15");
    closeSheet(IDOK);
    EXPECT_FALSE(anyRefusalShown());

    // The page shows the stored reminder: its own base, not the time now.
    setTime(9, 5, 0);
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_TRUE(checkBoxSet());
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "09:00");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "09:15");
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Stretch your legs");
    closeSheet(IDCANCEL);

    std::size_t soundBefore = readFile(capture).size();
    setTime(9, 14, 58);
    DWORD pid = clock.process.dwProcessId;
    HWND window = findProcessWindow(pid, "#32770", MESSAGE_WINDOW_TITLE, 8000);
    ASSERT_TRUE(window != NULL) << "the reminder did not fire";
    EXPECT_EQ(minuteNow(), 9 * 60 + 15) << "fired outside its event minute";
    EXPECT_EQ(windowText(GetDlgItem(window, IDC_MESSAGE_TEXT)), "09:15\n\nStretch your legs");

    std::string pattern(reinterpret_cast<const char*>(samples.data() + 500), 200);
    EXPECT_TRUE(waitFor([&] { return readFile(capture).find(pattern, soundBefore) != std::string::npos; }, 6000))
        << "the wave file was not played";
    EXPECT_TRUE(waitFor([] { return balloonShows("Reminder. Stretch your legs"); }, 6000))
        << "no balloon with the reminder's text";
    EXPECT_EQ(processWindows(pid, "#32770", MESSAGE_WINDOW_TITLE).size(), 1u);

    PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(window); }));

    // It switched itself off: the same minute again brings nothing.
    setTime(9, 14, 58);
    Sleep(3500);
    EXPECT_TRUE(processWindows(pid, "#32770", MESSAGE_WINDOW_TITLE).empty()) << "the reminder fired twice";

    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_FALSE(checkBoxSet());
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "09:15");  // the current time, not the old base
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Stretch your legs");
    closeSheet(IDCANCEL);
    DeleteFileA(wave.c_str());
}

TEST_F(Reminder, EmptyPeriodIsRefusedAndNothingIsStored)
{
    ASSERT_NO_FATAL_FAILURE(startAt(10, 0, 10));
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    click(IDC_REMINDER_ON);
    typeMessage("Nothing");
    choose(IDC_REMINDER_MINUTES, 0);
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "10:00");

    // The refusal does not keep the sheet open: OK goes on closing it.
    PostMessageA(sheet, WM_COMMAND, IDOK, 0);
    ASSERT_NO_FATAL_FAILURE(expectMessageBox(PERIOD_EMPTY));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(sheet); }, 10000));

    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_FALSE(checkBoxSet());
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "");
    EXPECT_EQ(selection(IDC_REMINDER_MINUTES), 1);
    closeSheet(IDCANCEL);
}

TEST_F(Reminder, EventPassedWhileTheSheetWasOpenIsRefusedAndTheStoredReminderStays)
{
    ASSERT_NO_FATAL_FAILURE(startAt(10, 0, 10));
    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    click(IDC_REMINDER_ON);
    typeMessage("Tea");
    choose(IDC_REMINDER_HOURS, 1);
    choose(IDC_REMINDER_MINUTES, 0);
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "11:00");

    // Applied: stored, and the sheet stays open on the page.
    apply();
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(GetDlgItem(sheet, APPLY_BUTTON)); }));
    EXPECT_FALSE(anyRefusalShown());
    EXPECT_TRUE(IsWindow(sheet));
    EXPECT_TRUE(IsWindowVisible(page));

    // A shorter period whose event has gone by the time Apply is pressed.
    choose(IDC_REMINDER_HOURS, 0);
    choose(IDC_REMINDER_MINUTES, 1);
    typeMessage("Coffee");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "10:15");
    setTime(10, 20, 5);
    apply();
    ASSERT_NO_FATAL_FAILURE(expectMessageBox(EVENT_SKIPPED));
    EXPECT_TRUE(IsWindow(sheet));
    EXPECT_TRUE(IsWindowVisible(page));
    closeSheet(IDCANCEL);

    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_TRUE(checkBoxSet());
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "10:00");
    EXPECT_EQ(shown(IDC_REMINDER_EVENT), "11:00");
    EXPECT_EQ(shown(IDC_REMINDER_MESSAGE), "Tea");
    EXPECT_EQ(selection(IDC_REMINDER_HOURS), 1);
    EXPECT_EQ(selection(IDC_REMINDER_MINUTES), 0);

    // Switched off, it is stored without any check (even an empty period).
    click(IDC_REMINDER_ON);
    choose(IDC_REMINDER_HOURS, 0);
    choose(IDC_REMINDER_MINUTES, 0);
    closeSheet(IDOK);
    EXPECT_FALSE(anyRefusalShown());

    ASSERT_NO_FATAL_FAILURE(openReminderPage());
    EXPECT_FALSE(checkBoxSet());
    EXPECT_EQ(shown(IDC_REMINDER_BASE), "10:20");
    closeSheet(IDCANCEL);
}

}  // namespace
