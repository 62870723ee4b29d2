// What ringing looks and sounds like from outside: the message windows, the
// wave file reaching the sound device, and the ways of stopping it; the About
// box and the calendar.
#include <gtest/gtest.h>

#include "e2e/driver.h"
#include "res/resource.h"
#include "support/sound_capture.h"
#include "support/test_clock.h"

using namespace driver;

namespace {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr LPARAM BALLOON_TIMEOUT = 1028;
constexpr LPARAM BALLOON_CLICKED = 1029;
const char* MESSAGE_TITLE = "Message from Tockmere";

void writeDayAlarm(int slot, int hours, int minutes, const std::string& description)
{
    char name[64];
    auto put = [&](const char* field, DWORD value) {
        wsprintfA(name, "Event_%02d_%s", slot, field);
        writeDword(EVENTS_KEY, name, value);
    };
    put("is_on", 1);
    put("hours", hours);
    put("minutes", minutes);
    put("period", 0);
    put("days", 127);
    put("base_date_day", 1);
    put("base_date_month", 1);
    wsprintfA(name, "Event_%02d_description", slot);
    writeString(EVENTS_KEY, name, description);
}

class Ringing : public ::testing::Test {
protected:
    std::string pattern;
    std::size_t captureStart = 0;

    void SetUp() override
    {
        if (soundcapture::capturePath().empty())
            GTEST_SKIP() << "needs the harness's sound capture";
        deleteProgramSettings();
        writeDword(PROGRAM_KEY, "Scale", 100);
        // A pattern of its own for each test, so no test hears another's.
        static int nextPattern = 1;
        std::string wave = soundcapture::writePatternWave(
            soundcapture::tempWavePath("tockmere-ringing.wav"), 0.4, nextPattern++, &pattern);
        writeString(PROGRAM_KEY, "Path to wave file", wave);
        captureStart = soundcapture::captured().size();
    }

    // Starts the clock a little before 07:30 on a Monday and lets it reach
    // the alarm's minute.
    void startAndRingAtHalfPastSeven(Clock& clock)
    {
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 29, 30)));
        ASSERT_TRUE(start(clock));
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 29, 58)));
    }

    int playsSinceStart()
    {
        std::string bytes = soundcapture::captured();
        if (bytes.size() < captureStart)
            return 0;
        int count = 0;
        for (std::size_t at = bytes.find(pattern, captureStart); at != std::string::npos;
             at = bytes.find(pattern, at + 1))
            ++count;
        return count;
    }

    // True when nothing more reaches the sound device for a while, once the
    // next tick has stopped the sound and the device has taken what it had.
    bool soundHasStopped()
    {
        Sleep(1500);
        std::size_t size = soundcapture::captured().size();
        Sleep(1500);
        return soundcapture::captured().size() == size;
    }
};

// With the mouse buttons swapped too: closing a message window is no click
// and opens no menu.
TEST_F(Ringing, OneMessageWindowPerAlarmAndClosingOneStopsTheRingingWithoutAMenu)
{
    SwappedButtons swapped(true);
    writeDword(PROGRAM_KEY, "Show dialog box for alarm", 1);
    writeDword(PROGRAM_KEY, "Duration of alarm", 1);  // repeats until the minute is over
    writeDayAlarm(0, 7, 30, "Tea");
    writeDayAlarm(1, 7, 30, "");
    writeDayAlarm(2, 7, 31, "Later");

    Clock clock;
    startAndRingAtHalfPastSeven(clock);
    ASSERT_TRUE(waitFor([&] { return processWindows(clock.process.dwProcessId, "#32770", MESSAGE_TITLE).size() == 2; },
                        10000));
    EXPECT_TRUE(waitFor([&] { return playsSinceStart() >= 2; }, 8000)) << "the looping sound did not repeat";

    HWND tea = NULL, empty = NULL;
    for (HWND window : processWindows(clock.process.dwProcessId, "#32770", MESSAGE_TITLE)) {
        std::string text = dialogItemText(window, 1058);
        if (text == "07:30\n\nTea")
            tea = window;
        else if (text == "07:30\n\n")
            empty = window;
        else
            ADD_FAILURE() << "unexpected message text: " << text;
    }
    ASSERT_TRUE(tea && empty);

    // OK on one window stops the ringing for both and leaves the other open.
    PostMessageA(tea, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(tea); }));
    EXPECT_TRUE(soundHasStopped());
    EXPECT_EQ(visibleMenu(), (HWND)NULL);
    EXPECT_TRUE(IsWindow(empty));

    // The close box does the same as OK.
    PostMessageA(empty, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(empty); }));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

TEST_F(Ringing, OncePlaysTheWaveFileOnce)
{
    writeDword(PROGRAM_KEY, "Duration of alarm", 0);
    writeDayAlarm(0, 7, 30, "Once only");
    Clock clock;
    startAndRingAtHalfPastSeven(clock);
    EXPECT_TRUE(waitFor([&] { return playsSinceStart() >= 1; }, 8000)) << "the alarm was not heard";
    Sleep(2500);
    EXPECT_EQ(playsSinceStart(), 1);
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

// The balloon goes away by itself after some seconds; the duration goes on.
TEST_F(Ringing, ThreeMinutesRingOnWhenTheBalloonTimesOut)
{
    writeDword(PROGRAM_KEY, "Duration of alarm", 2);
    writeDayAlarm(0, 7, 30, "Loop");
    Clock clock;
    startAndRingAtHalfPastSeven(clock);
    EXPECT_TRUE(waitFor([&] { return playsSinceStart() >= 3; }, 10000)) << "the looping sound did not repeat";
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, BALLOON_TIMEOUT);
    EXPECT_FALSE(soundHasStopped());
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

TEST_F(Ringing, ABalloonClickOrAClickOnTheClockStopsIt)
{
    writeDword(PROGRAM_KEY, "Duration of alarm", 2);
    writeDayAlarm(0, 7, 30, "First");
    writeDayAlarm(1, 7, 31, "Second");
    Clock clock;
    startAndRingAtHalfPastSeven(clock);
    EXPECT_TRUE(waitFor([&] { return playsSinceStart() >= 2; }, 10000));
    PostMessageA(clock.window, WM_TRAYNOTIFY, 1, BALLOON_CLICKED);
    EXPECT_TRUE(soundHasStopped());

    // The next minute rings again; the primary button's release stops it.
    int before = playsSinceStart();
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 30, 58)));
    EXPECT_TRUE(waitFor([&] { return playsSinceStart() >= before + 2; }, 10000));
    PostMessageA(clock.window, WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(soundHasStopped());
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

class Auxiliary : public ::testing::Test {
protected:
    void SetUp() override { deleteProgramSettings(); }
    void TearDown() override { closeHelpViewers(); }
};

TEST_F(Auxiliary, AboutBoxAndCalendar)
{
    writeDword(PROGRAM_KEY, "Scale", 100);
    Clock clock;
    ASSERT_TRUE(start(clock));

    PostMessageA(clock.window, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = findProcessWindow(clock.process.dwProcessId, "#32770", "About", 10000);
    ASSERT_TRUE(about != NULL);
    waitFor([&] { return !dialogItemText(about, IDC_ABOUT_VERSION).empty(); });
    EXPECT_EQ(dialogItemText(about, IDC_ABOUT_VERSION), "Tockmere version 4.02");
    EXPECT_FALSE(dialogItemText(about, IDC_ABOUT_CREDIT).empty());
    EXPECT_FALSE(dialogItemText(about, IDC_ABOUT_RIGHTS).empty());
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(about); }));

    PostMessageA(clock.window, WM_COMMAND, IDM_CALENDAR, 0);
    HWND calendar = findProcessWindow(clock.process.dwProcessId, "#32770", "Calendar", 10000);
    ASSERT_TRUE(calendar != NULL);
    EXPECT_TRUE(GetDlgItem(calendar, IDC_CALENDAR) != NULL);
    EXPECT_FALSE(IsWindowEnabled(clock.window));
    // Escape, as the user presses it in the calendar.
    HWND month = GetDlgItem(calendar, IDC_CALENDAR);
    PostMessageA(month, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(calendar); }));
    EXPECT_TRUE(IsWindowEnabled(clock.window));
    EXPECT_EQ(clock.exitByMenu(), 0u);
}

}  // namespace
