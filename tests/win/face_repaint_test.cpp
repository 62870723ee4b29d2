// The clock paints its face only when it changes: at every second of a
// minute the window shows exactly what a full repaint shows.
#include <gtest/gtest.h>

#include "alarms/clock_tick_win.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"  // fillFaceDayNames
#include "settings/settings_store.h"
#include "support/test_clock.h"
#include "win/face_fixture.h"

namespace {

using facetest::Canvas;

int paints = 0;

LRESULT CALLBACK CountingFaceProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    ++paints;
    paintFaceWindow(hwnd);
    return 0;
}

class FaceRepaint : public facetest::FaceWindowTest {
protected:
    void SetUp() override
    {
        FaceWindowTest::SetUp();
        setDefaults(app, "C:\\");
        fillFaceDayNames();
        SetWindowLongPtrA(app.hwndMain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingFaceProc));
        ShowWindow(app.hwndMain, SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        testclock::useRealTime();
        FaceWindowTest::TearDown();
    }
    // Moves the clock to 18:58:00 plus `second` and waits until it reads so.
    static void setClock(int second)
    {
        int total = 58 * 60 + second;
        SYSTEMTIME t = testclock::makeTime(2027, 3, 17, 18, total / 60, total % 60);
        ASSERT_TRUE(testclock::setLocalTime(t, 0));
        SYSTEMTIME now{};
        for (int i = 0; i < 200 && (GetLocalTime(&now), now.wMinute != t.wMinute || now.wSecond != t.wSecond); ++i)
            Sleep(1);
        ASSERT_TRUE(now.wMinute == t.wMinute && now.wSecond == t.wSecond);
    }
    // True when the window shows what a full repaint would show now.
    static bool showsFullRepaint()
    {
        RECT client;
        GetClientRect(app.hwndMain, &client);
        Canvas shown(client.right, client.bottom, 0), full(client.right, client.bottom, 0);
        HDC window = GetDC(app.hwndMain);
        BitBlt(shown.dc(), 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
        ReleaseDC(app.hwndMain, window);
        paintFace(full.dc());
        return shown.samePixels(full);
    }
};

// From 18:57:59 over the minute to 18:59:00. Without seconds or blinking the
// text changes at the turns of the minute only; between them the text colour
// changes behind the window's back at second 20, and at 18:59:00 Windows asks
// for the right quarter before the tick comes (an uncovered corner).
TEST_F(FaceRepaint, EverySecondShowsWhatAFullRepaintShows)
{
    const struct {
        int seconds, blink, paints;
    } cases[] = {{1, 0, 61}, {1, 1, 61}, {0, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "seconds " << c.seconds << ", blinking " << c.blink);
        app.showSeconds = c.seconds, app.flashDelimiter = c.blink, app.colorText = 0;
        setClock(-1);
        resizeFace();
        applyFaceSettings();
        RECT client;
        GetClientRect(app.hwndMain, &client);
        ASSERT_GT(client.right, 150) << "is the face font installed?";
        InvalidateRect(app.hwndMain, NULL, FALSE);
        UpdateWindow(app.hwndMain);
        paints = 0;
        int wrongSeconds = 0;
        for (int second = 0; second <= 60; ++second) {
            setClock(second);
            if (!c.seconds && second == 20)
                app.colorText = 0x000000FF;
            if (!c.seconds && second == 60) {
                RECT corner{client.right * 3 / 4, 0, client.right, client.bottom};
                InvalidateRect(app.hwndMain, &corner, FALSE);
                UpdateWindow(app.hwndMain);
            }
            clockTick();
            UpdateWindow(app.hwndMain);
            wrongSeconds += !showsFullRepaint();
        }
        EXPECT_EQ(wrongSeconds, 0);
        EXPECT_EQ(paints, c.paints);
    }
}

}  // namespace
