// The clock face: its line of text, sizes and place, and background styles.
#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <tuple>

#include "face/background_style.h"
#include "face/face_geometry.h"
#include "face/face_text.h"

static std::u16string separator;  // the stand-in locale's, as each test sets it

// The stand-in locale: "H<sep>MM[<sep>SS]" with the separator's first character, and a fixed date.
static std::u16string timeText(const LocalTime& t, bool withSeconds)
{
    char text[32];
    const char sep = char(separator[0]);
    int n = std::snprintf(text, sizeof text, "%d%c%02d%c%02d", t.hour, sep, t.minute, sep, t.second);
    return std::u16string(text, text + n - (withSeconds ? 0 : 3));
}

static std::u16string compose(const Settings& settings, int hour, int second, int forMeasure = 0,
                              std::u16string (*date)(const LocalTime&) = [](const LocalTime&) { return std::u16string(u"3/17/2027"); })
{
    return composeFaceText(settings, LocalTime{2027, 3, 3, 17, hour, 5, second}, forMeasure,
                           {timeText, date, [] { return separator; }}, englishDayNames());
}

TEST(FaceText, TheShapesOfTheLineAndTheMeasuringHour)
{
    separator = u":";
    Settings s{};
    EXPECT_EQ(compose(s, 14, 9), u"14:05");
    s.showDayOfWeek = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14:05  Wed");
    s.showDate = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14:05  Wed 3/17/2027");
    s.showDayOfWeek = 0, s.showSeconds = 1;
    EXPECT_EQ(compose(s, 9, 9), u"9:05:09  3/17/2027");
    EXPECT_EQ(compose(s, 9, 9, 1), u"23:05:09  3/17/2027");
    std::u16string line = compose(s, 14, 9, 0, [](const LocalTime&) { return std::u16string(300, u'8'); });
    EXPECT_EQ(line, u"14:05:09  " + std::u16string(249, u'8'));  // cut to 259
}

TEST(FaceText, TheSeparatorsFirstCharacterBlinksOnOddSecondsWhenAsked)
{
    Settings s{};
    s.showSeconds = s.showDate = 1;
    separator = u":";
    EXPECT_EQ(compose(s, 14, 9), u"14:05:09  3/17/2027");
    s.flashDelimiter = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14 05 09  3/17/2027");
    EXPECT_EQ(compose(s, 14, 10), u"14:05:10  3/17/2027");
    separator = u"/";  // a date sharing the separator blinks with it
    EXPECT_EQ(compose(s, 14, 59), u"14 05 59  3 17 2027");
    separator = u"h/";  // only the first character
    EXPECT_EQ(compose(s, 14, 1), u"14 05 01  3/17/2027");
}

TEST(FaceGeometry, SizesAndAlphaFollowThePercentagesTruncated)
{
    const std::tuple<int, int, int, int, int, double> cases[] = {  // percent, height, em, layout, alpha, shadow
        {100, 80, 79, 89, 255, 4.0}, {75, 60, 59, 66, 191, 3.0}, {63, 50, 49, 55, 160, 2.52}, {50, 40, 39, 44, 127, 2.0}};
    for (const auto& [percent, height, em, layout, alpha, shadow] : cases) {
        EXPECT_EQ(std::tuple(faceHeight(percent), faceFontEm(percent), layoutHeight(height, percent), opacityAlpha(percent)),
                  std::tuple(height, em, layout, alpha)) << percent;
        EXPECT_DOUBLE_EQ(shadowOffset(percent), shadow) << percent;
    }
    EXPECT_EQ(faceWidthForMeasured(297.96f), 321);
}

TEST(FaceGeometry, OnlyATaskbarSpanningAWholeSideIsTakenFromTheWorkArea)
{
    const ScreenRect desktop{0, 0, 1280, 1024};
    const std::pair<ScreenRect, ScreenRect> cases[] = {  // taskbars usually reach a little past the screen's edges
        {{-2, 994, 1282, 1026}, {0, 0, 1280, 994}}, {{-2, -2, 1282, 30}, {0, 30, 1280, 1024}},
        {{-2, -2, 60, 1026}, {60, 0, 1280, 1024}}, {{1220, -2, 1282, 1026}, {0, 0, 1220, 1024}},
        {{100, 994, 600, 1024}, desktop}, {{0, 1100, 1280, 1130}, desktop}, {{0, 400, 1280, 430}, desktop},
        {{-10, -10, 2000, 2000}, {0, 0, 0, 0}}};
    for (const auto& [bar, work] : cases)
        EXPECT_EQ(workAreaOf(desktop, &bar), work) << bar.left << "," << bar.top;
    EXPECT_EQ(workAreaOf(desktop, nullptr), desktop);
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {10, 0, 20, 10}), (ScreenRect{0, 0, 0, 0}));  // touching
    EXPECT_EQ(intersectRects({5, 5, 5, 9}, {0, 0, 10, 10}), (ScreenRect{0, 0, 0, 0}));    // empty
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, -5, 15, 5}), (ScreenRect{5, 0, 10, 5}));
}

TEST(FaceGeometry, DefaultPlaceIsTheBottomRightCornerAndAnyPixelOutsideMoves)
{
    const ScreenRect work{0, 0, 1280, 994};
    EXPECT_EQ(defaultFaceRect(work, 200, 40), (ScreenRect{1080, 954, 1280, 994}));
    EXPECT_FALSE(mustMoveOnScreen({959, 914, 1280, 994}, work));
    for (ScreenRect out : {ScreenRect{-1, 100, 320, 180}, {100, -1, 421, 79}, {960, 100, 1281, 180}, {100, 915, 421, 995}})
        EXPECT_TRUE(mustMoveOnScreen(out, work)) << out.left << "," << out.top;
}

static auto fields(const GradientBand& f) { return std::tuple(f.y0, f.argb0, f.y1, f.argb1, f.x, f.y, f.width, f.height); }

TEST(BackgroundStyle, EachTypesGroundFillsAndBorder)
{
    const ColorRef base = 0x00DEC8CD, border = 0x006A3B05;  // 0x00BBGGRR
    BackgroundStyle solid = describeBackground(0, base, border, 321, 80);
    EXPECT_EQ(std::tuple(solid.clearArgb, solid.fillCount, solid.border.x, solid.border.y, solid.border.width,
                         solid.border.height, solid.border.argb), std::tuple(0xFFCDC8DEu, 0, 0, 0, 320, 79, 0xFF053B6Au));
    const GradientBand soft[] = {{0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}, {0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48}},
                       gradient[] = {{0, 0x40CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}},
                       glass[] = {{0, 0xFFCDC8DE, 80, 0x40CDC8DE, 0, 0, 321, 80}, {0, 0xFFFFFFFF, 13, 0x40FFFFFF, 2, 2, 316, 10}};
    const std::pair<int, std::span<const GradientBand>> cases[] = {{1, soft}, {-1, soft}, {4, soft}, {2, gradient}, {3, glass}};
    for (const auto& [type, fills] : cases) {
        BackgroundStyle s = describeBackground(type, base, border, 321, 80);
        ASSERT_EQ(std::size_t(s.fillCount), fills.size()) << type;
        EXPECT_EQ(s.clearArgb, OPAQUE_WHITE) << type;
        for (std::size_t i = 0; i < fills.size(); ++i)
            EXPECT_EQ(fields(s.fills[i]), fields(fills[i])) << type << " fill " << i;
    }
    for (int type = 0; type < 4; ++type)  // every fill stays within its gradient and the face
        for (int height : {40, 47, 80}) {
            BackgroundStyle s = describeBackground(type, base, border, height * 4, height);
            for (const GradientBand& f : std::span(s.fills, std::size_t(s.fillCount)))
                EXPECT_TRUE(f.y >= f.y0 && f.y + f.height <= f.y1 && f.height > 0 && f.x >= 0 && f.x + f.width <= height * 4)
                    << "type " << type << " height " << height;
        }
}
