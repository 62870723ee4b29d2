// Measuring the face, sizing the clock window, and its buffers.
#include <gtest/gtest.h>

#include <cwchar>

#include "face/background_painter_win.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

class FaceLayout : public facetest::FaceWindowTest {
protected:
    void SetUp() override
    {
        FaceWindowTest::SetUp();
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 9, 15, 30)));
        app.showSeconds = 0, app.showDayOfWeek = 0, app.showDate = 0, app.flashDelimiter = 0;
        app.backgroundType = 0, app.colorBase = DEFAULT_COLOR_BASE, app.colorBorder = DEFAULT_COLOR_BORDER;
    }
    static int width(int scale, const wchar_t* text, const wchar_t* family = FACE_FONT_FAMILY)
    {
        return measureTextWidth(app.frameDC, family, scale, text);
    }
};

TEST_F(FaceLayout, TheFaceFontMeasuresLikeNarrowSevenSegmentDigitsAtHour23)
{
    // A digit is 0.49 em wide: 38.7 pixels at the 79-pixel em of scale 100.
    EXPECT_NEAR(width(100, L"88888888") - width(100, L"8888"), 4 * 38.7, 2);
    // Four digits and a colon of 0.2 em (171 pixels) plus GDI+'s room around a line.
    int full = width(100, L"23:59");
    EXPECT_NEAR(full, 198 + 24, 10);
    EXPECT_NEAR(width(50, L"23:59") - 24, (full - 24) * 39 / 79, 6);
    EXPECT_EQ(width(100, L"23 59"), full);  // a blinking separator keeps the width
    EXPECT_EQ(width(100, L"23:59", L"No Such Face Family"), 24);
    // 09:15 reads "9:15 AM"; the face is sized for "11:15 PM".
    EXPECT_EQ(measureFaceWidth(), width(100, L"11:15 PM"));
    EXPECT_GT(measureFaceWidth(), width(100, L"9:15 AM"));
}

TEST_F(FaceLayout, TheLongestLineFitsOnOneLineOfTheMeasuringBox)
{
    // The widest line an en-US user can ask for.
    const wchar_t* longest = L"12:59:59 PM  Wed 12/31/2027";
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(app.frameDC, &graphics);
    FaceFont face = createFaceFont(FACE_FONT_FAMILY, 100);
    ASSERT_NE(face.font, nullptr) << "is the face font installed?";
    RectF box(0.0f, 0.0f, REAL(MEASURE_WIDTH), REAL(MEASURE_HEIGHT)), line{}, digit{};
    INT fitted = 0, lines = 0;
    GdipMeasureString(graphics, longest, -1, face.font, &box, NULL, &line, &fitted, &lines);
    GdipMeasureString(graphics, L"8", -1, face.font, &box, NULL, &digit, NULL, NULL);
    deleteFaceFont(face);
    GdipDeleteGraphics(graphics);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(fitted, INT(wcslen(longest)));
    EXPECT_FLOAT_EQ(line.Height, digit.Height);
    EXPECT_TRUE(line.Width > 800.0f && line.Width < 960.0f) << line.Width;
}

TEST_F(FaceLayout, ResizeKeepsTheTopLeftCorner)
{
    placeWindow(200, 150, 50, 50);
    app.scale = 75;
    resizeFace();
    RECT r = windowRect();
    EXPECT_TRUE(r.left == 200 && r.top == 150 && r.bottom - r.top == 60);
    EXPECT_EQ(r.right - r.left, measureFaceWidth());
}

TEST_F(FaceLayout, BuffersGrowToAFaceWiderThanThem)
{
    HGDIOBJ startFrame = GetCurrentObject(app.frameDC, OBJ_BITMAP);
    ensureDrawingBuffers(300, 80);  // fits: nothing changes
    EXPECT_EQ(GetCurrentObject(app.frameDC, OBJ_BITMAP), startFrame);
    ensureDrawingBuffers(1100, 80);
    EXPECT_TRUE(app.bufferWidth == 1100 && app.bufferHeight == 80);
    // Both buffers grew: the whole of the wide face reaches the window.
    placeWindow(0, 0, 1100, 80);
    paintBackground(app.backgroundDC, 1100, 80);
    facetest::Canvas canvas(1100, 80, RGB(0x12, 0x34, 0x56));
    paintFace(canvas.dc());
    EXPECT_EQ(canvas.at(1099, 40), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(canvas.at(1090, 40), DEFAULT_COLOR_BASE);

    // Applying settings grows buffers too small for the face, and repaints.
    HDC window = GetDC(app.hwndMain);
    DeleteObject(SelectObject(app.frameDC, CreateCompatibleBitmap(window, 200, 40)));
    DeleteObject(SelectObject(app.backgroundDC, CreateCompatibleBitmap(window, 200, 40)));
    ReleaseDC(app.hwndMain, window);
    app.bufferWidth = 200, app.bufferHeight = 40;
    placeWindow(300, 200, 10, 10);
    applyFaceSettings();
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    ASSERT_GT(client.right, 200);
    EXPECT_TRUE(app.bufferWidth == client.right && app.bufferHeight == 80);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right - 1, 79), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right - 10, 60), DEFAULT_COLOR_BASE);
}

}  // namespace
