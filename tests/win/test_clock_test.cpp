// The tests' clock shifter: a program started by the harness sees the local
// time the test chose, and sees it move when the test moves it.
#include <gtest/gtest.h>

#include "support/test_clock.h"

namespace {

long long secondsOfDay(const SYSTEMTIME& st)
{
    return st.wHour * 3600LL + st.wMinute * 60 + st.wSecond;
}

TEST(TestClock, ProgramSeesTheChosenTimeAndSeesItMove)
{
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 29, 55)));
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2027);
    EXPECT_EQ(now.wMonth, 3);
    EXPECT_EQ(now.wDay, 15);
    EXPECT_EQ(now.wDayOfWeek, 1);  // a Monday
    EXPECT_EQ(now.wHour, 7);
    EXPECT_EQ(now.wMinute, 29);
    EXPECT_NEAR(now.wSecond, 55, 1);

    // Jump forward while running, then back into the past.
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2028, 2, 29, 23, 59, 58)));
    GetLocalTime(&now);
    EXPECT_EQ(now.wMonth, 2);
    EXPECT_EQ(now.wDay, 29);
    EXPECT_NEAR(secondsOfDay(now), 23 * 3600 + 59 * 60 + 58, 1);

    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(1999, 12, 31, 12, 0, 0)));
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 1999);
    EXPECT_NEAR(secondsOfDay(now), 12 * 3600, 1);
}

TEST(TestClock, ShiftedClockRunsInRealTime)
{
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 1, 1, 10, 0, 0)));
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    Sleep(1100);
    GetLocalTime(&after);
    long long elapsed = secondsOfDay(after) - secondsOfDay(before);
    EXPECT_GE(elapsed, 1);
    EXPECT_LE(elapsed, 2);
}

}  // namespace
