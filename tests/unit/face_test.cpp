// The clock face: its line of text, its sizes and place, its background.
#include <gtest/gtest.h>

#include <cstdio>
#include <span>
#include <tuple>

#include "face/background_style.h"
#include "face/face_geometry.h"
#include "face/face_text.h"

// A stand-in locale: "H<sep>MM[<sep>SS]" with the separator's first character, and a fixed date.
static std::u16string separator, date;
static std::u16string compose(const Settings& s, int hour, int second, int forMeasure = 0)
{
    auto time = [](const LocalTime& t, bool withSeconds) {
        char text[32], sep = char(separator[0]);
        int n = std::snprintf(text, sizeof text, "%d%c%02d%c%02d", t.hour, sep, t.minute, sep, t.second);
        return std::u16string(text, text + n - (withSeconds ? 0 : 3));
    };
    FaceLocale locale{time, [](const LocalTime&) { return date; }, [] { return separator; }};
    return composeFaceText(s, {2027, 3, 3, 17, hour, 5, second}, forMeasure, locale, englishDayNames());
}

TEST(FaceText, TheShapesOfTheLineTheMeasuringHourAndTheBlinkingSeparator)
{
    Settings s{};
    separator = u":", date = u"3/17/2027";
    EXPECT_EQ(compose(s, 14, 9), u"14:05");
    s.showDayOfWeek = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14:05  Wed");
    s.showDate = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14:05  Wed 3/17/2027");
    s.showDayOfWeek = 0, s.showSeconds = 1;
    EXPECT_EQ(compose(s, 9, 9), u"9:05:09  3/17/2027");
    EXPECT_EQ(compose(s, 9, 9, 1), u"23:05:09  3/17/2027");
    s.flashDelimiter = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14 05 09  3/17/2027");
    EXPECT_EQ(compose(s, 14, 10), u"14:05:10  3/17/2027");
    separator = u"/";  // a date sharing the separator blinks with it
    EXPECT_EQ(compose(s, 14, 59), u"14 05 59  3 17 2027");
    separator = u"h/", date = std::u16string(300, u'8');  // only the first character blinks; the line is cut to 259
    EXPECT_EQ(compose(s, 14, 1), u"14 05 01  " + std::u16string(249, u'8'));
}

TEST(FaceGeometry, SizesAndAlphaByPercentTheWorkAreaAndTheDefaultCorner)
{
    for (auto [percent, height, em, layout, alpha] : {std::array{100, 80, 79, 89, 255}, {63, 50, 49, 55, 160}}) {
        EXPECT_EQ(std::tuple(faceHeight(percent), faceFontEm(percent), layoutHeight(height, percent), opacityAlpha(percent)),
                  std::tuple(height, em, layout, alpha));
        EXPECT_DOUBLE_EQ(shadowOffset(percent), percent * 0.04);
    }
    const ScreenRect desktop{0, 0, 1280, 1024}, work{0, 0, 1280, 994};
    const std::pair<ScreenRect, ScreenRect> bars[] = {  // taskbars reach a little past the screen's edges
        {{-2, 994, 1282, 1026}, work}, {{-2, -2, 1282, 30}, {0, 30, 1280, 1024}}, {{-2, -2, 60, 1026}, {60, 0, 1280, 1024}},
        {{1220, -2, 1282, 1026}, {0, 0, 1220, 1024}}, {{100, 994, 600, 1024}, desktop}, {{0, 1100, 1280, 1130}, desktop},
        {{0, 400, 1280, 430}, desktop}, {{-10, -10, 2000, 2000}, {}}};
    for (const auto& [bar, area] : bars)
        EXPECT_EQ(workAreaOf(desktop, &bar), area) << bar.left << "," << bar.top;
    EXPECT_EQ(workAreaOf(desktop, nullptr), desktop);
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {10, 0, 20, 10}), (ScreenRect{}));  // touching
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, -5, 15, 5}), (ScreenRect{5, 0, 10, 5}));
    EXPECT_EQ(defaultFaceRect(work, 200, 40), (ScreenRect{1080, 954, 1280, 994}));
    EXPECT_FALSE(mustMoveOnScreen({959, 914, 1280, 994}, work));
    for (ScreenRect out : {ScreenRect{-1, 9, 320, 89}, {9, -1, 330, 79}, {960, 9, 1281, 89}, {9, 915, 330, 995}})
        EXPECT_TRUE(mustMoveOnScreen(out, work)) << out.left << "," << out.top;
}

TEST(BackgroundStyle, EachTypesGroundFillsAndBorderWithEveryFillWithinTheFace)
{
    using Band = GradientBand;
    auto fields = [](const Band& f) { return std::tuple(f.y0, f.argb0, f.y1, f.argb1, f.x, f.y, f.width, f.height); };
    const ColorRef base = 0x00DEC8CD, border = 0x006A3B05;  // 0x00BBGGRR
    BackgroundStyle solid = describeBackground(0, base, border, 321, 80);
    EXPECT_EQ(std::tuple(solid.clearArgb, solid.fillCount, solid.border.width, solid.border.height, solid.border.argb),
              std::tuple(0xFFCDC8DEu, 0, 320, 79, 0xFF053B6Au));
    const Band soft[] = {{0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}, {0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48}};
    const Band gradient[] = {{0, 0x40CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}};
    const Band glass[] = {{0, 0xFFCDC8DE, 80, 0x40CDC8DE, 0, 0, 321, 80}, {0, 0xFFFFFFFF, 13, 0x40FFFFFF, 2, 2, 316, 10}};
    for (auto [type, fills] : {std::pair<int, std::span<const Band>>{1, soft}, {7, soft}, {2, gradient}, {3, glass}}) {
        BackgroundStyle s = describeBackground(type, base, border, 321, 80);
        ASSERT_EQ(std::size_t(s.fillCount), fills.size()) << type;
        for (std::size_t i = 0; i < fills.size(); ++i)
            EXPECT_TRUE(s.clearArgb == OPAQUE_WHITE && fields(s.fills[i]) == fields(fills[i])) << type << " fill " << i;
    }
    for (int type = 0; type < 4; ++type)
        for (int height = 40; height <= 80; ++height) {
            BackgroundStyle s = describeBackground(type, base, border, 160, height);
            for (const Band& f : std::span(s.fills, std::size_t(s.fillCount)))
                EXPECT_TRUE(f.y >= f.y0 && f.y + f.height <= f.y1 && f.height > 0 && f.x >= 0 && f.x + f.width <= 160)
                    << type << " " << height;
        }
}
