#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "face/face_text.h"

namespace {

std::u16string ascii(const char* s)
{
    return std::u16string(s, s + std::char_traits<char>::length(s));
}

// Stand-ins for the user's locale. Which one a test uses is set through
// these, since the composer takes plain function pointers.
std::u16string separator = u":";
bool twelveHour = false;
bool dottedDate = false;

std::u16string fakeTime(const LocalTime& t, bool withSeconds)
{
    char buf[64];
    const char* sep = separator == u":" ? ":" : separator == u"." ? "." : "h";
    int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
    if (withSeconds)
        std::snprintf(buf, sizeof buf, "%d%s%02d%s%02d", hour, sep, t.minute, sep, t.second);
    else
        std::snprintf(buf, sizeof buf, "%d%s%02d", hour, sep, t.minute);
    std::u16string text = ascii(buf);
    if (twelveHour)
        text += t.hour < 12 ? u" AM" : u" PM";
    return text;
}

std::u16string fakeDate(const LocalTime& t)
{
    char buf[64];
    if (dottedDate)
        std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
    else
        std::snprintf(buf, sizeof buf, "%d/%d/%04d", t.month, t.day, t.year);
    return ascii(buf);
}

std::u16string fakeSeparator()
{
    return separator;
}

const FaceLocale fakeLocale{fakeTime, fakeDate, fakeSeparator};

class FaceText : public ::testing::Test {
protected:
    void SetUp() override
    {
        separator = u":";
        twelveHour = false;
        dottedDate = false;
    }

    std::u16string compose(const LocalTime& t, int forMeasure = 0)
    {
        return composeFaceText(settings, t, forMeasure, fakeLocale, englishDayNames());
    }

    Settings settings{};
};

// Wednesday 17 March 2027, 14:05:09.
LocalTime wednesdayAfternoon()
{
    LocalTime t;
    t.year = 2027;
    t.month = 3;
    t.day = 17;
    t.dayOfWeek = 3;
    t.hour = 14;
    t.minute = 5;
    t.second = 9;
    return t;
}

TEST_F(FaceText, TheFourShapesOfTheLine)
{
    LocalTime t = wednesdayAfternoon();
    EXPECT_EQ(compose(t), u"14:05");

    settings.showDayOfWeek = 1;
    EXPECT_EQ(compose(t), u"14:05  Wed");

    settings.showDayOfWeek = 0;
    settings.showDate = 1;
    EXPECT_EQ(compose(t), u"14:05  3/17/2027");

    settings.showDayOfWeek = 1;
    EXPECT_EQ(compose(t), u"14:05  Wed 3/17/2027");

    settings.showSeconds = 1;
    EXPECT_EQ(compose(t), u"14:05:09  Wed 3/17/2027");
}

TEST_F(FaceText, MeasuringForcesTheWidestHourAndKeepsTheRest)
{
    LocalTime t = wednesdayAfternoon();
    t.hour = 9;
    t.minute = 15;
    settings.showDate = 1;
    EXPECT_EQ(compose(t, 1), u"23:15  3/17/2027");
    EXPECT_EQ(compose(t, 0), u"9:15  3/17/2027");

    twelveHour = true;
    EXPECT_EQ(compose(t, 1), u"11:15 PM  3/17/2027");
    EXPECT_EQ(compose(t, 0), u"9:15 AM  3/17/2027");
}

TEST_F(FaceText, SeparatorBlinksOnOddSecondsOnly)
{
    settings.flashDelimiter = 1;
    settings.showSeconds = 1;
    LocalTime t = wednesdayAfternoon();
    t.second = 9;
    std::u16string odd = compose(t);
    EXPECT_EQ(odd, u"14 05 09");
    t.second = 10;
    EXPECT_EQ(compose(t), u"14:05:10");

    settings.flashDelimiter = 0;
    t.second = 9;
    EXPECT_EQ(compose(t), u"14:05:09");
}

TEST_F(FaceText, BlinkingReachesTheDateWhenItSharesTheSeparator)
{
    separator = u".";
    dottedDate = true;
    settings.flashDelimiter = 1;
    settings.showDayOfWeek = 1;
    settings.showDate = 1;
    LocalTime t = wednesdayAfternoon();
    std::u16string steady = u"14.05  Wed 17.03.2027";
    t.second = 8;
    EXPECT_EQ(compose(t), steady);
    t.second = 59;
    std::u16string blinking = compose(t);
    EXPECT_EQ(blinking, u"14 05  Wed 17 03 2027");
    EXPECT_EQ(blinking.size(), steady.size());
}

TEST_F(FaceText, OnlyTheSeparatorsFirstCharacterBlinks)
{
    // A two-character separator whose second character also appears in the
    // date: the date keeps it.
    separator = u"h/";
    settings.flashDelimiter = 1;
    settings.showDate = 1;
    LocalTime t = wednesdayAfternoon();
    t.second = 1;
    EXPECT_EQ(compose(t), u"14 05  3/17/2027");
}

TEST_F(FaceText, AnOverlongLineIsCutTo259Characters)
{
    static std::u16string longDate;
    longDate = std::u16string(300, u'8');
    FaceLocale verbose{fakeTime, [](const LocalTime&) { return longDate; }, fakeSeparator};
    settings.showDate = 1;
    std::u16string text =
        composeFaceText(settings, wednesdayAfternoon(), 0, verbose, englishDayNames());
    ASSERT_EQ(text.size(), 259u);
    EXPECT_EQ(text.substr(0, 7), u"14:05  ");
}

}  // namespace
