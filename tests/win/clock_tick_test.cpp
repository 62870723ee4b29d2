// The clock's tick over the real AppState, at a local time the test chooses:
// message windows opened, ringing set, stop requests consumed, face
// invalidated.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "alarms/clock_tick_win.h"
#include "app/app_state.h"
#include "resource.h"
#include "support/sound_capture.h"
#include "support/test_clock.h"

namespace {

struct WindowSearch {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK collectMessageWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    if (GetWindow(window, GW_OWNER) == search->owner && GetDlgItem(window, IDC_MESSAGE_TEXT))
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> messageWindowsOf(HWND owner)
{
    WindowSearch search{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), collectMessageWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> shownTexts(const std::vector<HWND>& windows)
{
    std::vector<std::string> texts;
    for (HWND window : windows) {
        char text[400] = {};
        GetDlgItemTextA(window, IDC_MESSAGE_TEXT, text, sizeof text);
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

class ClockTick : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.hInstance = GetModuleHandleA(nullptr);
        app.hwndMain = CreateWindowExA(0, "STATIC", "clock", WS_POPUP | WS_VISIBLE, 0, 0, 100, 40, nullptr,
                                       nullptr, app.hInstance, nullptr);
        ASSERT_NE(app.hwndMain, nullptr);
        app.events = EventTable{};
        app.events.slots[0].hours = -1;
        app.reminder = AlarmEvent{};
        app.ringing = RingingState{};
        app.showAlarmDialog = 1;
        app.alarmDuration = DURATION_ONCE;
        // No such file and no such alias: the sound fails quietly.
        lstrcpyA(app.wavePath, "Z:\\nonexistent\\tockmere-test.wav");
    }

    void TearDown() override
    {
        for (HWND window : messageWindowsOf(app.hwndMain))
            DestroyWindow(window);
        DestroyWindow(app.hwndMain);
        app.hwndMain = nullptr;
        app.events.slots[0].hours = -1;
        app.reminder = AlarmEvent{};
        app.ringing = RingingState{};
        // Give the tests that follow the real time back.
        std::string clockFile = testclock::clockFilePath();
        if (!clockFile.empty() && DeleteFileA(clockFile.c_str()))
            Sleep(testclock::SETTLE_MS);
    }

    void addAlarm(int hours, int minutes, const char* description)
    {
        int slot = eventCount(app.events);
        AlarmEvent& alarm = app.events.slots[slot];
        alarm = AlarmEvent{};
        alarm.isOn = 1;
        alarm.hours = hours;
        alarm.minutes = minutes;
        alarm.period = PERIOD_DAY;
        for (int& day : alarm.days)
            day = 1;
        std::strcpy(alarm.description, description);
        app.events.slots[slot + 1].hours = -1;
    }

    // A tick at 07:30:10 on a Monday, in a minute not yet scanned.
    void tickAtHalfPastSeven()
    {
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 30, 10)));
        app.ringing.lastScannedMinute = 0;
        clockTick();
    }
};

}  // namespace

TEST_F(ClockTick, DueAlarmsOpenOneMessageWindowEach)
{
    addAlarm(7, 30, "Tea");
    addAlarm(7, 31, "Later");
    addAlarm(7, 30, "Biscuits");
    tickAtHalfPastSeven();
    EXPECT_EQ(app.tickTime.wHour, 7);
    EXPECT_EQ(app.tickTime.wMinute, 30);
    EXPECT_EQ(app.ringing.alarmRinging, 1);
    EXPECT_EQ(app.ringing.ringStartMinute, 30);
    EXPECT_EQ(shownTexts(messageWindowsOf(app.hwndMain)),
              (std::vector<std::string>{"07:30\n\nBiscuits", "07:30\n\nTea"}));

    // The same minute again fires nothing more.
    clockTick();
    EXPECT_EQ(messageWindowsOf(app.hwndMain).size(), 2u);
}

TEST_F(ClockTick, HiddenClockFiresOnlyTheReminder)
{
    ShowWindow(app.hwndMain, SW_HIDE);
    addAlarm(7, 30, "Tea");
    app.reminder.isOn = 1;
    app.reminder.hours = 7;
    app.reminder.minutes = 30;
    std::strcpy(app.reminder.description, "Stretch");
    tickAtHalfPastSeven();
    EXPECT_EQ(shownTexts(messageWindowsOf(app.hwndMain)), std::vector<std::string>{"07:30\n\nStretch"});
    EXPECT_EQ(app.reminder.isOn, 0);
}

TEST_F(ClockTick, StopRequestIsConsumed)
{
    app.ringing.alarmRinging = 1;
    app.ringing.stopRequested = 1;
    tickAtHalfPastSeven();
    EXPECT_EQ(app.ringing.stopRequested, 0);
    EXPECT_EQ(app.ringing.alarmRinging, 0);
}

TEST_F(ClockTick, EveryTickInvalidatesTheWholeFace)
{
    UpdateWindow(app.hwndMain);
    ValidateRect(app.hwndMain, nullptr);
    RECT dirty{};
    ASSERT_FALSE(GetUpdateRect(app.hwndMain, &dirty, FALSE));
    clockTick();
    ASSERT_TRUE(GetUpdateRect(app.hwndMain, &dirty, FALSE));
    RECT client;
    GetClientRect(app.hwndMain, &client);
    EXPECT_TRUE(EqualRect(&dirty, &client));
}

TEST_F(ClockTick, FiringPlaysTheWaveFileAndAStopEndsIt)
{
    std::string capture = soundcapture::capturePath();
    if (capture.empty())
        GTEST_SKIP() << "no sound capture outside the harness";
    std::string pattern;
    std::string wave = soundcapture::writePatternWave(soundcapture::tempWavePath("tockmere-tick-pattern.wav"),
                                                      0.5, 0, &pattern);
    lstrcpynA(app.wavePath, wave.c_str(), sizeof app.wavePath);
    app.alarmDuration = DURATION_ONE_MINUTE;  // looping
    app.showAlarmDialog = 0;
    addAlarm(7, 30, "Tea");

    tickAtHalfPastSeven();
    EXPECT_EQ(app.ringing.alarmRinging, 1);
    bool heard = false;
    for (int i = 0; i < 60 && !heard; ++i) {
        Sleep(100);
        heard = soundcapture::readFile(capture).find(pattern) != std::string::npos;
    }
    EXPECT_TRUE(heard) << "the wave file's samples never reached the sound device";

    // The user clicks: the next tick stops the looping sound.
    app.ringing.stopRequested = 1;
    clockTick();
    EXPECT_EQ(app.ringing.alarmRinging, 0);
    Sleep(500);
    std::size_t stoppedSize = soundcapture::readFile(capture).size();
    Sleep(1500);
    EXPECT_EQ(soundcapture::readFile(capture).size(), stoppedSize) << "the sound went on after the stop";
    DeleteFileA(wave.c_str());
}
