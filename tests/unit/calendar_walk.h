#pragma once
// A calendar of the tests' own, written apart from the code under test, to
// walk dates with their day of the week.
#include "app/local_time.h"

namespace calendar {

inline bool leap(int year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

inline int monthDays(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leap(year) ? 29 : days[month - 1];
}

// 0 = Sunday (Sakamoto's method).
inline int dayOfWeek(int year, int month, int day)
{
    static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

inline LocalTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.dayOfWeek = dayOfWeek(year, month, day);
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

// Calls visit(LocalTime) for every date of the year, at the given time.
template <typename Visit>
void forEachDate(int year, int hour, int minute, Visit visit)
{
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= monthDays(year, month); ++day)
            visit(at(year, month, day, hour, minute));
}

}  // namespace calendar
