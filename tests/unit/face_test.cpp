#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <tuple>

#include "face/background_style.h"
#include "face/face_geometry.h"
#include "face/face_runs.h"
#include "face/face_text.h"
#include "face/placement.h"
#include "app/full_screen.h"

static std::u16string separator, date;  // the stand-in locale's; its time reads "H<sep>MM[<sep>SS]"
static std::u16string compose(const Settings& s, int hour, int second, int forMeasure = 0)
{
    auto time = [](const LocalTime& t, bool withSeconds) {
        char text[32], sep = char(separator[0]);
        int n = std::snprintf(text, sizeof text, "%d%c%02d%c%02d", t.hour, sep, t.minute, sep, t.second);
        return std::u16string(text, text + n - (withSeconds ? 0 : 3));
    };
    auto blank = [](char16_t c) { return std::u16string(c == u'.' ? u"" : u" "); };  // "." takes no width
    FaceLocale locale{time, [](const LocalTime&) { return date; }, [] { return separator; }, blank};
    return composeFaceText(s, {2027, 3, 3, 17, hour, 5, second}, forMeasure, locale, englishDayNames());
}

TEST(FaceText, TheShapesOfTheLineTheMeasuringHourAndTheBlinkingSeparator)
{
    Settings s{};
    separator = u":", date = u"3/17/2027";
    EXPECT_EQ(compose(s, 14, 9), u"14:05");
    s.showDayOfWeek = s.showDate = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14:05  Wed 3/17/2027");
    s.showDayOfWeek = 0, s.showSeconds = 1;
    EXPECT_EQ(compose(s, 9, 9), u"9:05:09  3/17/2027");
    EXPECT_EQ(compose(s, 9, 9, 1), u"23:05:09  3/17/2027");
    s.flashDelimiter = 1;
    EXPECT_EQ(compose(s, 14, 9), u"14 05 09  3/17/2027");
    EXPECT_EQ(compose(s, 14, 10), u"14:05:10  3/17/2027");
    EXPECT_EQ(compose(s, 14, 9, 1), u"23:05:09  3/17/2027");  // measured as it stands when not blinking
    separator = u".", date = u"17.3.2027";  // fi-FI: the full stop goes, as wide as nothing
    EXPECT_EQ(compose(s, 14, 9), u"140509  1732027");
    separator = u":", date = u"\u200E17\u061C/3\u200F/2027";  // direction marks, as ar-EG's format carries them, go
    EXPECT_EQ(compose(s, 14, 10), u"14:05:10  17/3/2027");
    separator = u"h/", date = std::u16string(300, u'8');  // only the first character blinks; the line is cut to 259
    EXPECT_EQ(compose(s, 14, 1), u"14 05 01  " + std::u16string(249, u'8'));
}

TEST(FaceText, TheFaceIsMeasuredAgainOnlyWhenItsTextWouldMeasureDifferently)
{
    Settings s{};
    s.showDate = s.showSeconds = 1;
    separator = u":", date = u"4/9/2031";
    const std::u16string at = faceWidthKey(compose(s, 9, 58, 1), 50);
    for (int second : {59, 1})  // the time runs, and the separator blinks
        EXPECT_EQ(faceWidthKey(compose(s, 23, second, 1), 50), at) << second;
    EXPECT_NE(faceWidthKey(compose(s, 9, 58, 1), 51), at);
    date = u"4/10/2031";  // midnight
    const std::u16string midnight = faceWidthKey(compose(s, 0, 0, 1), 50);
    EXPECT_NE(midnight, at);
    separator = u".";  // the user's format changed, to one of the same length
    EXPECT_NE(faceWidthKey(compose(s, 0, 0, 1), 50), midnight);
}

// A face font of printable ASCII and the no-break space: ar-EG's and ko-KR's designators, and a character
// beyond the BMP, go to the fallback font, in the line's own order.
TEST(FaceRuns, WhatTheFaceFontLacksIsDrawnInTheFallbackInTheLinesOrder)
{
    const std::vector<GlyphRange> face{{0x20, 0x7E}, {0xA0, 0xA0}};
    auto has = [&face](char32_t c) { return hasGlyphIn(face, c); };
    using R = std::vector<FaceRun>;
    constexpr FaceRunFont F = FaceRunFont::Face, B = FaceRunFont::Fallback;
    EXPECT_EQ(splitFaceRuns(u"2:05:10 \u0645 17/3/2027", has), (R{{F, u"2:05:10 "}, {B, u"\u0645"}, {F, u" 17/3/2027"}}));
    EXPECT_EQ(splitFaceRuns(u"\uC624\uD6C4 2:05", has), (R{{B, u"\uC624\uD6C4"}, {F, u" 2:05"}}));
    EXPECT_EQ(splitFaceRuns(u"1\U0001F552\u00A0\u007F", has), (R{{F, u"1"}, {B, u"\U0001F552"}, {F, u"\u00A0"}, {B, u"\u007F"}}));
    EXPECT_EQ(splitFaceRuns(u"", has), R{});
    EXPECT_FALSE(hasGlyphIn(face, 0x1F) || hasGlyphIn(face, 0x9F) || hasGlyphIn(face, 0xA1));
}

TEST(FaceGeometry, SizesAndAlphaByPercentTheWorkAreaAndTheDefaultCorner)
{
    // At 96 dpi the sizes of a face drawn for 96 dpi alone; at 144 half as large again, truncated last.
    const std::array<int, 11> sizes[] = {  // percent, dpi: height, em, layout, margin, border, inset, box; alpha
        {100, 96, 80, 79, 89, 24, 1, 2, 1024, 80, 255}, {63, 96, 50, 49, 55, 24, 1, 2, 1024, 80, 160},
        {100, 144, 120, 118, 133, 36, 1, 3, 1536, 120, 255}, {63, 144, 75, 74, 83, 36, 1, 3, 1536, 120, 160},
        {50, 192, 80, 79, 89, 48, 2, 4, 2048, 160, 127}};
    const double shadows[] = {4.0, 2.52, 6.0, 3.78, 4.0};  // the shadow's offset, the one fractional size
    const double* shadow = shadows;
    for (auto [p, dpi, height, em, layout, margin, border, inset, boxW, boxH, alpha] : sizes) {
        EXPECT_EQ(std::tuple(faceHeight(p, dpi), faceFontEm(p, dpi), layoutHeight(height, p, dpi),
                             faceWidthForMeasured(300.9f, dpi) - 300, faceBorderWidth(dpi), glassBandInset(dpi),
                             measureWidth(dpi), measureHeight(dpi), opacityAlpha(p)),
                  std::tuple(height, em, layout, margin, border, inset, boxW, boxH, alpha)) << p << " % " << dpi;
        EXPECT_DOUBLE_EQ(shadowOffset(p, dpi), *shadow++) << p << " % " << dpi;
    }
    const ScreenRect work{0, 0, 800, 570};
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {10, 0, 20, 10}), (ScreenRect{}));  // touching
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, -5, 15, 5}), (ScreenRect{5, 0, 10, 5}));
    EXPECT_EQ(defaultFaceRect(work, 200, 40), (ScreenRect{600, 530, 800, 570}));
    // Resized: a face on the right or bottom edge stays on it, any other keeps its top-left corner.
    EXPECT_EQ(resizedFaceRect({600, 530, 800, 570}, work, 260, 40), (ScreenRect{540, 530, 800, 570}));
    EXPECT_EQ(resizedFaceRect({600, 490, 800, 570}, work, 180, 80), (ScreenRect{620, 490, 800, 570}));
    EXPECT_EQ(resizedFaceRect({599, 529, 799, 569}, work, 260, 80), (ScreenRect{599, 529, 859, 609}));
}

TEST(Placement, TheClockStaysOnTheMonitorHoldingMostOfItOrGoesToItsCornerOrThePrimarysIfOnNone)
{
    const MonitorArea primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true, 96};  // taskbar at the bottom
    const MonitorArea right{{1920, 0, 4480, 1440}, {1920, 0, 4480, 1400}, false, 144};
    const MonitorArea above{{0, -1080, 1920, 0}, {0, -1080, 1920, 0}, false, 120};
    const MonitorArea left{{-1280, -200, 0, 824}, {-1280, -160, 0, 824}, false, 96};  // taskbar at its top
    const std::vector<MonitorArea> sideBySide{right, primary}, stacked{primary, above}, negative{left, primary},
        unplugged{primary};
    const struct {
        const std::vector<MonitorArea>& monitors;
        ScreenRect clock;
        int home;  // index into monitors
        bool moves;
        ScreenRect corner;  // the home's default corner, for a face 4 heights wide at the home's DPI
    } cases[] = {
        {sideBySide, {4000, 1300, 4316, 1380}, 0, false, {4000, 1280, 4480, 1400}},  // wholly on the second
        {sideBySide, {1800, 500, 2116, 580}, 0, true, {4000, 1280, 4480, 1400}},     // straddling, mostly right
        {sideBySide, {1700, 500, 2016, 580}, 1, true, {1600, 960, 1920, 1040}},      // straddling, mostly left
        {sideBySide, {100, 1050, 416, 1130}, 1, true, {1600, 960, 1920, 1040}},      // on the taskbar and below
        {stacked, {100, -500, 416, -420}, 1, false, {1520, -100, 1920, 0}},
        {stacked, {100, -30, 416, 50}, 0, true, {1600, 960, 1920, 1040}},
        {negative, {-1000, -180, -684, -100}, 0, true, {-320, 744, 0, 824}},  // under the left one's taskbar
        {negative, {-1000, 700, -684, 780}, 0, false, {-320, 744, 0, 824}},
        {negative, {-1, -1, 315, 79}, 1, true, {1600, 960, 1920, 1040}},  // never placed: the primary
        {unplugged, {4000, 1300, 4316, 1380}, 0, true, {1600, 960, 1920, 1040}},  // on no monitor
        {unplugged, {1604, 960, 1920, 1040}, 0, false, {1600, 960, 1920, 1040}}};
    for (const auto& c : cases) {
        const MonitorArea* home = homeMonitor(c.monitors, c.clock);
        const int h = faceHeight(100, home->dpi);
        EXPECT_EQ(std::tuple(home - c.monitors.data(), mustMoveOnScreen(c.monitors, c.clock)), std::tuple(c.home, c.moves))
            << c.clock.left << "," << c.clock.top;
        EXPECT_EQ(defaultFaceRect(home->work, 4 * h, h), c.corner) << c.clock.left << "," << c.clock.top;
    }
    EXPECT_EQ(homeMonitor({}, {0, 0, 1, 1}), nullptr);
    // Full screen: the whole of the clock's monitor, taskbar included, by one window or one reaching past it.
    const ScreenRect onPrimary{1604, 960, 1920, 1040}, onRight{4000, 1300, 4316, 1380};
    const std::tuple<ScreenRect, ScreenRect, bool> covers[] = {
        {onPrimary, primary.bounds, true}, {onPrimary, {-8, -8, 1928, 1088}, true}, {onPrimary, {0, 0, 4480, 1440}, true},
        {onPrimary, primary.work, false}, {onPrimary, {0, 0, 1920, 1079}, false}, {onPrimary, right.bounds, false},
        {onRight, right.bounds, true}, {onRight, primary.bounds, false}};
    for (const auto& [clock, window, covered] : covers)
        EXPECT_EQ(coversHomeMonitor(sideBySide, clock, window), covered) << window.left << "," << window.bottom;
}

TEST(FullScreen, TheClockStepsAsideForACoverAndComesBackOnlyIfItWasItsOwnHiding)
{
    FullScreenHiding state{};
    const std::tuple<bool, bool, FullScreenStep> looks[] = {  // covered, clock visible: what the clock does
        {false, true, FULL_SCREEN_STAY}, {true, true, FULL_SCREEN_HIDE}, {true, false, FULL_SCREEN_STAY},  // moved
        {false, false, FULL_SCREEN_SHOW},
        {true, false, FULL_SCREEN_STAY}, {false, false, FULL_SCREEN_STAY},  // hidden by the user: stays hidden
        {true, true, FULL_SCREEN_HIDE}, {true, true, FULL_SCREEN_STAY},  // shown by the user over the cover
        {false, true, FULL_SCREEN_STAY}, {true, true, FULL_SCREEN_HIDE}};
    int look = 0;
    for (const auto& [covered, visible, step] : looks)
        EXPECT_EQ(nextFullScreenStep(state, covered, visible), step) << "look " << look++;
}

TEST(BackgroundStyle, EachTypesGroundFillsAndBorderAtTwoSizes)
{
    const ColorRef base = 0x00DEC8CD, border = 0x006A3B05;  // 0x00BBGGRR
    BackgroundStyle solid = describeBackground(0, base, border, 321, 80, 96);
    EXPECT_EQ(std::tuple(solid.clearArgb, solid.fillCount, solid.border.width, solid.border.height, solid.border.argb),
              std::tuple(0xFFCDC8DEu, 0, 320, 79, 0xFF053B6Au));
    const std::pair<int, std::vector<GradientBand>> cases[] = {  // Soft, and any unknown type; Gradient; Glass
        {1, {{0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}, {0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48}}},
        {7, {{0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}, {0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48}}},
        {2, {{0, 0x40CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}}},
        {3, {{0, 0xFFCDC8DE, 80, 0x40CDC8DE, 0, 0, 321, 80}, {0, 0xFFFFFFFF, 13, 0x40FFFFFF, 2, 2, 316, 10}}},
        {3, {{0, 0xFFCDC8DE, 40, 0x40CDC8DE, 0, 0, 200, 40}, {0, 0xFFFFFFFF, 7, 0x40FFFFFF, 2, 2, 195, 4}}}};
    for (const auto& [type, fills] : cases) {
        BackgroundStyle s = describeBackground(type, base, border, fills[0].width, fills[0].height, 96);
        ASSERT_EQ(std::size_t(s.fillCount), fills.size()) << type;
        for (std::size_t i = 0; i < fills.size(); ++i)
            EXPECT_TRUE(s.clearArgb == OPAQUE_WHITE && !std::memcmp(&s.fills[i], &fills[i], sizeof fills[i])) << type;
    }
}
