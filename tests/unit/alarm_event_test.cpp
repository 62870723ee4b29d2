#include <gtest/gtest.h>

#include "alarms/alarm_event.h"

TEST(Calendar, GregorianLeapYears)
{
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(2023));
    EXPECT_FALSE(isLeapYear(1900));
    EXPECT_FALSE(isLeapYear(2100));
    EXPECT_TRUE(isLeapYear(2000));
    EXPECT_TRUE(isLeapYear(2400));
    EXPECT_EQ(daysInMonth(2000, 2), 29);
    EXPECT_EQ(daysInMonth(2100, 2), 28);
    EXPECT_EQ(daysInMonth(2027, 4), 30);
    EXPECT_EQ(daysInMonth(2027, 12), 31);
}
