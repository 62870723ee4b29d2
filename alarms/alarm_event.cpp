#include "alarms/alarm_event.h"

const char periodNames[PERIOD_COUNT][100] = {"Day", "Month", "Quarter", "Year", "Once"};

// February counts 29 so that a base date of 29 February can be entered.
const int monthLengths[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int eventCount(const EventTable& table)
{
    int n = 0;
    while (n < MAX_EVENTS && table.slots[n].hours != -1)
        ++n;
    return n;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    if (month < 1 || month > 12)
        return 31;
    if (month == 2)
        return isLeapYear(year) ? 29 : 28;
    return monthLengths[month - 1];
}
