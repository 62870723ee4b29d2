// The background and face painters, read back pixel by pixel.
#include <gtest/gtest.h>

#include "face/background_painter_win.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"  // fillFaceDayNames
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

using facetest::Canvas;

constexpr COLORREF UNTOUCHED = RGB(0x12, 0x34, 0x56);
constexpr COLORREF RED = RGB(255, 0, 0);
constexpr int W = 321, H = 80;

class FacePainter : public facetest::FaceWindowTest {
protected:
    // Over white, the red channel tells how much white shows.
    int whiteness(int type, int x, int y)
    {
        app.backgroundType = type, app.colorBase = 0x00FF0000, app.colorBorder = DEFAULT_COLOR_BORDER;
        Canvas canvas(W, H, UNTOUCHED);
        paintBackground(canvas.dc(), W, H);
        return GetRValue(canvas.at(x, y));
    }
};

TEST_F(FacePainter, SolidIsExactlyTheBaseInsideTheBorderRingAndUnknownIsSoft)
{
    Canvas solid(W, H, UNTOUCHED), soft(W, H, UNTOUCHED), unknown(W, H, UNTOUCHED);
    app.colorBase = DEFAULT_COLOR_BASE, app.colorBorder = DEFAULT_COLOR_BORDER;
    for (auto [type, canvas] : {std::pair{0, &solid}, {1, &soft}, {7, &unknown}})
        app.backgroundType = type, paintBackground(canvas->dc(), W, H);
    int wrong = 0, softDiffers = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool ring = x == 0 || y == 0 || x == W - 1 || y == H - 1;
            wrong += solid.at(x, y) != (ring ? DEFAULT_COLOR_BORDER : DEFAULT_COLOR_BASE);
            softDiffers += soft.at(x, y) != unknown.at(x, y);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(softDiffers, 0);
    EXPECT_NE(soft.at(W / 2, H / 2), solid.at(W / 2, H / 2));
}

TEST_F(FacePainter, GradientAndGlassRunOppositeWaysAndGlassHasAnInsetBand)
{
    const int x = W / 2;
    EXPECT_NEAR(whiteness(2, x, 1), 191, 12);  // about a quarter blue over white
    EXPECT_LT(whiteness(2, x, H - 2), 16);
    EXPECT_LT(whiteness(3, x, 14), 60);
    EXPECT_GT(whiteness(3, x, H - 2), 150);
    // The band covers rows 2..11 from column 2 to the fourth from the right,
    // fading downwards; around it the blue shows.
    for (int y : {2, 11}) {
        SCOPED_TRACE(y);
        EXPECT_TRUE(whiteness(3, 1, y) < 40 && whiteness(3, 2, y) > 100);
        EXPECT_TRUE(whiteness(3, W - 4, y) > 100 && whiteness(3, W - 3, y) < 40);
    }
    EXPECT_TRUE(whiteness(3, x, 1) < 40 && whiteness(3, x, 2) > 200);
    EXPECT_GT(whiteness(3, x, 11), whiteness(3, x, 12) + 30);
}

// Red digits wholly inside a white Solid face; grey shadow only when asked.
TEST_F(FacePainter, RedDigitsAndAShadowOnlyWhenAskedFor)
{
    fillFaceDayNames();
    app.backgroundType = 0, app.colorBase = RGB(255, 255, 255), app.colorBorder = 0, app.colorText = 0x000000FF;
    ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 18, 58, 8)));
    const int width = measureFaceWidth();
    ASSERT_GT(width, 200) << "is the face font installed?";
    placeWindow(100, 100, width, H);
    paintBackground(app.backgroundDC, width, H);
    int red[2] = {}, shadow[2] = {};
    for (int shaded : {0, 1}) {
        app.showShadow = shaded;
        Canvas canvas(width + 20, H + 20, UNTOUCHED);
        paintFace(canvas.dc());
        for (int y = 1; y < H - 1; ++y)
            for (int x = 1; x < width - 1; ++x) {
                COLORREF c = canvas.at(x, y);
                int r = GetRValue(c);
                red[shaded] += c == RED;
                shadow[shaded] += r == GetGValue(c) && r == GetBValue(c) && r > 150 && r < 235;
                if (y < 3 || y >= H - 3)
                    EXPECT_NE(c, RED) << "digit cut at row " << y;
            }
        // Exactly the client area is copied.
        EXPECT_TRUE(canvas.at(width - 1, H - 1) == 0 && canvas.at(width, 10) == UNTOUCHED &&
                    canvas.at(10, H) == UNTOUCHED);
    }
    EXPECT_GT(red[0], 1000);
    EXPECT_EQ(shadow[0], 0);
    EXPECT_GT(shadow[1], 300);
    EXPECT_NEAR(red[1], red[0], red[0] / 10);  // the digits cover their shadow
}

}  // namespace
