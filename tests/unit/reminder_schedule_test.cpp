#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "alarms/reminder_schedule.h"

namespace {

AlarmEvent reminder(int isOn, int baseHours, int baseMinutes, int periodHours, int periodMinutes)
{
    AlarmEvent r{};
    r.isOn = isOn;
    r.baseHours = baseHours;
    r.baseMinutes = baseMinutes;
    r.periodHours = periodHours;
    r.periodMinutes = periodMinutes;
    std::strcpy(r.description, "Stretch");
    return r;
}

std::string eventText(AlarmEvent r)
{
    computeReminderEvent(r);
    char text[CLOCK_TIME_TEXT_SIZE];
    formatClockTime(r.hours, r.minutes, text);
    return text;
}

ReminderVerdict armedAt(int baseHours, int baseMinutes, int periodHours, int periodMinutes, int nowHour,
                        int nowMinute)
{
    AlarmEvent r = reminder(1, baseHours, baseMinutes, periodHours, periodMinutes);
    return checkReminder(r, nowHour, nowMinute);
}

}  // namespace

TEST(ReminderSchedule, EventIsBasePlusPeriodOnTheClockFace)
{
    EXPECT_EQ(eventText(reminder(0, 12, 45, 3, 15)), "16:00");
    EXPECT_EQ(eventText(reminder(0, 23, 30, 0, 45)), "00:15");
    EXPECT_EQ(eventText(reminder(0, 10, 0, 1, 0)), "11:00");
    EXPECT_EQ(eventText(reminder(0, 9, 20, 0, 30)), "09:50");
    EXPECT_EQ(eventText(reminder(0, 23, 45, 3, 45)), "03:30");  // the longest period past midnight
    EXPECT_EQ(eventText(reminder(0, 22, 59, 1, 0)), "23:59");
}

TEST(ReminderSchedule, ArmedReminderMustHaveItsEventStillAhead)
{
    // Base 23:30 + 0:45: the window runs from 23:30 over midnight to 00:15.
    EXPECT_EQ(armedAt(23, 30, 0, 45, 23, 50), REMINDER_STORE);
    EXPECT_EQ(armedAt(23, 30, 0, 45, 23, 30), REMINDER_STORE);
    EXPECT_EQ(armedAt(23, 30, 0, 45, 0, 14), REMINDER_STORE);
    EXPECT_EQ(armedAt(23, 30, 0, 45, 0, 15), REMINDER_EVENT_SKIPPED);
    EXPECT_EQ(armedAt(23, 30, 0, 45, 0, 20), REMINDER_EVENT_SKIPPED);
    EXPECT_EQ(armedAt(23, 30, 0, 45, 23, 29), REMINDER_EVENT_SKIPPED);

    // Base 10:00 + 1:00: a base in the future and an event gone are both refused.
    EXPECT_EQ(armedAt(10, 0, 1, 0, 9, 59), REMINDER_EVENT_SKIPPED);
    EXPECT_EQ(armedAt(10, 0, 1, 0, 10, 0), REMINDER_STORE);
    EXPECT_EQ(armedAt(10, 0, 1, 0, 10, 59), REMINDER_STORE);
    EXPECT_EQ(armedAt(10, 0, 1, 0, 11, 0), REMINDER_EVENT_SKIPPED);
    EXPECT_EQ(armedAt(10, 0, 1, 0, 22, 0), REMINDER_EVENT_SKIPPED);
}

TEST(ReminderSchedule, StoredRecordCarriesItsEventTime)
{
    AlarmEvent r = reminder(1, 12, 45, 3, 15);
    ASSERT_EQ(checkReminder(r, 13, 0), REMINDER_STORE);
    EXPECT_EQ(r.hours, 16);
    EXPECT_EQ(r.minutes, 0);
    EXPECT_EQ(r.baseHours, 12);
    EXPECT_EQ(r.baseMinutes, 45);
    EXPECT_STREQ(r.description, "Stretch");
}

TEST(ReminderSchedule, EmptyPeriodIsRefusedOnlyWhenArmed)
{
    AlarmEvent armed = reminder(1, 10, 0, 0, 0);
    EXPECT_EQ(checkReminder(armed, 10, 0), REMINDER_PERIOD_EMPTY);
    // The empty period is named even when the time is off as well.
    AlarmEvent armedLate = reminder(1, 10, 0, 0, 0);
    EXPECT_EQ(checkReminder(armedLate, 15, 0), REMINDER_PERIOD_EMPTY);

    AlarmEvent off = reminder(0, 10, 0, 0, 0);
    EXPECT_EQ(checkReminder(off, 15, 0), REMINDER_STORE);
}

TEST(ReminderSchedule, ReminderThatIsOffIsStoredWhateverTheTime)
{
    AlarmEvent r = reminder(0, 10, 0, 1, 0);
    EXPECT_EQ(checkReminder(r, 9, 0), REMINDER_STORE);
    EXPECT_EQ(r.hours, 11);  // its event is still worked out
    EXPECT_EQ(r.minutes, 0);
    EXPECT_EQ(r.isOn, 0);
}

TEST(ReminderSchedule, WindowWhoseEndsMeetHoldsEveryMinute)
{
    for (int now : {0, 600, 1439})
        EXPECT_TRUE(isInReminderWindow(600, 600, now)) << now;
}

TEST(ReminderSchedule, BaseTimeReadsBackFromItsTextForEveryMinuteOfTheDay)
{
    for (int minute = 0; minute < 24 * 60; ++minute) {
        char text[CLOCK_TIME_TEXT_SIZE];
        formatClockTime(minute / 60, minute % 60, text);
        int hours = -1, minutes = -1;
        readBaseTime(text, hours, minutes);
        ASSERT_EQ(hours * 60 + minutes, minute) << text;
    }
}

TEST(ReminderSchedule, BaseTimeTextIsTwoDigitsColonTwoDigits)
{
    char text[CLOCK_TIME_TEXT_SIZE];
    formatClockTime(7, 5, text);
    EXPECT_STREQ(text, "07:05");

    int hours = -1, minutes = -1;
    readBaseTime("", hours, minutes);  // a static never written to
    EXPECT_EQ(hours, 0);
    EXPECT_EQ(minutes, 0);
}
