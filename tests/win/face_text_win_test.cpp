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
    // Each read happens within the second the clock was set to.
    std::wstring textAt(int hour, int second, int forMeasure = 0)
    {
        EXPECT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, hour, 5, second)));
        return getFaceText(forMeasure);
    }
};

TEST_F(FaceTextWin, TimeDayAndDateInTheUsersFormat)
{
    ASSERT_EQ(GetUserDefaultLCID(), 0x409u) << "the expected texts are those of en-US";
    fillFaceDayNames();
    app.showSeconds = 0, app.showDayOfWeek = 0, app.showDate = 0, app.flashDelimiter = 0;
    EXPECT_EQ(textAt(14, 9), L"2:05 PM");
    app.showDayOfWeek = 1, app.showDate = 1;
    EXPECT_EQ(textAt(14, 9), L"2:05 PM  Wed 3/17/2027");
    app.showSeconds = 1, app.showDayOfWeek = 0, app.showDate = 0;
    EXPECT_EQ(textAt(9, 30, 1), L"11:05:30 PM");  // measured at hour 23
    EXPECT_EQ(textAt(9, 30, 0), L"9:05:30 AM");
    app.flashDelimiter = 1;
    EXPECT_EQ(textAt(14, 9), L"2 05 09 PM");
    EXPECT_EQ(textAt(14, 10), L"2:05:10 PM");
}

}  // namespace
