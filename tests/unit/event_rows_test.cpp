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
    const int weekdays[7] = {0, 1, 1, 1, 1, 1, 0};
    std::memcpy(e.days, weekdays, sizeof weekdays);
    e.baseDay = 15;
    e.baseMonth = 3;
    e.baseHours = 1;
    e.baseMinutes = 2;
    e.periodHours = 3;
    e.periodMinutes = 4;
    return e;
}

// The same alarm with only the fields its period keeps.
AlarmEvent keptPart(AlarmEvent e)
{
    e.baseHours = e.baseMinutes = e.periodHours = e.periodMinutes = 0;
    if (e.period != PERIOD_DAY)
        std::memset(e.days, 0, sizeof e.days);
    if (e.period == PERIOD_DAY)
        e.baseDay = 0;
    if (e.period == PERIOD_DAY || e.period == PERIOD_MONTH)
        e.baseMonth = 0;
    return e;
}

bool sameEvent(const AlarmEvent& a, const AlarmEvent& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

EventRow rowOf(const char* time, const char* periodName, const char* periodInfo)
{
    EventRow row{};
    row.stateImage = STATE_IMAGE_CHECKED;
    std::strcpy(row.time, time);
    std::strcpy(row.periodName, periodName);
    std::strcpy(row.periodInfo, periodInfo);
    return row;
}

}  // namespace

TEST(EventRows, EachPeriodShowsItsTextsAndKeepsItsFields)
{
    struct Case {
        int period;
        const char* name;
        const char* info;
    } cases[] = {
        {PERIOD_DAY, "Day", "-+++++-"},
        {PERIOD_MONTH, "Month", "15"},
        {PERIOD_QUARTER, "Quarter", "15:03"},
        {PERIOD_YEAR, "Year", "15:03"},
    };
    for (const Case& c : cases) {
        AlarmEvent event = fullEvent(c.period);
        EventRow row = eventToRow(event);
        EXPECT_EQ(row.stateImage, STATE_IMAGE_CHECKED);
        EXPECT_STREQ(row.time, "07:05");
        EXPECT_STREQ(row.description, "Tea");
        EXPECT_STREQ(row.periodName, c.name);
        EXPECT_STREQ(row.periodInfo, c.info);
        EXPECT_TRUE(sameEvent(eventFromRow(row), keptPart(event))) << c.name;
    }
}

TEST(EventRows, SmallValuesArePaddedAndComeBack)
{
    AlarmEvent month = fullEvent(PERIOD_MONTH);
    month.isOn = 0;
    month.baseDay = 7;
    month.hours = 0;
    month.minutes = 0;
    EventRow row = eventToRow(month);
    EXPECT_EQ(row.stateImage, STATE_IMAGE_UNCHECKED);
    EXPECT_STREQ(row.time, "00:00");
    EXPECT_STREQ(row.periodInfo, "07");
    EXPECT_TRUE(sameEvent(eventFromRow(row), keptPart(month)));

    AlarmEvent noDays = fullEvent(PERIOD_DAY);
    std::memset(noDays.days, 0, sizeof noDays.days);
    row = eventToRow(noDays);
    EXPECT_STREQ(row.periodInfo, "-------");
    EXPECT_TRUE(sameEvent(eventFromRow(row), keptPart(noDays)));
}

TEST(EventRows, LongestDescriptionComesBackWhole)
{
    AlarmEvent e = fullEvent(PERIOD_YEAR);
    std::string text(TEXT_SIZE - 1, 'd');
    text.back() = 'Z';
    std::strcpy(e.description, text.c_str());
    EXPECT_EQ(std::string(eventFromRow(eventToRow(e)).description), text);
}

TEST(EventRows, UnknownPeriodNameReadsAsDay)
{
    // Names compare case-sensitively, so "month" is not Month.
    for (const char* name : {"month", "Weekly", ""}) {
        AlarmEvent back = eventFromRow(rowOf("08:30", name, "+-+----"));
        EXPECT_EQ(back.period, PERIOD_DAY) << name;
        EXPECT_EQ(back.days[0] + back.days[2], 2) << name;
        EXPECT_EQ(back.days[1], 0) << name;
    }
}

TEST(EventRows, DamagedTextsAreReadByPosition)
{
    // Three-digit values do not survive: two characters are read.
    AlarmEvent big = fullEvent(PERIOD_YEAR);
    big.hours = 123;
    big.baseDay = 100;
    AlarmEvent back = eventFromRow(eventToRow(big));  // "123:05", "100:03"
    EXPECT_EQ(back.hours, 12);
    EXPECT_EQ(back.minutes, 0);  // characters 3 and 4 read ":0"
    EXPECT_EQ(back.baseDay, 10);
    EXPECT_EQ(back.baseMonth, 0);

    // Leading digits only; none give 0; a short text ends the reading.
    back = eventFromRow(rowOf("7:x5", "Quarter", "9"));
    EXPECT_EQ(back.hours, 7);
    EXPECT_EQ(back.minutes, 5);
    EXPECT_EQ(back.baseDay, 9);
    EXPECT_EQ(back.baseMonth, 0);
    back = eventFromRow(rowOf("ab:cd", "Month", "x1"));
    EXPECT_EQ(back.hours + back.minutes + back.baseDay, 0);
    back = eventFromRow(rowOf("", "Day", "++"));
    EXPECT_EQ(back.days[0] + back.days[1], 2);
    EXPECT_EQ(back.days[2], 0);
}

TEST(EventRows, UnterminatedTextsStayInsideTheirBuffers)
{
    EventRow row{};
    row.stateImage = STATE_IMAGE_CHECKED;
    std::memset(row.time, '1', TEXT_SIZE);
    std::memset(row.description, 'q', TEXT_SIZE);
    std::memset(row.periodName, 'Y', TEXT_SIZE);
    std::memset(row.periodInfo, '+', TEXT_SIZE);
    AlarmEvent back = eventFromRow(row);
    EXPECT_EQ(back.hours, 11);
    EXPECT_EQ(std::strlen(back.description), static_cast<std::size_t>(TEXT_SIZE - 1));
    EXPECT_EQ(back.period, PERIOD_DAY);
    EXPECT_EQ(back.days[6], 1);
}
