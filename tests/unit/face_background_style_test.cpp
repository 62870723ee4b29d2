#include <gtest/gtest.h>

#include "face/background_style.h"

namespace {

constexpr ColorRef BASE = 0x00DEC8CD;    // red 205, green 200, blue 222
constexpr ColorRef BORDER = 0x006A3B05;  // red 5, green 59, blue 106

void expectFill(const GradientBand& f, int y0, Argb argb0, int y1, Argb argb1, int x, int y,
                int width, int height)
{
    EXPECT_EQ(f.y0, y0);
    EXPECT_EQ(f.argb0, argb0);
    EXPECT_EQ(f.y1, y1);
    EXPECT_EQ(f.argb1, argb1);
    EXPECT_EQ(f.x, x);
    EXPECT_EQ(f.y, y);
    EXPECT_EQ(f.width, width);
    EXPECT_EQ(f.height, height);
}

TEST(BackgroundStyle, SolidIsTheBaseColourAndTheBorder)
{
    BackgroundStyle s = describeBackground(0, BASE, BORDER, 321, 80);
    EXPECT_EQ(s.clearArgb, 0xFFCDC8DEu);
    EXPECT_EQ(s.fillCount, 0);
    EXPECT_EQ(s.border.argb, 0xFF053B6Au);
    EXPECT_EQ(s.border.x, 0);
    EXPECT_EQ(s.border.y, 0);
    EXPECT_EQ(s.border.width, 320);
    EXPECT_EQ(s.border.height, 79);
}

TEST(BackgroundStyle, SoftDarkensDownwardsUnderAFadingHighlight)
{
    BackgroundStyle s = describeBackground(1, BASE, BORDER, 321, 80);
    EXPECT_EQ(s.clearArgb, OPAQUE_WHITE);
    ASSERT_EQ(s.fillCount, 2);
    expectFill(s.fills[0], 0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80);
    expectFill(s.fills[1], 0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48);

    s = describeBackground(1, BASE, BORDER, 200, 40);
    expectFill(s.fills[1], 0, 0xC0FFFFFF, 24, 0x08FFFFFF, 0, 0, 200, 24);
}

TEST(BackgroundStyle, GradientRunsFromPaleToFull)
{
    BackgroundStyle s = describeBackground(2, 0x00FF0000, BORDER, 321, 80);
    EXPECT_EQ(s.clearArgb, OPAQUE_WHITE);
    ASSERT_EQ(s.fillCount, 1);
    expectFill(s.fills[0], 0, 0x400000FF, 80, 0xFF0000FF, 0, 0, 321, 80);
}

TEST(BackgroundStyle, GlassRunsFromFullToPaleUnderAnInsetBand)
{
    BackgroundStyle s = describeBackground(3, BASE, BORDER, 321, 80);
    ASSERT_EQ(s.fillCount, 2);
    expectFill(s.fills[0], 0, 0xFFCDC8DE, 80, 0x40CDC8DE, 0, 0, 321, 80);
    expectFill(s.fills[1], 0, 0xFFFFFFFF, 13, 0x40FFFFFF, 2, 2, 316, 10);

    s = describeBackground(3, BASE, BORDER, 200, 40);
    expectFill(s.fills[1], 0, 0xFFFFFFFF, 7, 0x40FFFFFF, 2, 2, 195, 4);
}

TEST(BackgroundStyle, UnknownTypesPaintAsSoft)
{
    BackgroundStyle soft = describeBackground(1, BASE, BORDER, 321, 80);
    for (int type : {-1, 4, 7}) {
        SCOPED_TRACE(type);
        BackgroundStyle s = describeBackground(type, BASE, BORDER, 321, 80);
        EXPECT_EQ(s.clearArgb, soft.clearArgb);
        ASSERT_EQ(s.fillCount, soft.fillCount);
        for (int i = 0; i < s.fillCount; ++i)
            expectFill(s.fills[i], soft.fills[i].y0, soft.fills[i].argb0, soft.fills[i].y1,
                       soft.fills[i].argb1, soft.fills[i].x, soft.fills[i].y, soft.fills[i].width,
                       soft.fills[i].height);
    }
}

TEST(BackgroundStyle, EveryFillStaysWithinItsBrushAndTheFace)
{
    for (int type = 0; type < 4; ++type)
        for (int height : {40, 47, 60, 80}) {
            int width = height * 4;
            BackgroundStyle s = describeBackground(type, BASE, BORDER, width, height);
            for (int i = 0; i < s.fillCount; ++i) {
                const GradientBand& f = s.fills[i];
                SCOPED_TRACE(testing::Message() << "type " << type << " height " << height);
                EXPECT_GE(f.y, f.y0);
                EXPECT_LE(f.y + f.height, f.y1);
                EXPECT_GE(f.x, 0);
                EXPECT_LE(f.x + f.width, width);
                EXPECT_GT(f.height, 0);
            }
        }
}

}  // namespace
