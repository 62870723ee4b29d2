#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "alarms/event_rows.h"

namespace {

// An alarm with every field filled, so a round trip shows what is dropped.
AlarmEvent fullEvent(int period)
{
    AlarmEvent e{};
    e.isOn = 1;
    std::strcpy(e.description, "Tea");
    e.hours = 7;
    e.minutes = 5;
    e.period = period;
    const int days[7] = {0, 1, 1, 1, 1, 1, 0};
    std::memcpy(e.days, days, sizeof days);
    e.baseDay = 15;
    e.baseMonth = 3;
    e.baseHours = 1;
    e.baseMinutes = 2;
    e.periodHours = 3;
    e.periodMinutes = 4;
    return e;
}

EventRow rowOf(int stateImage, const char* time, const char* description, const char* periodName,
               const char* periodInfo)
{
    EventRow row{};
    row.stateImage = stateImage;
    std::strcpy(row.time, time);
    std::strcpy(row.description, description);
    std::strcpy(row.periodName, periodName);
    std::strcpy(row.periodInfo, periodInfo);
    return row;
}

void expectNoReminderFields(const AlarmEvent& e)
{
    EXPECT_EQ(e.baseHours, 0);
    EXPECT_EQ(e.baseMinutes, 0);
    EXPECT_EQ(e.periodHours, 0);
    EXPECT_EQ(e.periodMinutes, 0);
}

}  // namespace

TEST(EventRows, DayRowShowsOnePlusOrMinusPerDaySundayFirst)
{
    EventRow row = eventToRow(fullEvent(PERIOD_DAY));
    EXPECT_EQ(row.stateImage, STATE_IMAGE_CHECKED);
    EXPECT_STREQ(row.time, "07:05");
    EXPECT_STREQ(row.description, "Tea");
    EXPECT_STREQ(row.periodName, "Day");
    EXPECT_STREQ(row.periodInfo, "-+++++-");

    AlarmEvent back = eventFromRow(row);
    EXPECT_EQ(back.isOn, 1);
    EXPECT_EQ(back.hours, 7);
    EXPECT_EQ(back.minutes, 5);
    EXPECT_STREQ(back.description, "Tea");
    EXPECT_EQ(back.period, PERIOD_DAY);
    const int weekdays[7] = {0, 1, 1, 1, 1, 1, 0};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(back.days[k], weekdays[k]) << k;
    EXPECT_EQ(back.baseDay, 0);  // a Day alarm loses its base date
    EXPECT_EQ(back.baseMonth, 0);
    expectNoReminderFields(back);
}

TEST(EventRows, DayRowWithNoDayTicked)
{
    AlarmEvent e = fullEvent(PERIOD_DAY);
    std::memset(e.days, 0, sizeof e.days);
    EventRow row = eventToRow(e);
    EXPECT_STREQ(row.periodInfo, "-------");
    AlarmEvent back = eventFromRow(row);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(back.days[k], 0) << k;
}

TEST(EventRows, MonthRowKeepsOnlyTheBaseDay)
{
    AlarmEvent e = fullEvent(PERIOD_MONTH);
    e.baseDay = 7;
    e.isOn = 0;
    EventRow row = eventToRow(e);
    EXPECT_EQ(row.stateImage, STATE_IMAGE_UNCHECKED);
    EXPECT_STREQ(row.periodName, "Month");
    EXPECT_STREQ(row.periodInfo, "07");

    AlarmEvent back = eventFromRow(row);
    EXPECT_EQ(back.isOn, 0);
    EXPECT_EQ(back.period, PERIOD_MONTH);
    EXPECT_EQ(back.baseDay, 7);
    EXPECT_EQ(back.baseMonth, 0);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(back.days[k], 0) << k;
    expectNoReminderFields(back);
}

TEST(EventRows, QuarterAndYearRowsShowDayThenMonth)
{
    for (int period : {PERIOD_QUARTER, PERIOD_YEAR}) {
        EventRow row = eventToRow(fullEvent(period));
        EXPECT_STREQ(row.periodName, periodNames[period]);
        EXPECT_STREQ(row.periodInfo, "15:03");

        AlarmEvent back = eventFromRow(row);
        EXPECT_EQ(back.period, period);
        EXPECT_EQ(back.baseDay, 15);
        EXPECT_EQ(back.baseMonth, 3);
        EXPECT_EQ(back.hours, 7);
        EXPECT_EQ(back.minutes, 5);
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(back.days[k], 0) << k;
        expectNoReminderFields(back);
    }
}

TEST(EventRows, LongestDescriptionComesBackWhole)
{
    AlarmEvent e = fullEvent(PERIOD_YEAR);
    std::string text(TEXT_SIZE - 1, 'd');
    text[0] = 'A';
    text[TEXT_SIZE - 2] = 'Z';
    std::strcpy(e.description, text.c_str());
    AlarmEvent back = eventFromRow(eventToRow(e));
    EXPECT_EQ(std::string(back.description), text);
}

TEST(EventRows, UnknownPeriodNameReadsAsDay)
{
    // Names compare case-sensitively, so "month" is not Month.
    for (const char* name : {"month", "Weekly", ""}) {
        AlarmEvent back = eventFromRow(rowOf(2, "08:30", "x", name, "+-+----"));
        EXPECT_EQ(back.period, PERIOD_DAY) << name;
        EXPECT_EQ(back.days[0], 1) << name;
        EXPECT_EQ(back.days[1], 0) << name;
        EXPECT_EQ(back.days[2], 1) << name;
        EXPECT_EQ(back.baseDay, 0) << name;
    }
}

TEST(EventRows, DamagedTextsAreReadByPosition)
{
    // Three-digit values do not survive: only two characters are read.
    AlarmEvent big = fullEvent(PERIOD_YEAR);
    big.hours = 123;
    big.baseDay = 100;
    EventRow row = eventToRow(big);
    EXPECT_STREQ(row.time, "123:05");
    AlarmEvent back = eventFromRow(row);
    EXPECT_EQ(back.hours, 12);
    EXPECT_EQ(back.minutes, 0);  // characters 3 and 4 read ":0"
    EXPECT_EQ(back.baseDay, 10);

    // Leading digits only; no digits give 0; short texts end the reading.
    back = eventFromRow(rowOf(2, "7:x5", "", "Quarter", "9"));
    EXPECT_EQ(back.hours, 7);
    EXPECT_EQ(back.minutes, 5);  // character 3 is '5'
    EXPECT_EQ(back.baseDay, 9);
    EXPECT_EQ(back.baseMonth, 0);

    back = eventFromRow(rowOf(2, "ab:cd", "", "Month", "x1"));
    EXPECT_EQ(back.hours, 0);
    EXPECT_EQ(back.minutes, 0);
    EXPECT_EQ(back.baseDay, 0);

    back = eventFromRow(rowOf(2, "", "", "Day", "++"));
    EXPECT_EQ(back.hours, 0);
    EXPECT_EQ(back.minutes, 0);
    EXPECT_EQ(back.days[0], 1);
    EXPECT_EQ(back.days[1], 1);
    EXPECT_EQ(back.days[2], 0);
}

TEST(EventRows, UnterminatedTextsStayInsideTheirBuffers)
{
    EventRow row{};
    row.stateImage = 2;
    std::memset(row.time, '1', TEXT_SIZE);
    std::memset(row.description, 'q', TEXT_SIZE);
    std::memset(row.periodName, 'Y', TEXT_SIZE);
    std::memset(row.periodInfo, '+', TEXT_SIZE);
    AlarmEvent back = eventFromRow(row);
    EXPECT_EQ(back.hours, 11);
    EXPECT_EQ(back.minutes, 11);
    EXPECT_EQ(std::strlen(back.description), static_cast<std::size_t>(TEXT_SIZE - 1));
    EXPECT_EQ(back.period, PERIOD_DAY);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(back.days[k], 1) << k;
}
