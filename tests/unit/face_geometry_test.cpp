#include <gtest/gtest.h>

#include "face/face_geometry.h"

namespace {

TEST(FaceMetrics, SizesFollowTheScaleTruncated)
{
    struct Case {
        int scale, height, em, reach;
        double shadow;
    };
    const Case cases[] = {
        {100, 80, 79, 9, 4.0},
        {75, 60, 59, 6, 3.0},
        {50, 40, 39, 4, 2.0},
        {63, 50, 49, 5, 2.52},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        EXPECT_EQ(faceHeight(c.scale), c.height);
        EXPECT_EQ(faceFontEm(c.scale), c.em);
        EXPECT_EQ(layoutHeight(c.height, c.scale), c.height + c.reach);
        EXPECT_DOUBLE_EQ(shadowOffset(c.scale), c.shadow);
    }
}

TEST(FaceMetrics, OpacityAndWidth)
{
    EXPECT_EQ(opacityAlpha(100), 255);
    EXPECT_EQ(opacityAlpha(75), 191);
    EXPECT_EQ(opacityAlpha(50), 127);

    EXPECT_EQ(faceWidthForMeasured(297.96f), 321);
    EXPECT_EQ(faceWidthForMeasured(0.0f), 24);  // no font: nothing measured
    EXPECT_EQ(faceWidthForMeasured(1024.0f), 1048);
}

const ScreenRect desktop{0, 0, 1280, 1024};

TEST(WorkArea, TaskbarOnEachEdgeIsTakenAway)
{
    // Taskbars usually reach a little past the screen's edges.
    ScreenRect bottom{-2, 994, 1282, 1026};
    ScreenRect top{-2, -2, 1282, 30};
    ScreenRect left{-2, -2, 60, 1026};
    ScreenRect right{1220, -2, 1282, 1026};
    EXPECT_EQ(workAreaOf(desktop, &bottom), (ScreenRect{0, 0, 1280, 994}));
    EXPECT_EQ(workAreaOf(desktop, &top), (ScreenRect{0, 30, 1280, 1024}));
    EXPECT_EQ(workAreaOf(desktop, &left), (ScreenRect{60, 0, 1280, 1024}));
    EXPECT_EQ(workAreaOf(desktop, &right), (ScreenRect{0, 0, 1220, 1024}));
    EXPECT_EQ(workAreaOf(desktop, nullptr), desktop);
}

TEST(WorkArea, OnlyATaskbarSpanningAWholeSideCounts)
{
    ScreenRect shortBar{100, 994, 600, 1024};   // does not span the bottom
    ScreenRect offScreen{0, 1100, 1280, 1130};  // hidden below the screen
    ScreenRect middle{0, 400, 1280, 430};       // spans the width, touches no edge
    ScreenRect everything{-10, -10, 2000, 2000};
    EXPECT_EQ(workAreaOf(desktop, &shortBar), desktop);
    EXPECT_EQ(workAreaOf(desktop, &offScreen), desktop);
    EXPECT_EQ(workAreaOf(desktop, &middle), desktop);
    EXPECT_TRUE(isEmptyRect(workAreaOf(desktop, &everything)));
}

TEST(Placement, DefaultIsTheBottomRightCornerOfTheWorkArea)
{
    ScreenRect right{1220, 0, 1280, 1024};
    ScreenRect face = defaultFaceRect(workAreaOf(desktop, &right), 321, 80);
    EXPECT_EQ(face, (ScreenRect{1220 - 321, 1024 - 80, 1220, 1024}));

    ScreenRect bottom{0, 994, 1280, 1024};
    face = defaultFaceRect(workAreaOf(desktop, &bottom), 200, 40);
    EXPECT_EQ(face, (ScreenRect{1080, 954, 1280, 994}));
}

TEST(Placement, AWindowMovesWhenAnyPixelLeavesTheWorkArea)
{
    ScreenRect work{0, 0, 1280, 994};
    EXPECT_FALSE(mustMoveOnScreen({100, 100, 421, 180}, work));
    EXPECT_FALSE(mustMoveOnScreen({959, 914, 1280, 994}, work));  // flush with the corner
    EXPECT_FALSE(mustMoveOnScreen({0, 0, 321, 80}, work));

    EXPECT_TRUE(mustMoveOnScreen({-1, -1, 320, 79}, work));  // never placed
    EXPECT_TRUE(mustMoveOnScreen({-1, 100, 320, 180}, work));
    EXPECT_TRUE(mustMoveOnScreen({100, -1, 421, 79}, work));
    EXPECT_TRUE(mustMoveOnScreen({960, 100, 1281, 180}, work));
    EXPECT_TRUE(mustMoveOnScreen({100, 915, 421, 995}, work));  // one row over the taskbar
    EXPECT_TRUE(mustMoveOnScreen({3000, 100, 3321, 180}, work));  // another monitor
}

TEST(RectSemantics, IntersectionOfDisjointOrEmptyRectsIsAllZero)
{
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {20, 20, 30, 30}), (ScreenRect{0, 0, 0, 0}));
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {10, 0, 20, 10}), (ScreenRect{0, 0, 0, 0}));
    EXPECT_EQ(intersectRects({5, 5, 5, 9}, {0, 0, 10, 10}), (ScreenRect{0, 0, 0, 0}));
    EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, -5, 15, 5}), (ScreenRect{5, 0, 10, 5}));
}

}  // namespace
