// The clock's tick over the real AppState, at a local time the test chooses:
// message windows opened, ringing set, stop requests consumed, the next tick
// timed, the wave file played and stopped.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "alarms/clock_tick_win.h"
#include "app/app_state.h"
#include "resource.h"
#include "support/sound_capture.h"
#include "support/test_clock.h"

namespace {

BOOL CALLBACK collectMessageText(HWND window, LPARAM texts)
{
    char text[400] = {};
    if (GetWindow(window, GW_OWNER) == app.hwndMain && GetDlgItemTextA(window, IDC_MESSAGE_TEXT, text, sizeof text))
        reinterpret_cast<std::vector<std::string>*>(texts)->push_back(text);
    return TRUE;
}

// The sorted texts of the message windows the clock owns.
std::vector<std::string> shownTexts()
{
    std::vector<std::string> texts;
    EnumThreadWindows(GetCurrentThreadId(), collectMessageText, reinterpret_cast<LPARAM>(&texts));
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
        app.events.slots[0].hours = -1;
        app.reminder = AlarmEvent{};
        app.ringing = RingingState{};
        app.showAlarmDialog = 1;
        app.alarmDuration = DURATION_ONCE;
        lstrcpyA(app.wavePath, "Z:\\nonexistent\\tockmere-test.wav");  // fails quietly
    }
    void TearDown() override
    {
        DestroyWindow(app.hwndMain);  // and the message windows it owns
        app.hwndMain = nullptr;
        app.events.slots[0].hours = -1;
        app.reminder = AlarmEvent{};
        app.ringing = RingingState{};
        std::string clockFile = testclock::clockFilePath();  // the real time back for the tests that follow
        if (!clockFile.empty() && DeleteFileA(clockFile.c_str()))
            Sleep(testclock::SETTLE_MS);
    }
    void addAlarm(int hours, int minutes, const char* description)
    {
        int slot = eventCount(app.events);
        app.events.slots[slot] = AlarmEvent{1, "", hours, minutes, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}};
        std::strcpy(app.events.slots[slot].description, description);
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

TEST_F(ClockTick, DueAlarmsOpenOneMessageWindowEachOnceAndHiddenOnlyTheReminderFires)
{
    addAlarm(7, 30, "Tea");
    addAlarm(7, 31, "Later");
    addAlarm(7, 30, "Biscuits");
    tickAtHalfPastSeven();
    EXPECT_EQ(app.tickTime.wHour * 100 + app.tickTime.wMinute, 730);
    EXPECT_EQ(app.ringing.alarmRinging, 1);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"07:30\n\nBiscuits", "07:30\n\nTea"}));
    clockTick();  // the same minute again fires nothing more
    EXPECT_EQ(shownTexts().size(), 2u);

    ShowWindow(app.hwndMain, SW_HIDE);  // "Later" is due too, but hidden only the reminder fires
    app.reminder = AlarmEvent{1, "Stretch", 7, 31};
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 31, 10)));
    clockTick();
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"07:30\n\nBiscuits", "07:30\n\nTea", "07:31\n\nStretch"}));
    EXPECT_EQ(app.reminder.isOn, 0);
}

TEST_F(ClockTick, EachTickSetsTheTimerForJustAfterTheNextWholeSecond)
{
    SYSTEMTIME late = testclock::makeTime(2027, 3, 15, 7, 30, 10);
    late.wMilliseconds = 700;
    ASSERT_TRUE(testclock::setLocalTime(late));
    clockTick();
    MSG timer{};
    bool came = false;
    for (DWORD start = GetTickCount(); !came && GetTickCount() - start < 3000; Sleep(1))
        came = PeekMessageA(&timer, app.hwndMain, WM_TIMER, WM_TIMER, PM_REMOVE) && timer.wParam == CLOCK_TIMER_ID;
    SYSTEMTIME now;
    GetLocalTime(&now);
    ASSERT_TRUE(came) << "no timer";
    EXPECT_EQ(now.wSecond, 11);
    EXPECT_LT(now.wMilliseconds, 300);
}

TEST_F(ClockTick, FiringPlaysTheWaveFileAndAStopRequestEndsIt)
{
    std::string capture = soundcapture::capturePath();
    if (capture.empty())
        GTEST_SKIP() << "no sound capture outside the harness";
    std::string pattern;
    std::string wave =
        soundcapture::writePatternWave(soundcapture::tempWavePath("tockmere-tick-pattern.wav"), 0.5, 0, &pattern);
    lstrcpynA(app.wavePath, wave.c_str(), sizeof app.wavePath);
    app.alarmDuration = DURATION_ONE_MINUTE;  // looping
    app.showAlarmDialog = 0;
    addAlarm(7, 30, "Tea");
    tickAtHalfPastSeven();
    EXPECT_EQ(app.ringing.alarmRinging, 1);
    bool heard = false;
    for (int i = 0; i < 60 && !heard; ++i, Sleep(100))
        heard = soundcapture::readFile(capture).find(pattern) != std::string::npos;
    EXPECT_TRUE(heard) << "the wave file's samples never reached the sound device";
    app.ringing.stopRequested = 1;  // the user clicks
    clockTick();
    EXPECT_EQ(app.ringing.alarmRinging, 0);
    EXPECT_EQ(app.ringing.stopRequested, 0);
    Sleep(500);
    std::size_t stoppedSize = soundcapture::readFile(capture).size();
    Sleep(1500);
    EXPECT_EQ(soundcapture::readFile(capture).size(), stoppedSize) << "the sound went on after the stop";
    DeleteFileA(wave.c_str());
}

}  // namespace
