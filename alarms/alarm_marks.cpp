#include "alarms/alarm_marks.h"

#include <cstring>

#include "alarms/clock_tick.h"
#include "alarms/next_alarm.h"

namespace {

constexpr int FIRST_YEAR = 1601;
constexpr int LAST_YEAR = 9999;

int dateCode(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

}  // namespace

int dateCodeOf(const LocalTime& date)
{
    return dateCode(date.year, date.month, date.day);
}

bool isDateCode(int code)
{
    int year = code / 10000, month = code / 100 % 100, day = code % 100;
    return year >= FIRST_YEAR && year <= LAST_YEAR && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

int dayOfDateCode(int code)
{
    return code % 100;
}

int monthOfDateCode(int code)
{
    return code / 100 % 100;
}

int dateCodeFromDayMonth(int day, int month, const LocalTime& today)
{
    int from = dateCodeOf(timeOfMinute(minuteNumber(today) - 1440));
    // 29 February comes at least every eight years.
    for (int year = from / 10000; year <= from / 10000 + 8; ++year) {
        int code = dateCode(year, month, day);
        if (isDateCode(code) && code >= from)
            return code;
    }
    return 0;
}

bool skipsDate(const AlarmEvent& alarm, const LocalTime& date)
{
    return alarm.skipDate != 0 && alarm.skipDate == dateCodeOf(date);
}

void toggleSkipNext(AlarmEvent& alarm, long long afterMinute)
{
    if (alarm.skipDate != 0) {
        alarm.skipDate = 0;
        return;
    }
    long long next = nextOccurrenceOf(alarm, afterMinute);
    if (next != NOT_YET)
        alarm.skipDate = dateCodeOf(timeOfMinute(next));
}

bool isSameAlarm(const AlarmEvent& a, const AlarmEvent& b)
{
    return a.hours == b.hours && a.minutes == b.minutes && a.period == b.period &&
           std::memcmp(a.days, b.days, sizeof a.days) == 0 && a.baseDay == b.baseDay && a.baseMonth == b.baseMonth &&
           std::strncmp(a.description, b.description, TEXT_SIZE) == 0 && std::strncmp(a.sound, b.sound, TEXT_SIZE) == 0;
}

bool applyTickMarks(EventTable& table, const TickResult& result, const LocalTime& now)
{
    bool changed = false;
    for (int k = 0; k < result.switchOffCount; ++k) {
        AlarmEvent& alarm = table.slots[result.switchOff[k]];
        changed |= alarm.isOn != 0;
        alarm.isOn = 0;
    }
    int today = dateCodeOf(now);
    for (int slot = 0; slot < MAX_EVENTS && table.slots[slot].hours != -1; ++slot) {
        AlarmEvent& alarm = table.slots[slot];
        if (alarm.skipDate != 0 && alarm.skipDate < today) {
            alarm.skipDate = 0;
            changed = true;
        }
    }
    return changed;
}
