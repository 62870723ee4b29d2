#include "alarms/alarm_match.h"

#include "alarms/alarm_marks.h"

namespace {

// A base day past the end of a short month rings on its last day instead
// (the 31st rings on the 30th of April and on 28 or 29 February).
int monthlyDay(int baseDay, const LocalTime& now)
{
    if (baseDay > 28) {
        int length = daysInMonth(now.year, now.month);
        if (baseDay > length)
            return length;
    }
    return baseDay;
}

}  // namespace

bool periodAllowsDate(const AlarmEvent& event, const LocalTime& now)
{
    if (skipsDate(event, now))
        return false;
    switch (event.period) {
    case PERIOD_DAY:
        return now.dayOfWeek >= 0 && now.dayOfWeek < 7 && event.days[now.dayOfWeek] != 0;
    case PERIOD_MONTH:
        return monthlyDay(event.baseDay, now) == now.day;
    case PERIOD_QUARTER:
        return monthlyDay(event.baseDay, now) == now.day && now.month % 3 == event.baseMonth % 3;
    case PERIOD_YEAR:
    case PERIOD_ONCE:  // its first such date; then it is switched off
        // Never moved: 29 February rings only in leap years.
        return event.baseDay == now.day && event.baseMonth == now.month;
    default:
        return false;
    }
}

bool isAlarmDue(const AlarmEvent& event, const LocalTime& now)
{
    return event.isOn != 0 && event.hours == now.hour && event.minutes == now.minute &&
           periodAllowsDate(event, now);
}

bool periodReachesBaseDate(const AlarmEvent& event)
{
    bool dayOfMonth = event.baseDay >= 1 && event.baseDay <= 31;
    bool month = event.baseMonth >= 1 && event.baseMonth <= 12;
    switch (event.period) {
    case PERIOD_DAY:
        return true;
    case PERIOD_MONTH:
        return dayOfMonth;
    case PERIOD_QUARTER:
        return dayOfMonth && month;
    case PERIOD_YEAR:
    case PERIOD_ONCE:
        return month && dayOfMonth && event.baseDay <= monthLengths[event.baseMonth - 1];
    default:
        return false;
    }
}
