// The tests' clock shifter: a program started by the harness sees the local
// time the test chose, and sees it move when the test moves it.
#include <gtest/gtest.h>

#include "support/test_clock.h"

namespace {

long long secondsOfDay(const SYSTEMTIME& st) { return st.wHour * 3600LL + st.wMinute * 60 + st.wSecond; }

TEST(TestClock, ProgramSeesTheChosenTimeJumpBackAndForthAndRunInRealTime)
{
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 15, 7, 29, 55)));
    SYSTEMTIME now, later;
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, 20270315);
    EXPECT_EQ(now.wDayOfWeek, 1);  // a Monday
    EXPECT_NEAR(secondsOfDay(now), 7 * 3600 + 29 * 60 + 55, 1);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2028, 2, 29, 23, 59, 58)));
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, 20280229);
    EXPECT_NEAR(secondsOfDay(now), 23 * 3600 + 59 * 60 + 58, 1);
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(1999, 12, 31, 12, 0, 0)));
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 1999);
    EXPECT_NEAR(secondsOfDay(now), 12 * 3600, 1);
    Sleep(1100);
    GetLocalTime(&later);
    EXPECT_GE(secondsOfDay(later) - secondsOfDay(now), 1);
    EXPECT_LE(secondsOfDay(later) - secondsOfDay(now), 2);
}

}  // namespace
