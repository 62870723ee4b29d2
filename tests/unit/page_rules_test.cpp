#include "settings/page_rules.h"

#include <gtest/gtest.h>

TEST(PageRules, TrackbarShowsOutOfRangeValuesAtTheNearerEnd)
{
    EXPECT_EQ(trackbarPosition(30), 50);
    EXPECT_EQ(trackbarPosition(-5), 50);
    EXPECT_EQ(trackbarPosition(49), 50);
    EXPECT_EQ(trackbarPosition(50), 50);
    EXPECT_EQ(trackbarPosition(73), 73);
    EXPECT_EQ(trackbarPosition(100), 100);
    EXPECT_EQ(trackbarPosition(101), 100);
    EXPECT_EQ(trackbarPosition(120), 100);
}

TEST(PageRules, OnlyPureWhiteIsReplaced)
{
    EXPECT_EQ(storableColor(0xFFFFFF), 0xFEFEFEu);
    EXPECT_EQ(storableColor(0xFFFFFF), 16711422u);
    // Colours next to white, and white's neighbours in each channel, stay.
    for (ColorRef kept : {0xFEFEFEu, 0xFFFFFEu, 0xFEFFFFu, 0xFFFEFFu, 0x000000u, 0xB58153u})
        EXPECT_EQ(storableColor(kept), kept) << std::hex << kept;
}
