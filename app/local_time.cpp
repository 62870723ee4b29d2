#include "app/local_time.h"

namespace {

// Days are counted from 1 March of year 0, so that the leap day ends a year;
// day 719469 of that count is 1 January 1970, a Thursday.
constexpr long long UNIX_DAY = 719469;

long long floorDiv(long long a, long long b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace

long long minuteNumber(const LocalTime& time)
{
    long long year = time.year - (time.month <= 2);
    long long days = 365 * year + floorDiv(year, 4) - floorDiv(year, 100) + floorDiv(year, 400) +
                     (153 * ((time.month + 9) % 12) + 2) / 5 + time.day;
    return (days * 24 + time.hour) * 60 + time.minute;
}

long long secondNumber(const LocalTime& time)
{
    return minuteNumber(time) * 60 + time.second;
}

// The inverse of the day count above (the civil calendar from a day number).
LocalTime timeOfMinute(long long minute)
{
    long long day = floorDiv(minute, 1440), minuteOfDay = minute - day * 1440;
    long long z = day - UNIX_DAY + 719468;
    long long era = floorDiv(z, 146097), dayOfEra = z - era * 146097;
    long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    LocalTime t;
    t.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    t.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2));
    long long unixDay = day - UNIX_DAY;
    t.dayOfWeek = static_cast<int>(((unixDay + 4) % 7 + 7) % 7);
    t.hour = static_cast<int>(minuteOfDay / 60);
    t.minute = static_cast<int>(minuteOfDay % 60);
    return t;
}
