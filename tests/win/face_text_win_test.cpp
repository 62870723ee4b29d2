// The face line from the real clock and locale. The harness runs Wine with
// the English (United States) locale: "h:mm:ss tt" and "M/d/yyyy".
#include <gtest/gtest.h>

#include <string>

#include "face/face_text_win.h"
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

class FaceTextWin : public facetest::FaceTest {
protected:
    void SetUp() override
    {
        FaceTest::SetUp();
        ASSERT_EQ(GetUserDefaultLCID(), 0x409u) << "the expected texts are those of en-US";
        fillFaceDayNames();
        app.showSeconds = 0;
        app.showDayOfWeek = 0;
        app.showDate = 0;
        app.flashDelimiter = 0;
    }

    // Each read happens within the second the clock was set to.
    std::wstring textAt(int hour, int minute, int second, int forMeasure = 0)
    {
        EXPECT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, hour, minute, second)));
        return getFaceText(forMeasure);
    }
};

TEST_F(FaceTextWin, TimeInTheUsersFormat)
{
    EXPECT_EQ(textAt(14, 5, 9), L"2:05 PM");
    app.showSeconds = 1;
    EXPECT_EQ(textAt(14, 5, 9), L"2:05:09 PM");
}

TEST_F(FaceTextWin, DayAndDateFollowTheTime)
{
    app.showDayOfWeek = 1;
    EXPECT_EQ(textAt(14, 5, 9), L"2:05 PM  Wed");
    app.showDate = 1;
    EXPECT_EQ(textAt(14, 5, 9), L"2:05 PM  Wed 3/17/2027");
    app.showDayOfWeek = 0;
    EXPECT_EQ(textAt(14, 5, 9), L"2:05 PM  3/17/2027");
}

TEST_F(FaceTextWin, MeasuringUsesHour23)
{
    app.showSeconds = 1;
    EXPECT_EQ(textAt(9, 15, 30, 1), L"11:15:30 PM");
    EXPECT_EQ(textAt(9, 15, 30, 0), L"9:15:30 AM");
}

TEST_F(FaceTextWin, SeparatorBlinksWithTheSeconds)
{
    app.showSeconds = 1;
    app.flashDelimiter = 1;
    EXPECT_EQ(textAt(14, 5, 9), L"2 05 09 PM");
    EXPECT_EQ(textAt(14, 5, 10), L"2:05:10 PM");
}

}  // namespace
