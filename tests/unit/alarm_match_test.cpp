#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarms/alarm_match.h"
#include "calendar_walk.h"

namespace {

AlarmEvent alarmAt(int hours, int minutes, int period)
{
    AlarmEvent e{};
    e.isOn = 1;
    e.hours = hours;
    e.minutes = minutes;
    e.period = period;
    return e;
}

AlarmEvent dated(int period, int baseDay, int baseMonth)
{
    AlarmEvent e = alarmAt(9, 0, period);
    e.baseDay = baseDay;
    e.baseMonth = baseMonth;
    return e;
}

// The dates of the year (as "month-day") on which the alarm rings at 09:00.
std::vector<std::string> ringingDates(const AlarmEvent& alarm, int year)
{
    std::vector<std::string> dates;
    calendar::forEachDate(year, 9, 0, [&](const LocalTime& t) {
        if (isAlarmDue(alarm, t))
            dates.push_back(std::to_string(t.month) + "-" + std::to_string(t.day));
    });
    return dates;
}

using Dates = std::vector<std::string>;

}  // namespace

TEST(AlarmMatch, TimeAndSwitchMustMatch)
{
    AlarmEvent alarm = alarmAt(7, 30, PERIOD_DAY);
    for (int& day : alarm.days)
        day = 1;
    LocalTime t = calendar::at(2027, 3, 15, 7, 30);
    EXPECT_TRUE(isAlarmDue(alarm, t));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 15, 7, 31)));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 15, 8, 30)));
    EXPECT_FALSE(isAlarmDue(alarm, calendar::at(2027, 3, 15, 19, 30)));
    alarm.isOn = 0;
    EXPECT_FALSE(isAlarmDue(alarm, t));
    alarm.isOn = 5;  // any nonzero value counts as on
    EXPECT_TRUE(isAlarmDue(alarm, t));
    alarm.period = 4;  // damaged period: never due
    EXPECT_FALSE(isAlarmDue(alarm, t));
    alarm.period = -1;
    EXPECT_FALSE(isAlarmDue(alarm, t));
}

TEST(AlarmMatch, DayAlarmRingsOnItsWeekdaysOnly)
{
    AlarmEvent alarm = alarmAt(7, 30, PERIOD_DAY);
    for (int k = 1; k <= 5; ++k)
        alarm.days[k] = 1;
    // 14 March 2027 is a Sunday.
    for (int day = 14; day <= 20; ++day) {
        LocalTime t = calendar::at(2027, 3, day, 7, 30);
        bool weekday = t.dayOfWeek >= 1 && t.dayOfWeek <= 5;
        EXPECT_EQ(isAlarmDue(alarm, t), weekday) << day;
    }
    AlarmEvent noDays = alarmAt(7, 30, PERIOD_DAY);
    EXPECT_TRUE(ringingDates(noDays, 2027).empty());
}

TEST(AlarmMatch, MonthlyOn31stMovesToTheLastDayOfShortMonths)
{
    AlarmEvent alarm = dated(PERIOD_MONTH, 31, 0);
    Dates common = {"1-31", "2-28", "3-31", "4-30", "5-31", "6-30",
                    "7-31", "8-31", "9-30", "10-31", "11-30", "12-31"};
    EXPECT_EQ(ringingDates(alarm, 2023), common);
    EXPECT_EQ(ringingDates(alarm, 2100), common);  // not a leap year
    Dates leap = common;
    leap[1] = "2-29";
    EXPECT_EQ(ringingDates(alarm, 2024), leap);
    EXPECT_EQ(ringingDates(alarm, 2000), leap);  // divisible by 400: a leap year

    // The 29th only moves in February of common years.
    Dates on29th = ringingDates(dated(PERIOD_MONTH, 29, 0), 2023);
    ASSERT_EQ(on29th.size(), 12u);
    EXPECT_EQ(on29th[1], "2-28");
    EXPECT_EQ(on29th[2], "3-29");
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 29, 0), 2024)[1], "2-29");

    // Base days up to 28 are never moved.
    EXPECT_EQ(ringingDates(dated(PERIOD_MONTH, 7, 0), 2023).size(), 12u);
}

TEST(AlarmMatch, QuarterlyFollowsTheBaseMonthRemainder)
{
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 15, 11), 2027),
              (Dates{"2-15", "5-15", "8-15", "11-15"}));
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 1, 3), 2027), (Dates{"3-1", "6-1", "9-1", "12-1"}));
    // Clamped like a monthly alarm.
    EXPECT_EQ(ringingDates(dated(PERIOD_QUARTER, 31, 2), 2024),
              (Dates{"2-29", "5-31", "8-31", "11-30"}));
}

TEST(AlarmMatch, YearlyIsNeverMoved)
{
    AlarmEvent leapDay = dated(PERIOD_YEAR, 29, 2);
    EXPECT_EQ(ringingDates(leapDay, 2024), Dates{"2-29"});
    EXPECT_EQ(ringingDates(leapDay, 2000), Dates{"2-29"});
    EXPECT_TRUE(ringingDates(leapDay, 2023).empty());
    EXPECT_TRUE(ringingDates(leapDay, 2100).empty());

    EXPECT_TRUE(ringingDates(dated(PERIOD_YEAR, 31, 4), 2024).empty());
    EXPECT_EQ(ringingDates(dated(PERIOD_YEAR, 15, 3), 2027), Dates{"3-15"});
}
