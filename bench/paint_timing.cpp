// Times one frame of the clock face (paintFace) against the least a GDI+
// frame can cost: one BitBlt and one GdipDrawString with the graphics, font,
// format and brush made beforehand. Also times the parts paintFace adds to
// that least, to show where a frame's time goes, and the tick's own work.
//   paint_timing.exe [iterations]
#include <windows.h>

#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>

#include "alarms/clock_tick_win.h"
#include "app/app_state.h"
#include "app/timer_ids.h"
#include "face/background_painter_win.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"
#include "settings/settings_store.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Microseconds per call of `work`, over `iterations` calls.
template <typename Work>
double microsecondsPerCall(int iterations, Work work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < iterations / 10 + 1; ++i)  // warm up
        work();
    QueryPerformanceCounter(&start);
    for (int i = 0; i < iterations; ++i)
        work();
    GdiFlush();
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart) / iterations;
}

// A shown clock window with the buffers and settings the main window makes.
HWND makeClockWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "TockmerePaintTiming";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, "paint timing",
                                WS_POPUP | WS_VISIBLE, 100, 100, 300, 80, NULL, NULL, wc.hInstance, NULL);
    setDefaults(app, "C:\\");
    app.hwndMain = hwnd;
    HDC window = GetDC(hwnd);
    app.frameDC = CreateCompatibleDC(window);
    app.backgroundDC = CreateCompatibleDC(window);
    app.frameBitmap = static_cast<HBITMAP>(
        SelectObject(app.frameDC, CreateCompatibleBitmap(window, MEASURE_WIDTH, MEASURE_HEIGHT)));
    app.backgroundBitmap = static_cast<HBITMAP>(
        SelectObject(app.backgroundDC, CreateCompatibleBitmap(window, MEASURE_WIDTH, MEASURE_HEIGHT)));
    ReleaseDC(hwnd, window);
    app.bufferWidth = MEASURE_WIDTH;
    app.bufferHeight = MEASURE_HEIGHT;
    fillFaceDayNames();
    applyFaceSettings();
    return hwnd;
}

}  // namespace

int main(int argc, char** argv)
{
    int iterations = argc > 1 ? std::atoi(argv[1]) : 2000;
    ULONG_PTR token;
    GdiplusStartupInput input;
    GdiplusStartup(&token, &input, NULL);
    HWND hwnd = makeClockWindow();
    RECT client;
    GetClientRect(hwnd, &client);
    HDC target = GetDC(hwnd);

    double face = microsecondsPerCall(iterations, [&] { paintFace(target); });

    // The least: everything made once, one draw and one copy per frame.
    FaceFont font = createFaceFont(FACE_FONT_FAMILY, app.scale, app.dpi);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(0, 0, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(0xFF000000, &brush);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(app.frameDC, &graphics);
    RectF layout(0.0f, 0.0f, REAL(client.right), REAL(layoutHeight(client.bottom, app.scale, app.dpi)));
    const wchar_t* text = getFaceText(0);
    double least = microsecondsPerCall(iterations, [&] {
        GdipDrawString(graphics, text, -1, font.font, &layout, format, brush);
        BitBlt(target, 0, 0, client.right, client.bottom, app.frameDC, 0, 0, SRCCOPY);
    });

    // The parts of a frame beyond that least.
    double fontMaking = microsecondsPerCall(iterations, [&] {
        deleteFaceFont(createFaceFont(FACE_FONT_FAMILY, app.scale, app.dpi));
    });
    double graphicsMaking = microsecondsPerCall(iterations, [&] {
        GpGraphics* g = nullptr;
        GdipCreateFromHDC(app.frameDC, &g);
        GdipSetSmoothingMode(g, SmoothingModeHighQuality);
        GdipDeleteGraphics(g);
    });
    double formatMaking = microsecondsPerCall(iterations, [&] {
        GpStringFormat* f = nullptr;
        GdipCreateStringFormat(0, 0, &f);
        GdipDeleteStringFormat(f);
    });
    double faceText = microsecondsPerCall(iterations, [] { getFaceText(0); });
    double backgroundCopy = microsecondsPerCall(iterations, [&] {
        BitBlt(app.frameDC, 0, 0, client.right, client.bottom, app.backgroundDC, 0, 0, SRCCOPY);
    });
    // Read the clock, scan nothing, compare the face, set the timer.
    double tick = microsecondsPerCall(iterations, [] { clockTick(); });
    double timerSetting = microsecondsPerCall(iterations, [&] { SetTimer(hwnd, CLOCK_TIMER_ID, 1000, NULL); });
    double invalidating = microsecondsPerCall(iterations, [&] { InvalidateRect(hwnd, NULL, FALSE); });

    std::printf("face %ld x %ld pixels, %d iterations\n", client.right, client.bottom, iterations);
    std::printf("paintFace                      %9.1f us\n", face);
    std::printf("one GdipDrawString + BitBlt    %9.1f us\n", least);
    std::printf("ratio                          %9.2f\n", face / least);
    std::printf("  font family and font made    %9.1f us\n", fontMaking);
    std::printf("  graphics made                %9.1f us\n", graphicsMaking);
    std::printf("  string format made           %9.1f us\n", formatMaking);
    std::printf("  face text composed           %9.1f us\n", faceText);
    std::printf("  background copied            %9.1f us\n", backgroundCopy);
    std::printf("one tick without its paint     %9.1f us\n", tick);
    std::printf("  timer set anew (SetTimer)    %9.1f us\n", timerSetting);
    std::printf("  face invalidated             %9.1f us\n", invalidating);

    GdipDeleteGraphics(graphics);
    GdipDeleteBrush(brush);
    GdipDeleteStringFormat(format);
    deleteFaceFont(font);
    ReleaseDC(hwnd, target);
    DestroyWindow(hwnd);
    GdiplusShutdown(token);
    return 0;
}
