#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "face/face_text.h"

namespace {

// A stand-in for the user's locale; the composer takes plain function
// pointers, so the tests steer it through these.
std::u16string separator = u":";
bool twelveHour = false;
bool dottedDate = false;

std::u16string ascii(const char* s)
{
    return std::u16string(s, s + std::char_traits<char>::length(s));
}

std::u16string fakeTime(const LocalTime& t, bool withSeconds)
{
    char buf[64];
    const char* sep = separator == u":" ? ":" : separator == u"." ? "." : "h";
    int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
    std::snprintf(buf, sizeof buf, "%d%s%02d", hour, sep, t.minute);
    std::u16string text = ascii(buf);
    if (withSeconds) {
        std::snprintf(buf, sizeof buf, "%s%02d", sep, t.second);
        text += ascii(buf);
    }
    return twelveHour ? text + (t.hour < 12 ? u" AM" : u" PM") : text;
}

std::u16string fakeDate(const LocalTime& t)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, dottedDate ? "%02d.%02d.%04d" : "%d/%d/%04d",
                  dottedDate ? t.day : t.month, dottedDate ? t.month : t.day, t.year);
    return ascii(buf);
}

std::u16string fakeSeparator() { return separator; }

class FaceText : public ::testing::Test {
protected:
    void SetUp() override { separator = u":", twelveHour = false, dottedDate = false; }
    std::u16string compose(int second, int forMeasure = 0)
    {
        t.second = second;
        return composeFaceText(settings, t, forMeasure, {fakeTime, fakeDate, fakeSeparator},
                               englishDayNames());
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
    settings.showDayOfWeek = 0;
    settings.showSeconds = 1;
    EXPECT_EQ(compose(9), u"14:05:09  3/17/2027");

    settings.showSeconds = 0;
    t.hour = 9;
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
    separator = u".";
    dottedDate = true;
    settings.showSeconds = 0;
    settings.showDate = 1;
    EXPECT_EQ(compose(8), u"14.05  17.03.2027");
    EXPECT_EQ(compose(59), u"14 05  17 03 2027");

    // Only the first character: the date keeps the second.
    separator = u"h/";
    dottedDate = false;
    EXPECT_EQ(compose(1), u"14 05  3/17/2027");
}

TEST_F(FaceText, AnOverlongLineIsCutTo259Characters)
{
    static const std::u16string longDate(300, u'8');
    FaceLocale verbose{fakeTime, [](const LocalTime&) { return longDate; }, fakeSeparator};
    settings.showDate = 1;
    std::u16string text = composeFaceText(settings, t, 0, verbose, englishDayNames());
    ASSERT_EQ(text.size(), 259u);
    EXPECT_EQ(text.substr(0, 7), u"14:05  ");
}

}  // namespace
