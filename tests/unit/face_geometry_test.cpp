#include <gtest/gtest.h>

#include "face/face_geometry.h"

namespace {

TEST(FaceMetrics, SizesFollowTheScaleTruncated)
{
    struct Case { int scale, height, em, reach, alpha; double shadow; };
    const Case cases[] = {
        {100, 80, 79, 9, 255, 4.0},
        {75, 60, 59, 6, 191, 3.0},
        {50, 40, 39, 4, 127, 2.0},
        {63, 50, 49, 5, 160, 2.52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        EXPECT_EQ(faceHeight(c.scale), c.height);
        EXPECT_EQ(faceFontEm(c.scale), c.em);
        EXPECT_EQ(layoutHeight(c.height, c.scale), c.height + c.reach);
        EXPECT_DOUBLE_EQ(shadowOffset(c.scale), c.shadow);
        EXPECT_EQ(opacityAlpha(c.scale), c.alpha);  // opacity runs on the same scale
    }
    EXPECT_EQ(faceWidthForMeasured(297.96f), 321);
    EXPECT_EQ(faceWidthForMeasured(0.0f), 24);  // no font: nothing measured
}

const ScreenRect desktop{0, 0, 1280, 1024};

TEST(WorkArea, OnlyATaskbarSpanningAWholeSideIsTakenAway)
{
    struct Case { ScreenRect bar, work; };
    // Taskbars usually reach a little past the screen's edges.
    const Case cases[] = {
        {{-2, 994, 1282, 1026}, {0, 0, 1280, 994}},   {{-2, -2, 1282, 30}, {0, 30, 1280, 1024}},
        {{-2, -2, 60, 1026}, {60, 0, 1280, 1024}},    {{1220, -2, 1282, 1026}, {0, 0, 1220, 1024}},
        {{100, 994, 600, 1024}, desktop},             // short of the whole bottom
        {{0, 1100, 1280, 1130}, desktop},             // hidden below the screen
        {{0, 400, 1280, 430}, desktop},               // touches no edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bar.left << "," << c.bar.top);
        EXPECT_EQ(workAreaOf(desktop, &c.bar), c.work);
    }
    EXPECT_EQ(workAreaOf(desktop, nullptr), desktop);
    ScreenRect everything{-10, -10, 2000, 2000};
    EXPECT_TRUE(isEmptyRect(workAreaOf(desktop, &everything)));
}

TEST(Placement, DefaultCornerAndMovingWhenAnyPixelLeavesTheWorkArea)
{
    ScreenRect work{0, 0, 1280, 994};
    EXPECT_EQ(defaultFaceRect(work, 200, 40), (ScreenRect{1080, 954, 1280, 994}));

    EXPECT_FALSE(mustMoveOnScreen({959, 914, 1280, 994}, work));  // flush with the corner
    EXPECT_TRUE(mustMoveOnScreen({-1, 100, 320, 180}, work));
    EXPECT_TRUE(mustMoveOnScreen({100, -1, 421, 79}, work));
    EXPECT_TRUE(mustMoveOnScreen({960, 100, 1281, 180}, work));
    EXPECT_TRUE(mustMoveOnScreen({100, 915, 421, 995}, work));  // one row over the taskbar
}

TEST(RectSemantics, IntersectionOfDisjointOrEmptyRectsIsAllZero)
{
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {10, 0, 20, 10}), (ScreenRect{0, 0, 0, 0}));  // touching
    EXPECT_EQ(intersectRects({5, 5, 5, 9}, {0, 0, 10, 10}), (ScreenRect{0, 0, 0, 0}));    // empty
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, -5, 15, 5}), (ScreenRect{5, 0, 10, 5}));
}

}  // namespace
