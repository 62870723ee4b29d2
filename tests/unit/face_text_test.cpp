#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "face/face_text.h"

namespace {

// A stand-in for the user's locale; the composer takes plain function
// pointers, so the tests steer it through these.
std::u16string separator = u":";
bool twelveHour = false, dottedDate = false;

std::u16string number(int n, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, n);
    return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

std::u16string fakeTime(const LocalTime& t, bool withSeconds)
{
    const std::u16string sep = separator.substr(0, 1);  // as the locale's own time format has it
    std::u16string text = number(twelveHour ? (t.hour + 11) % 12 + 1 : t.hour, 1) + sep + number(t.minute, 2) +
                          (withSeconds ? sep + number(t.second, 2) : u"");
    return twelveHour ? text + (t.hour < 12 ? u" AM" : u" PM") : text;
}

std::u16string fakeDate(const LocalTime& t)
{
    if (dottedDate)
        return number(t.day, 2) + u"." + number(t.month, 2) + u"." + number(t.year, 4);
    return number(t.month, 1) + u"/" + number(t.day, 1) + u"/" + number(t.year, 4);
}

std::u16string fakeSeparator() { return separator; }

class FaceText : public ::testing::Test {
protected:
    void SetUp() override { separator = u":", twelveHour = false, dottedDate = false; }
    std::u16string compose(int second, int forMeasure = 0)
    {
        t.second = second;
        return composeFaceText(settings, t, forMeasure, {fakeTime, fakeDate, fakeSeparator}, englishDayNames());
    }
    Settings settings{};
    LocalTime t{2027, 3, 3, 17, 14, 5, 9};  // Wednesday 17 March 2027, 14:05:09
};

TEST_F(FaceText, TheShapesOfTheLineAndTheMeasuringHour)
{
    EXPECT_EQ(compose(9), u"14:05");
    settings.showDayOfWeek = 1;
    EXPECT_EQ(compose(9), u"14:05  Wed");
    settings.showDate = 1;
    EXPECT_EQ(compose(9), u"14:05  Wed 3/17/2027");
    settings.showDayOfWeek = 0, settings.showSeconds = 1;
    EXPECT_EQ(compose(9), u"14:05:09  3/17/2027");

    settings.showSeconds = 0, t.hour = 9;
    EXPECT_EQ(compose(9, 1), u"23:05  3/17/2027");
    twelveHour = true;
    EXPECT_EQ(compose(9, 1), u"11:05 PM  3/17/2027");
    EXPECT_EQ(compose(9, 0), u"9:05 AM  3/17/2027");
}

TEST_F(FaceText, TheSeparatorsFirstCharacterBlinksOnOddSeconds)
{
    settings.showSeconds = 1;
    EXPECT_EQ(compose(9), u"14:05:09");
    settings.flashDelimiter = 1;
    EXPECT_EQ(compose(9), u"14 05 09");
    EXPECT_EQ(compose(10), u"14:05:10");

    // A date sharing the separator blinks with it.
    separator = u".", dottedDate = true;
    settings.showSeconds = 0, settings.showDate = 1;
    EXPECT_EQ(compose(8), u"14.05  17.03.2027");
    EXPECT_EQ(compose(59), u"14 05  17 03 2027");

    // Only the first character: the date keeps the second.
    separator = u"h/", dottedDate = false;
    EXPECT_EQ(compose(1), u"14 05  3/17/2027");
}

TEST_F(FaceText, AnOverlongLineIsCutTo259Characters)
{
    FaceLocale verbose{fakeTime, [](const LocalTime&) { return std::u16string(300, u'8'); }, fakeSeparator};
    settings.showDate = 1;
    std::u16string text = composeFaceText(settings, t, 0, verbose, englishDayNames());
    ASSERT_EQ(text.size(), 259u);
    EXPECT_EQ(text.substr(0, 7), u"14:05  ");
}

}  // namespace
