#include <gtest/gtest.h>

#include <tuple>

#include "face/background_style.h"

namespace {

constexpr ColorRef BASE = 0x00DEC8CD, BORDER = 0x006A3B05;  // stored as 0x00BBGGRR

auto fields(const GradientBand& f) { return std::make_tuple(f.y0, f.argb0, f.y1, f.argb1, f.x, f.y, f.width, f.height); }

TEST(BackgroundStyle, EachTypesGroundFillsAndBorder)
{
    BackgroundStyle solid = describeBackground(0, BASE, BORDER, 321, 80);
    EXPECT_EQ(solid.clearArgb, 0xFFCDC8DEu);
    EXPECT_EQ(solid.fillCount, 0);
    EXPECT_EQ(solid.border.argb, 0xFF053B6Au);
    EXPECT_EQ(std::make_tuple(solid.border.x, solid.border.y, solid.border.width, solid.border.height),
              std::make_tuple(0, 0, 320, 79));

    // Soft darkens downwards under a highlight fading over the upper 60 %.
    BackgroundStyle soft = describeBackground(1, BASE, BORDER, 321, 80);
    EXPECT_EQ(soft.clearArgb, OPAQUE_WHITE);
    ASSERT_EQ(soft.fillCount, 2);
    EXPECT_EQ(fields(soft.fills[0]), fields({0, 0xC0CDC8DE, 80, 0xFFCDC8DE, 0, 0, 321, 80}));
    EXPECT_EQ(fields(soft.fills[1]), fields({0, 0xC0FFFFFF, 48, 0x08FFFFFF, 0, 0, 321, 48}));

    BackgroundStyle gradient = describeBackground(2, 0x00FF0000, BORDER, 321, 80);
    ASSERT_EQ(gradient.fillCount, 1);
    EXPECT_EQ(fields(gradient.fills[0]), fields({0, 0x400000FF, 80, 0xFF0000FF, 0, 0, 321, 80}));

    // Glass runs the other way under a white band inset 2 pixels.
    BackgroundStyle glass = describeBackground(3, BASE, BORDER, 321, 80);
    ASSERT_EQ(glass.fillCount, 2);
    EXPECT_EQ(fields(glass.fills[0]), fields({0, 0xFFCDC8DE, 80, 0x40CDC8DE, 0, 0, 321, 80}));
    EXPECT_EQ(fields(glass.fills[1]), fields({0, 0xFFFFFFFF, 13, 0x40FFFFFF, 2, 2, 316, 10}));
    glass = describeBackground(3, BASE, BORDER, 200, 40);
    EXPECT_EQ(fields(glass.fills[1]), fields({0, 0xFFFFFFFF, 7, 0x40FFFFFF, 2, 2, 195, 4}));

    for (int type : {-1, 4, 7}) {
        SCOPED_TRACE(type);
        BackgroundStyle s = describeBackground(type, BASE, BORDER, 321, 80);
        EXPECT_TRUE(s.clearArgb == soft.clearArgb && s.fillCount == 2);
        EXPECT_TRUE(fields(s.fills[0]) == fields(soft.fills[0]) && fields(s.fills[1]) == fields(soft.fills[1]));
    }
}

TEST(BackgroundStyle, EveryFillStaysWithinItsBrushAndTheFace)
{
    for (int type = 0; type < 4; ++type)
        for (int height : {40, 47, 80}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " height " << height);
            BackgroundStyle s = describeBackground(type, BASE, BORDER, height * 4, height);
            for (int i = 0; i < s.fillCount; ++i) {
                const GradientBand& f = s.fills[i];
                EXPECT_TRUE(f.y >= f.y0 && f.y + f.height <= f.y1 && f.height > 0 && f.x >= 0 && f.x + f.width <= height * 4);
            }
        }
}

}  // namespace
