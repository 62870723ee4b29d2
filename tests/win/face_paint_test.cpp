// The background and face painters, read back pixel by pixel.
#include <gtest/gtest.h>

#include "face/background_painter_win.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

using facetest::Canvas;

constexpr COLORREF UNTOUCHED = RGB(0x12, 0x34, 0x56);
constexpr int W = 321;
constexpr int H = 80;

class BackgroundPainter : public facetest::FaceTest {
protected:
    void paint(Canvas& canvas, int type, ColorRef base, ColorRef border)
    {
        app.backgroundType = type;
        app.colorBase = base;
        app.colorBorder = border;
        paintBackground(canvas.dc(), W, H);
    }
};

TEST_F(BackgroundPainter, SolidIsExactlyTheBaseInsideTheBorderRing)
{
    Canvas canvas(W, H, UNTOUCHED);
    paint(canvas, 0, DEFAULT_COLOR_BASE, DEFAULT_COLOR_BORDER);

    int wrongInside = 0, wrongRing = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            COLORREF c = canvas.at(x, y);
            if (x == 0 || y == 0 || x == W - 1 || y == H - 1)
                wrongRing += c != DEFAULT_COLOR_BORDER;
            else
                wrongInside += c != DEFAULT_COLOR_BASE;
        }
    EXPECT_EQ(wrongInside, 0);
    EXPECT_EQ(wrongRing, 0);
    EXPECT_EQ(canvas.at(0, 0), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(canvas.at(W - 1, H - 1), DEFAULT_COLOR_BORDER);
}

constexpr ColorRef PURE_BLUE = 0x00FF0000;

TEST_F(BackgroundPainter, GradientRunsFromPaleBlueDownToAlmostPureBlue)
{
    Canvas canvas(W, H, UNTOUCHED);
    paint(canvas, 2, PURE_BLUE, DEFAULT_COLOR_BORDER);

    // Over white, the red channel tells how much white still shows.
    int x = W / 2;
    for (int y = 2; y < H - 1; ++y)
        EXPECT_LE(GetRValue(canvas.at(x, y)), GetRValue(canvas.at(x, y - 1))) << "row " << y;
    COLORREF top = canvas.at(x, 1);
    COLORREF bottom = canvas.at(x, H - 2);
    EXPECT_NEAR(GetRValue(top), 191, 12);  // about a quarter blue over white
    EXPECT_EQ(GetBValue(top), 255);
    EXPECT_LT(GetRValue(bottom), 16);
    EXPECT_GT(GetBValue(bottom), 240);
    EXPECT_EQ(canvas.at(x, 0), DEFAULT_COLOR_BORDER);
}

TEST_F(BackgroundPainter, GlassRunsTheOtherWayUnderAnInsetWhiteBand)
{
    Canvas canvas(W, H, UNTOUCHED);
    paint(canvas, 3, PURE_BLUE, DEFAULT_COLOR_BORDER);

    int x = W / 2;
    for (int y = 15; y < H - 1; ++y)
        EXPECT_GE(GetRValue(canvas.at(x, y)), GetRValue(canvas.at(x, y - 1))) << "row " << y;
    EXPECT_LT(GetRValue(canvas.at(x, 14)), 60);
    EXPECT_GT(GetRValue(canvas.at(x, H - 2)), 150);

    // The band: rows 2..11, columns 2..W-4, whiter than around it, fading
    // towards its lower edge; the base up there is almost pure blue.
    auto whiteness = [&](int bx, int by) { return int(GetRValue(canvas.at(bx, by))); };
    EXPECT_GT(whiteness(x, 3), 150);
    EXPECT_GT(whiteness(3, 5), 150);
    EXPECT_GT(whiteness(W - 5, 5), 150);
    EXPECT_GT(whiteness(x, 11), whiteness(x, 13) + 30);
    EXPECT_LT(whiteness(x, 1), 40);
    EXPECT_LT(whiteness(1, 5), 40);
    EXPECT_LT(whiteness(W - 2, 5), 40);
    EXPECT_LT(whiteness(x, 13), 60);
}

TEST_F(BackgroundPainter, AnUnknownTypePaintsExactlyAsSoft)
{
    Canvas soft(W, H, UNTOUCHED);
    Canvas unknown(W, H, UNTOUCHED);
    Canvas gradient(W, H, UNTOUCHED);
    paint(soft, 1, DEFAULT_COLOR_BASE, DEFAULT_COLOR_BORDER);
    paint(unknown, 7, DEFAULT_COLOR_BASE, DEFAULT_COLOR_BORDER);
    paint(gradient, 2, DEFAULT_COLOR_BASE, DEFAULT_COLOR_BORDER);
    int differences = 0, differencesFromGradient = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            differences += soft.at(x, y) != unknown.at(x, y);
            differencesFromGradient += soft.at(x, y) != gradient.at(x, y);
        }
    EXPECT_EQ(differences, 0);
    EXPECT_GT(differencesFromGradient, W * H / 2);
}

// The face over a white Solid background, copied into a canvas wider and
// taller than the window.
class FacePainter : public facetest::FaceWindowTest {
protected:
    void SetUp() override
    {
        FaceWindowTest::SetUp();
        fillFaceDayNames();
        app.backgroundType = 0;
        app.colorBase = RGB(255, 255, 255);
        app.colorBorder = RGB(0, 0, 0);
        app.colorText = 0x000000FF;  // red
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 18, 58, 8)));
        sizeWindow(measureFaceWidth(), 80);
        RECT client{};
        GetClientRect(app.hwndMain, &client);
        width = client.right;
        height = client.bottom;
        paintBackground(app.backgroundDC, width, height);
    }

    struct Census {
        int red = 0;     // opaque digit pixels
        int shadow = 0;  // the translucent black over white: grey about 199
        int other = 0;
        int redNearEdges = 0;  // digit pixels in the top or bottom three rows
    };

    Census paintAndCount(Canvas& canvas)
    {
        paintFace(canvas.dc());
        Census census;
        for (int y = 1; y < height - 1; ++y)
            for (int x = 1; x < width - 1; ++x) {
                COLORREF c = canvas.at(x, y);
                int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
                if (c == RGB(255, 0, 0)) {
                    ++census.red;
                    census.redNearEdges += y < 3 || y >= height - 3;
                }
                else if (r == g && g == b && r > 150 && r < 235)
                    ++census.shadow;
                else if (c != RGB(255, 255, 255))
                    ++census.other;
            }
        return census;
    }

    int width = 0;
    int height = 0;
};

TEST_F(FacePainter, DigitsAreOpaqueTextColourWithoutShadow)
{
    ASSERT_GT(width, 200) << "is the face font installed?";
    Canvas canvas(width + 20, height + 20, UNTOUCHED);
    app.showShadow = 0;
    Census census = paintAndCount(canvas);
    EXPECT_GT(census.red, 1000);
    EXPECT_EQ(census.shadow, 0);
    // The digits sit wholly inside the face, none cut off at the bottom.
    EXPECT_EQ(census.redNearEdges, 0);

    // One copy of exactly the client area.
    EXPECT_EQ(canvas.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(width - 1, height - 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(width, 10), UNTOUCHED);
    EXPECT_EQ(canvas.at(10, height), UNTOUCHED);
}

TEST_F(FacePainter, ShadowShowsOnlyWhenAskedFor)
{
    Canvas plain(width, height, UNTOUCHED);
    Canvas shaded(width, height, UNTOUCHED);
    app.showShadow = 0;
    Census without = paintAndCount(plain);
    app.showShadow = 1;
    Census with = paintAndCount(shaded);
    EXPECT_EQ(without.shadow, 0);
    EXPECT_GT(with.shadow, 300);
    // Digits cover their shadow, so they stay as red as before.
    EXPECT_NEAR(with.red, without.red, without.red / 10);
}

}  // namespace
