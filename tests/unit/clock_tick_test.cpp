#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "alarms/clock_tick.h"
#include "calendar_walk.h"

namespace {

// A running clock: its settings, reminder and ringing state, ticked by hand.
struct Clock {
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    AlarmEvent reminder{};
    RingingState ringing;
    bool visible = true;

    Clock()
    {
        settings->events.slots[0].hours = -1;
        settings->showAlarmDialog = 1;
    }

    AlarmEvent& addDaily(int hours, int minutes, const char* description)
    {
        int slot = eventCount(settings->events);
        AlarmEvent& alarm = settings->events.slots[slot];
        alarm = AlarmEvent{};
        alarm.isOn = 1;
        alarm.hours = hours;
        alarm.minutes = minutes;
        alarm.period = PERIOD_DAY;
        for (int& day : alarm.days)
            day = 1;
        std::strcpy(alarm.description, description);
        if (slot + 1 < MAX_EVENTS)
            settings->events.slots[slot + 1].hours = -1;
        return alarm;
    }

    TickResult tick(const LocalTime& now) { return runClockTick(now, visible, *settings, reminder, ringing); }

    // 2027-03-15 is a Monday.
    TickResult tickAt(int hour, int minute, int second, int day = 15)
    {
        return tick(calendar::at(2027, 3, day, hour, minute, second));
    }
};

std::string text(const TickResult& r)
{
    return std::string(r.alarmText.data, static_cast<std::size_t>(r.alarmText.length));
}

}  // namespace

TEST(ClockTick, FirstTickMidMinuteOnlyMarksTheMinute)
{
    Clock clock;
    clock.addDaily(7, 30, "Tea");
    TickResult r = clock.tickAt(7, 30, 12);
    EXPECT_EQ(r.messageCount, 0);
    EXPECT_EQ(r.sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
    EXPECT_EQ(clock.tickAt(7, 30, 13).messageCount, 0);
    // Next day at the same time it rings.
    EXPECT_EQ(clock.tickAt(7, 30, 0, 16).messageCount, 1);
}

TEST(ClockTick, FirstTickAtSecondZeroScans)
{
    Clock clock;
    clock.addDaily(7, 30, "Tea");
    TickResult r = clock.tickAt(7, 30, 0);
    ASSERT_EQ(r.messageCount, 1);
    EXPECT_EQ(r.messageRecords[0], &clock.settings->events.slots[0]);
    EXPECT_EQ(text(r), "Tea");
    EXPECT_EQ(r.sound, SOUND_PLAY_ONCE);
    EXPECT_TRUE(r.showBalloon);
    EXPECT_STREQ(r.balloonText, "Tea");
    EXPECT_TRUE(r.invalidate);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    EXPECT_EQ(clock.ringing.ringStartMinute, 30);
}

TEST(ClockTick, EachMinuteScannedOnceWhateverTheSecond)
{
    Clock clock;
    clock.addDaily(7, 30, "Tea");
    clock.tickAt(7, 29, 58);
    clock.tickAt(7, 29, 59);
    // Second 0 is skipped by a late timer: the first tick of the minute rings.
    EXPECT_EQ(clock.tickAt(7, 30, 1).messageCount, 1);
    EXPECT_EQ(clock.tickAt(7, 30, 2).messageCount, 0);

    // Two ticks read second 0 of the same minute: one firing only.
    clock.tickAt(7, 30, 59, 16);
    clock.addDaily(7, 31, "Coffee");
    EXPECT_EQ(clock.tickAt(7, 31, 0, 16).messageCount, 1);
    EXPECT_EQ(clock.tickAt(7, 31, 0, 16).messageCount, 0);
}

TEST(ClockTick, MinutesWithoutAnyTickAreNotCaughtUp)
{
    Clock clock;
    clock.addDaily(7, 30, "Tea");
    clock.tickAt(7, 29, 30);
    // The machine slept from 07:29:30 to 07:31:10.
    EXPECT_EQ(clock.tickAt(7, 31, 10).messageCount, 0);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
}

TEST(ClockTick, TextsGatheredInFiringOrderWithTheReminderLast)
{
    Clock clock;
    clock.addDaily(9, 0, "Stand-up");
    clock.addDaily(8, 0, "Not now");
    clock.addDaily(9, 0, "Call Ann");
    clock.reminder.isOn = 1;
    clock.reminder.hours = 9;
    clock.reminder.minutes = 0;
    std::strcpy(clock.reminder.description, "Stretch");
    clock.settings->alarmDuration = DURATION_THREE_MINUTES;

    clock.tickAt(8, 59, 59);
    TickResult r = clock.tickAt(9, 0, 0);
    EXPECT_EQ(text(r), "Stand-up\r\nCall Ann\r\nReminder. Stretch");
    EXPECT_STREQ(r.balloonText, "Stand-up\r\nCall Ann\r\nReminder. Stretch");
    ASSERT_EQ(r.messageCount, 3);
    EXPECT_EQ(r.messageRecords[0], &clock.settings->events.slots[0]);
    EXPECT_EQ(r.messageRecords[1], &clock.settings->events.slots[2]);
    EXPECT_EQ(r.messageRecords[2], &clock.reminder);
    EXPECT_EQ(r.sound, SOUND_PLAY_LOOPING);
    EXPECT_EQ(clock.reminder.isOn, 0);  // fires once, then is off

    clock.tickAt(9, 0, 59, 16);
    EXPECT_EQ(text(clock.tickAt(9, 1, 0, 16)), "");
    EXPECT_EQ(text(clock.tickAt(9, 0, 0, 17)), "Stand-up\r\nCall Ann");
}

TEST(ClockTick, NoMessageWindowsUnlessAsked)
{
    Clock clock;
    clock.settings->showAlarmDialog = 0;
    clock.addDaily(7, 0, "Tea");
    TickResult r = clock.tickAt(7, 0, 0);
    EXPECT_EQ(r.messageCount, 0);
    EXPECT_EQ(text(r), "Tea");
    EXPECT_TRUE(r.showBalloon);
}

TEST(ClockTick, BalloonTextIsCutTo255Characters)
{
    Clock clock;
    std::string longText(200, 'a');
    clock.addDaily(7, 0, longText.c_str());
    clock.addDaily(7, 0, std::string(200, 'b').c_str());
    TickResult r = clock.tickAt(7, 0, 0);
    EXPECT_EQ(r.alarmText.length, 402);  // the message windows show it all
    ASSERT_EQ(std::strlen(r.balloonText), 255u);
    EXPECT_EQ(std::string(r.balloonText, 202), longText + "\r\n");
    EXPECT_EQ(r.balloonText[254], 'b');
}

TEST(ClockTick, EmptyDescriptionRingsSilently)
{
    Clock clock;
    clock.addDaily(7, 0, "");
    TickResult r = clock.tickAt(7, 0, 0);
    EXPECT_EQ(r.sound, SOUND_NONE);
    EXPECT_FALSE(r.showBalloon);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    EXPECT_EQ(r.messageCount, 1);

    // Between two texts an empty one still leaves its line break.
    Clock three;
    three.addDaily(7, 0, "A");
    three.addDaily(7, 0, "");
    three.addDaily(7, 0, "B");
    EXPECT_EQ(text(three.tickAt(7, 0, 0)), "A\r\n\r\nB");
}

TEST(ClockTick, HiddenWindowFiresOnlyTheReminder)
{
    Clock clock;
    clock.visible = false;
    clock.addDaily(7, 0, "Tea");
    clock.reminder.isOn = 1;
    clock.reminder.hours = 7;
    std::strcpy(clock.reminder.description, "Go");
    TickResult r = clock.tickAt(7, 0, 0);
    EXPECT_EQ(text(r), "Reminder. Go");
    ASSERT_EQ(r.messageCount, 1);
    EXPECT_EQ(r.messageRecords[0], &clock.reminder);
    EXPECT_EQ(clock.reminder.isOn, 0);
}

TEST(ClockTick, ScanEndsAtTheMarkerOrAfterAHundredSlots)
{
    Clock clock;
    clock.addDaily(7, 0, "before");
    clock.settings->events.slots[2] = clock.settings->events.slots[0];  // behind the marker
    EXPECT_EQ(text(clock.tickAt(7, 0, 0)), "before");

    Clock full;
    for (int i = 0; i < MAX_EVENTS; ++i)
        full.addDaily(6, 0, "x");
    full.settings->events.slots[MAX_EVENTS - 1].hours = 7;
    std::strcpy(full.settings->events.slots[MAX_EVENTS - 1].description, "last");
    TickResult r = full.tickAt(7, 0, 0);
    EXPECT_EQ(text(r), "last");
    EXPECT_EQ(r.messageRecords[0], &full.settings->events.slots[MAX_EVENTS - 1]);
}

TEST(ClockTick, OnceEndsAtSecondSevenWithoutStoppingTheSound)
{
    Clock clock;
    clock.addDaily(7, 0, "Tea");
    clock.tickAt(7, 0, 0);
    EXPECT_EQ(clock.tickAt(7, 0, 6).sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    EXPECT_EQ(clock.tickAt(7, 0, 7).sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
    EXPECT_EQ(clock.ringing.stopRequested, 0);
}

TEST(ClockTick, OneMinuteEndsOnTheFirstTickOfTheNextMinute)
{
    Clock clock;
    clock.settings->alarmDuration = DURATION_ONE_MINUTE;
    clock.addDaily(7, 0, "Tea");
    clock.tickAt(7, 0, 0);
    EXPECT_EQ(clock.tickAt(7, 0, 7).sound, SOUND_NONE);
    EXPECT_EQ(clock.tickAt(7, 0, 59).sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    // Second 0 of 07:01 skipped: the stop still comes.
    EXPECT_EQ(clock.tickAt(7, 1, 1).sound, SOUND_STOP);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
    EXPECT_EQ(clock.ringing.stopRequested, 0);
}

TEST(ClockTick, ThreeMinutesWrapsPastTheHour)
{
    Clock clock;
    clock.settings->alarmDuration = DURATION_THREE_MINUTES;
    clock.addDaily(6, 58, "Tea");
    EXPECT_EQ(clock.tickAt(6, 58, 0).sound, SOUND_PLAY_LOOPING);
    EXPECT_EQ(clock.tickAt(6, 59, 0).sound, SOUND_NONE);
    EXPECT_EQ(clock.tickAt(7, 0, 0).sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    EXPECT_EQ(clock.tickAt(7, 1, 0).sound, SOUND_STOP);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);

    Clock midHour;
    midHour.settings->alarmDuration = DURATION_THREE_MINUTES;
    midHour.addDaily(7, 10, "Tea");
    midHour.tickAt(7, 10, 0);
    EXPECT_EQ(midHour.tickAt(7, 11, 0).sound, SOUND_NONE);
    EXPECT_EQ(midHour.tickAt(7, 12, 0).sound, SOUND_NONE);
    EXPECT_EQ(midHour.tickAt(7, 13, 0).sound, SOUND_STOP);
}

TEST(ClockTick, UnknownDurationLoopsUntilTheUserStopsIt)
{
    Clock clock;
    clock.settings->alarmDuration = 7;
    clock.addDaily(7, 0, "Tea");
    EXPECT_EQ(clock.tickAt(7, 0, 0).sound, SOUND_PLAY_LOOPING);
    for (int minute = 1; minute < 10; ++minute)
        EXPECT_EQ(clock.tickAt(7, minute, 7).sound, SOUND_NONE);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    clock.ringing.stopRequested = 1;
    EXPECT_EQ(clock.tickAt(7, 10, 3).sound, SOUND_STOP);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
}

TEST(ClockTick, StopRequestIsConsumedByTheNextTickEvenWhenIdle)
{
    Clock clock;
    clock.tickAt(7, 0, 30);
    clock.ringing.stopRequested = 1;  // e.g. the Alarm page's test sound
    EXPECT_EQ(clock.tickAt(7, 0, 31).sound, SOUND_STOP);
    EXPECT_EQ(clock.ringing.stopRequested, 0);
    EXPECT_EQ(clock.tickAt(7, 0, 32).sound, SOUND_NONE);
}

TEST(ClockTick, NewFiringWhileRingingRestartsTheDuration)
{
    Clock clock;
    clock.settings->alarmDuration = DURATION_THREE_MINUTES;
    clock.addDaily(7, 0, "first");
    clock.addDaily(7, 2, "second");
    clock.tickAt(7, 0, 0);
    EXPECT_EQ(clock.tickAt(7, 2, 0).sound, SOUND_PLAY_LOOPING);
    EXPECT_EQ(clock.ringing.ringStartMinute, 2);
    EXPECT_EQ(clock.tickAt(7, 3, 0).sound, SOUND_NONE);  // not the first alarm's end
    EXPECT_EQ(clock.tickAt(7, 4, 0).sound, SOUND_NONE);
    EXPECT_EQ(clock.tickAt(7, 5, 0).sound, SOUND_STOP);
}
