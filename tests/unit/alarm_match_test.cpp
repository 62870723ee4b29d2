// When an alarm is due: its switch and time, weekdays, and the period rules
// with the clamping of late base days and the Gregorian leap years.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarms/alarm_match.h"
#include "calendar_walk.h"

namespace {

using Dates = std::vector<std::string>;

AlarmEvent dated(int period, int baseDay, int baseMonth)
{
    return AlarmEvent{1, "", 9, 0, period, {}, baseDay, baseMonth};
}

// The dates of the year (as "month-day") on which the alarm rings at 09:00.
Dates ringingDates(const AlarmEvent& alarm, int year)
{
    Dates dates;
    calendar::forEachDate(year, 9, 0, [&](const LocalTime& t) {
        if (isAlarmDue(alarm, t))
            dates.push_back(std::to_string(t.month) + "-" + std::to_string(t.day));
    });
    return dates;
}

}  // namespace

TEST(AlarmMatch, TimeSwitchPeriodAndWeekdaysMustMatch)
{
    AlarmEvent alarm{1, "", 7, 30, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}};
    LocalTime monday = calendar::at(2027, 3, 15, 7, 30);
    EXPECT_TRUE(isAlarmDue(alarm, monday));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 15, 7, 31)));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 15, 19, 30)));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 14, 7, 30)));  // Sunday
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 20, 7, 30)));  // Saturday
    EXPECT_TRUE(isAlarmDue(alarm, calendar::at(2027, 3, 19, 7, 30)));   // Friday
    alarm.isOn = 0;
    EXPECT_FALSE(isAlarmDue(alarm, monday));
    alarm.isOn = 5;  // any nonzero value counts as on
    EXPECT_TRUE(isAlarmDue(alarm, monday));
    EXPECT_FALSE(isAlarmDue(AlarmEvent{1, "", 7, 30, 4, {1, 1, 1, 1, 1, 1, 1}}, monday));  // damaged period
    EXPECT_FALSE(isAlarmDue(AlarmEvent{1, "", 7, 30, -1, {1, 1, 1, 1, 1, 1, 1}}, monday));
    EXPECT_TRUE(ringingDates(dated(PERIOD_DAY, 0, 0), 2027).empty());  // no weekday ticked
}

TEST(AlarmMatch, MonthlyAndQuarterlyLateDaysMoveToTheLastDayOfShortMonths)
{
    Dates common = {"1-31", "2-28", "3-31", "4-30", "5-31", "6-30", "7-31", "8-31", "9-30", "10-31", "11-30", "12-31"};
    Dates leap = common;
    leap[1] = "2-29";
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 31, 0), 2023), common);
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 31, 0), 2100), common);  // not a leap year
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 31, 0), 2024), leap);
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 31, 0), 2000), leap);  // divisible by 400
    Dates on29th = ringingDates(dated(PERIOD_MONTH, 29, 0), 2023);
    EXPECT_EQ(on29th.size() == 12 ? on29th[1] + " " + on29th[2] : "", "2-28 3-29");
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 29, 0), 2024)[1], "2-29");
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 15, 11), 2027), (Dates{"2-15", "5-15", "8-15", "11-15"}));
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 1, 3), 2027), (Dates{"3-1", "6-1", "9-1", "12-1"}));
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 31, 2), 2024), (Dates{"2-29", "5-31", "8-31", "11-30"}));
}

TEST(AlarmMatch, YearlyIsNeverMovedAndLeapYearsAreGregorian)
{
    AlarmEvent leapDay = dated(PERIOD_YEAR, 29, 2);
    EXPECT_EQ(ringingDates(leapDay, 2024), Dates{"2-29"});
    EXPECT_EQ(ringingDates(leapDay, 2000), Dates{"2-29"});
    EXPECT_TRUE(ringingDates(leapDay, 2023).empty());
    EXPECT_TRUE(ringingDates(leapDay, 2100).empty());
    EXPECT_TRUE(ringingDates(dated(PERIOD_YEAR, 31, 4), 2024).empty());
    EXPECT_EQ(ringingDates(dated(PERIOD_YEAR, 15, 3), 2027), Dates{"3-15"});
    EXPECT_TRUE(isLeapYear(2000) && isLeapYear(2400) && isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(1900) || isLeapYear(2100) || isLeapYear(2023));
}
