#include "alarms/next_alarm.h"

#include "alarms/alarm_match.h"
#include "alarms/snooze.h"
#include "app/local_time.h"

Occurrence nextOccurrenceAndRecord(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                                   long long nowMinute)
{
    long long after = ringing.scannedUpTo > nowMinute ? ringing.scannedUpTo : nowMinute;
    Occurrence next{NOT_YET, nullptr};
    if (reminder.isOn && ringing.reminderDue > nowMinute)
        next = {ringing.reminderDue, &reminder};
    // Day by day: the first day with an alarm after `after` holds the earliest.
    for (long long day = after / 1440; day <= after / 1440 + LOOK_AHEAD_DAYS; ++day) {
        if (next.minute != NOT_YET && next.minute < day * 1440)
            break;
        LocalTime date = timeOfMinute(day * 1440);
        for (const AlarmEvent& alarm : settings.events.slots) {
            if (alarm.hours == -1)
                break;
            long long due = day * 1440 + alarm.hours * 60 + alarm.minutes;
            if (alarm.isOn && due > after && (next.minute == NOT_YET || due < next.minute) && periodAllowsDate(alarm, date))
                next = {due, &alarm};
        }
    }
    return next;
}

long long nextOccurrence(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                         long long nowMinute)
{
    return nextOccurrenceAndRecord(settings, reminder, ringing, nowMinute).minute;
}

long long nextOccurrenceOf(const AlarmEvent& alarm, long long afterMinute)
{
    for (long long day = afterMinute / 1440; day <= afterMinute / 1440 + LOOK_AHEAD_DAYS; ++day) {
        long long due = day * 1440 + alarm.hours * 60 + alarm.minutes;
        if (due > afterMinute && periodAllowsDate(alarm, timeOfMinute(day * 1440)))
            return due;
    }
    return NOT_YET;
}

long long nextWakeUtc(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                      long long nowMinute, const ZoneRules& zone)
{
    long long next = nextOccurrence(settings, reminder, ringing, nowMinute);
    long long due = next == NOT_YET ? NOT_YET : zone.utcMinuteOf(next) * 60;
    long long snooze = nextSnoozeUtc(settings);
    return snooze != NOT_YET && (due == NOT_YET || snooze < due) ? snooze : due;
}
