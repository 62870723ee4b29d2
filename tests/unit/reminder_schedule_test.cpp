// The reminder's arithmetic: its event time, the check an armed one must
// pass before it is stored, and the base time's text.
#include <gtest/gtest.h>

#include "alarms/reminder_schedule.h"

namespace {

AlarmEvent reminder(int isOn, int baseHours, int baseMinutes, int periodHours, int periodMinutes)
{
    AlarmEvent r{isOn, "Stretch"};
    r.baseHours = baseHours;
    r.baseMinutes = baseMinutes;
    r.periodHours = periodHours;
    r.periodMinutes = periodMinutes;
    return r;
}

}  // namespace

TEST(ReminderSchedule, EventIsBasePlusPeriodOnTheClockFace)
{
    const int cases[][6] = {
        {12, 45, 3, 15, 16, 0}, {23, 30, 0, 45, 0, 15}, {23, 45, 3, 45, 3, 30}, {22, 59, 1, 0, 23, 59}};
    for (const auto& c : cases) {
        AlarmEvent r = reminder(0, c[0], c[1], c[2], c[3]);
        computeReminderEvent(r);
        EXPECT_EQ(r.hours * 100 + r.minutes, c[4] * 100 + c[5]) << c[0] << ":" << c[1] << " + " << c[2] << ":" << c[3];
    }
}

TEST(ReminderSchedule, ArmedReminderMustHaveItsEventStillAhead)
{
    // base h, base min, period h, period min, now h, now min, verdict
    const int cases[][7] = {
        {23, 30, 0, 45, 23, 50, REMINDER_STORE}, {23, 30, 0, 45, 23, 30, REMINDER_STORE},  // over midnight
        {23, 30, 0, 45, 0, 14, REMINDER_STORE}, {23, 30, 0, 45, 0, 15, REMINDER_EVENT_SKIPPED},
        {23, 30, 0, 45, 0, 20, REMINDER_EVENT_SKIPPED}, {23, 30, 0, 45, 23, 29, REMINDER_EVENT_SKIPPED},
        {10, 0, 1, 0, 9, 59, REMINDER_EVENT_SKIPPED}, {10, 0, 1, 0, 10, 0, REMINDER_STORE},  // base ahead, event gone
        {10, 0, 1, 0, 10, 59, REMINDER_STORE}, {10, 0, 1, 0, 11, 0, REMINDER_EVENT_SKIPPED},
        {10, 0, 0, 0, 10, 0, REMINDER_PERIOD_EMPTY}, {10, 0, 0, 0, 15, 0, REMINDER_PERIOD_EMPTY},  // named first
    };
    for (const auto& c : cases) {
        AlarmEvent r = reminder(1, c[0], c[1], c[2], c[3]);
        EXPECT_EQ(checkReminder(r, c[4], c[5]), c[6]) << c[0] << ":" << c[1] << " + " << c[2] << ":" << c[3]
                                                       << " at " << c[4] << ":" << c[5];
    }
    AlarmEvent stored = reminder(1, 12, 45, 3, 15);
    ASSERT_EQ(checkReminder(stored, 13, 0), REMINDER_STORE);
    EXPECT_TRUE(stored.hours == 16 && stored.minutes == 0 && stored.baseHours == 12 && stored.baseMinutes == 45);
    AlarmEvent off = reminder(0, 10, 0, 1, 0), offEmpty = reminder(0, 10, 0, 0, 0);
    EXPECT_EQ(checkReminder(off, 9, 0), REMINDER_STORE);  // off is stored whatever the time,
    EXPECT_EQ(off.hours, 11);                              // its event still worked out
    EXPECT_EQ(checkReminder(offEmpty, 15, 0), REMINDER_STORE);
    for (int now : {0, 600, 1439})
        EXPECT_TRUE(isInReminderWindow(600, 600, now)) << now;  // ends that meet hold every minute
}

TEST(ReminderSchedule, BaseTimeTextIsTwoDigitsColonTwoDigitsAndReadsBack)
{
    char text[CLOCK_TIME_TEXT_SIZE];
    formatClockTime(7, 5, text);
    EXPECT_STREQ(text, "07:05");
    for (int minute = 0; minute < 24 * 60; ++minute) {
        formatClockTime(minute / 60, minute % 60, text);
        int hours = -1, minutes = -1;
        readBaseTime(text, hours, minutes);
        ASSERT_EQ(hours * 60 + minutes, minute) << text;
    }
    int hours = -1, minutes = -1;
    readBaseTime("", hours, minutes);
    EXPECT_EQ(hours * 60 + minutes, 0);
}
