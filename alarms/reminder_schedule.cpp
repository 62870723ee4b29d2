#include "alarms/reminder_schedule.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int minuteOfDay(int hours, int minutes)
{
    return hours * 60 + minutes;
}

int decimalValue(const char* text)
{
    return static_cast<int>(std::strtol(text, nullptr, 10));
}

}  // namespace

void computeReminderEvent(AlarmEvent& reminder)
{
    reminder.hours = reminder.baseHours + reminder.periodHours;
    reminder.minutes = reminder.baseMinutes + reminder.periodMinutes;
    if (reminder.minutes >= 60) {
        reminder.minutes -= 60;
        reminder.hours += 1;
    }
    if (reminder.hours > 23)
        reminder.hours -= 24;
}

bool isInReminderWindow(int baseMinute, int eventMinute, int nowMinute)
{
    if (eventMinute > baseMinute)
        return baseMinute <= nowMinute && nowMinute < eventMinute;
    // The window crosses midnight.
    return nowMinute >= baseMinute || nowMinute < eventMinute;
}

ReminderVerdict checkReminder(AlarmEvent& scratch, int nowHour, int nowMinute)
{
    if (scratch.isOn && scratch.periodHours == 0 && scratch.periodMinutes == 0)
        return REMINDER_PERIOD_EMPTY;
    computeReminderEvent(scratch);
    if (!scratch.isOn)
        return REMINDER_STORE;
    int base = minuteOfDay(scratch.baseHours, scratch.baseMinutes);
    int event = minuteOfDay(scratch.hours, scratch.minutes);
    if (!isInReminderWindow(base, event, minuteOfDay(nowHour, nowMinute)))
        return REMINDER_EVENT_SKIPPED;
    return REMINDER_STORE;
}

long long reminderEventMinute(const LocalTime& now, int hours, int minutes)
{
    int ahead = (minuteOfDay(hours, minutes) - minuteOfDay(now.hour, now.minute) + 1440) % 1440;
    return minuteNumber(now) + (ahead == 0 ? 1440 : ahead);
}

const char* reminderRefusalText(ReminderVerdict verdict)
{
    switch (verdict) {
    case REMINDER_PERIOD_EMPTY:
        return PERIOD_EMPTY_TEXT;
    case REMINDER_EVENT_SKIPPED:
        return EVENT_SKIPPED_TEXT;
    case REMINDER_STORE:
        break;
    }
    return "";
}

void formatClockTime(int hours, int minutes, char (&text)[CLOCK_TIME_TEXT_SIZE])
{
    std::snprintf(text, sizeof text, "%02d:%02d", hours, minutes);
}

void readBaseTime(const char* text, int& hours, int& minutes)
{
    char buffer[TEXT_SIZE] = {};
    std::strncpy(buffer, text, sizeof buffer - 1);
    buffer[2] = 0;  // where the colon is
    hours = decimalValue(buffer);
    minutes = decimalValue(buffer + 3);
}
