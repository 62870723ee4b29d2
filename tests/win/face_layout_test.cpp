// Measuring the face, sizing and placing the clock window, and its buffers.
#include <gtest/gtest.h>

#include <cwchar>

#include "face/background_painter_win.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
using facetest::Canvas;

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The work area worked out with the platform's own SubtractRect.
RECT platformWorkArea()
{
    RECT desktop{}, taskbar{}, work{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    HWND tray = FindWindowA("Shell_TrayWnd", NULL);
    if (!tray)
        return desktop;
    GetWindowRect(tray, &taskbar);
    SubtractRect(&work, &desktop, &taskbar);
    return work;
}

TEST(FaceRects, PortableRectArithmeticMatchesThePlatform)
{
    const RECT screen{0, 0, 1280, 1024};
    const RECT others[] = {
        {-2, 994, 1282, 1026}, {-2, -2, 1282, 30}, {-2, -2, 60, 1026}, {1220, -2, 1282, 1026},
        {100, 994, 600, 1024}, {0, 400, 1280, 430}, {0, 1100, 1280, 1130}, {-5, -5, 2000, 2000},
        {-1, -1, 320, 79},     {959, 914, 1280, 994}, {1280, 0, 1300, 10},
    };
    for (const RECT& other : others) {
        RECT subtracted{}, intersected{};
        SubtractRect(&subtracted, &screen, &other);
        IntersectRect(&intersected, &screen, &other);
        ScreenRect a{screen.left, screen.top, screen.right, screen.bottom};
        ScreenRect b{other.left, other.top, other.right, other.bottom};
        ScreenRect mine = subtractRect(a, b);
        ScreenRect common = intersectRects(a, b);
        SCOPED_TRACE(testing::Message() << other.left << "," << other.top << "," << other.right
                                        << "," << other.bottom);
        if (IsRectEmpty(&subtracted))
            EXPECT_TRUE(isEmptyRect(mine));
        else
            EXPECT_TRUE(sameRect(subtracted, {mine.left, mine.top, mine.right, mine.bottom}));
        EXPECT_TRUE(sameRect(intersected, {common.left, common.top, common.right, common.bottom}));
    }
}

class FaceLayout : public facetest::FaceWindowTest {
protected:
    void SetUp() override
    {
        FaceWindowTest::SetUp();
        ASSERT_TRUE(testclock::setLocalTime(testclock::makeTime(2027, 3, 17, 9, 15, 30)));
        app.showSeconds = 0;
        app.showDayOfWeek = 0;
        app.showDate = 0;
        app.flashDelimiter = 0;
        app.alwaysOnTop = 1;
        app.backgroundType = 0;
        app.colorBase = DEFAULT_COLOR_BASE;
        app.colorBorder = DEFAULT_COLOR_BORDER;
    }

    void placeWindow(int x, int y, int width, int height)
    {
        SetWindowPos(app.hwndMain, NULL, x, y, width, height, SWP_NOZORDER);
    }
};

TEST_F(FaceLayout, TheFaceFontMeasuresLikeNarrowSevenSegmentDigits)
{
    auto width = [](int scale, const wchar_t* text) {
        return measureTextWidth(app.frameDC, FACE_FONT_FAMILY, scale, text);
    };
    // A digit is 0.49 em wide: 38.7 pixels at the 79-pixel em of scale 100.
    EXPECT_NEAR(width(100, L"88888888") - width(100, L"8888"), 4 * 38.7, 2);
    // Four digits and a colon of 0.2 em (171 pixels), plus the room GDI+
    // leaves around a measured line.
    int full = width(100, L"23:59");
    int half = width(50, L"23:59");
    EXPECT_NEAR(full, 198 + 24, 10);
    EXPECT_NEAR(half - 24, (full - 24) * 39 / 79, 6);
    // A blinking separator keeps the width.
    EXPECT_EQ(width(100, L"23 59"), full);
}

TEST_F(FaceLayout, TheLongestLineFitsOnOneLineOfTheMeasuringBox)
{
    // 12-hour time with seconds, the day, and a short date with two-digit
    // month and day: the widest line an en-US user can ask for.
    const wchar_t* longest = L"12:59:59 PM  Wed 12/31/2027";
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(app.frameDC, &graphics);
    FaceFont face = createFaceFont(FACE_FONT_FAMILY, 100);
    ASSERT_NE(face.font, nullptr) << "is the face font installed?";

    RectF box(0.0f, 0.0f, static_cast<REAL>(MEASURE_WIDTH), static_cast<REAL>(MEASURE_HEIGHT));
    RectF line{}, digit{};
    INT fitted = 0, lines = 0;
    GdipMeasureString(graphics, longest, -1, face.font, &box, NULL, &line, &fitted, &lines);
    GdipMeasureString(graphics, L"8", -1, face.font, &box, NULL, &digit, NULL, NULL);
    deleteFaceFont(face);
    GdipDeleteGraphics(graphics);

    EXPECT_EQ(lines, 1);
    EXPECT_EQ(fitted, static_cast<INT>(wcslen(longest)));
    EXPECT_FLOAT_EQ(line.Height, digit.Height);
    EXPECT_LT(line.Width, 960.0f);
    EXPECT_GT(line.Width, 800.0f);
}

TEST_F(FaceLayout, WithoutTheFamilyTheFaceIsOnlyItsMargin)
{
    EXPECT_EQ(measureTextWidth(app.frameDC, L"No Such Face Family", 100, L"23:59"), 24);
}

TEST_F(FaceLayout, TheFaceIsMeasuredAtHour23)
{
    // 09:15 reads "9:15 AM"; the face is sized for "11:15 PM".
    int width = measureFaceWidth();
    EXPECT_EQ(width, measureTextWidth(app.frameDC, FACE_FONT_FAMILY, 100, L"11:15 PM"));
    EXPECT_GT(width, measureTextWidth(app.frameDC, FACE_FONT_FAMILY, 100, L"9:15 AM"));
}

TEST_F(FaceLayout, ResizeKeepsTheTopLeftCorner)
{
    placeWindow(200, 150, 50, 50);
    app.scale = 75;
    resizeFace();
    RECT r = windowRect();
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, measureFaceWidth());
    EXPECT_EQ(r.bottom - r.top, 60);
}

TEST_F(FaceLayout, FirstStartMovesTheFaceToTheBottomRightCorner)
{
    placeWindow(-1, -1, measureFaceWidth(), 80);
    applyFaceSettings();

    RECT work = platformWorkArea();
    int width = measureFaceWidth();
    RECT expected{work.right - width, work.bottom - 80, work.right, work.bottom};
    RECT r = windowRect();
    EXPECT_TRUE(sameRect(r, expected)) << r.left << "," << r.top << "," << r.right << ","
                                       << r.bottom;
}

TEST_F(FaceLayout, AFaceOnTheWorkAreaStaysWhereItIs)
{
    placeWindow(300, 200, 10, 10);
    applyFaceSettings();
    RECT r = windowRect();
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);

    // One pixel past the left edge of the screen is one too many.
    placeWindow(-1, 200, r.right - r.left, r.bottom - r.top);
    keepOnScreen();
    EXPECT_TRUE(sameRect(windowRect(), RECT{platformWorkArea().right - (r.right - r.left),
                                            platformWorkArea().bottom - 80,
                                            platformWorkArea().right, platformWorkArea().bottom}));
}

TEST_F(FaceLayout, OpacityAndTopmostStateAreApplied)
{
    placeWindow(300, 200, 10, 10);
    BYTE alpha = 0;
    DWORD flags = 0;

    app.opacity = 50;
    app.alwaysOnTop = 1;
    applyFaceSettings();
    ASSERT_TRUE(GetLayeredWindowAttributes(app.hwndMain, NULL, &alpha, &flags));
    EXPECT_EQ(alpha, 127);
    EXPECT_TRUE(flags & LWA_ALPHA);
    EXPECT_TRUE(GetWindowLongA(app.hwndMain, GWL_EXSTYLE) & WS_EX_TOPMOST);

    app.opacity = 100;
    app.alwaysOnTop = 0;
    applyFaceSettings();
    GetLayeredWindowAttributes(app.hwndMain, NULL, &alpha, &flags);
    EXPECT_EQ(alpha, 255);
    EXPECT_FALSE(GetWindowLongA(app.hwndMain, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FaceLayout, ApplyingRepaintsTheBackgroundAtTheNewSize)
{
    placeWindow(300, 200, 10, 10);
    app.scale = 50;
    applyFaceSettings();
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    ASSERT_EQ(client.bottom, 40);
    EXPECT_EQ(GetPixel(app.backgroundDC, 0, 0), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right - 1, 39), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right / 2, 20), DEFAULT_COLOR_BASE);
}

TEST_F(FaceLayout, BuffersGrowWithAFaceWiderThan1024)
{
    HGDIOBJ startFrame = GetCurrentObject(app.frameDC, OBJ_BITMAP);
    ensureDrawingBuffers(300, 80);  // fits: nothing changes
    EXPECT_EQ(GetCurrentObject(app.frameDC, OBJ_BITMAP), startFrame);
    EXPECT_EQ(app.bufferWidth, 1024);

    ensureDrawingBuffers(1100, 80);
    EXPECT_EQ(app.bufferWidth, 1100);
    EXPECT_EQ(app.bufferHeight, 80);
    for (HDC dc : {app.frameDC, app.backgroundDC}) {
        BITMAP bm{};
        GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 1100);
        EXPECT_EQ(bm.bmHeight, 80);
    }

    // The whole of a face 1100 pixels wide reaches the window.
    placeWindow(0, 0, 1100, 80);
    paintBackground(app.backgroundDC, 1100, 80);
    Canvas canvas(1100, 80, RGB(0x12, 0x34, 0x56));
    paintFace(canvas.dc());
    EXPECT_EQ(canvas.at(1099, 40), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(canvas.at(1090, 40), DEFAULT_COLOR_BASE);
}

TEST_F(FaceLayout, ApplyingGrowsBuffersSmallerThanTheFace)
{
    // Buffers of 200 x 40 pixels, too small for the face at full size.
    HDC window = GetDC(app.hwndMain);
    DeleteObject(SelectObject(app.frameDC, CreateCompatibleBitmap(window, 200, 40)));
    DeleteObject(SelectObject(app.backgroundDC, CreateCompatibleBitmap(window, 200, 40)));
    ReleaseDC(app.hwndMain, window);
    app.bufferWidth = 200;
    app.bufferHeight = 40;

    placeWindow(300, 200, 10, 10);
    applyFaceSettings();
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    ASSERT_GT(client.right, 200);
    EXPECT_EQ(app.bufferWidth, client.right);
    EXPECT_EQ(app.bufferHeight, 80);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right - 1, 79), DEFAULT_COLOR_BORDER);
    EXPECT_EQ(GetPixel(app.backgroundDC, client.right - 10, 60), DEFAULT_COLOR_BASE);
}

}  // namespace
