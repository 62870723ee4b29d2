#include "face/face_painter_win.h"

#include <gdiplus.h>

#include "app/app_state.h"
#include "face/background_style.h"
#include "face/face_geometry.h"
#include "face/face_runs_win.h"
#include "face/face_text_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr ARGB SHADOW_ARGB = 0x38000000;  // black at alpha 56

FaceFrame frameAt(const SYSTEMTIME& time)
{
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    FaceFrame frame;
    frame.text = faceTextAt(time, 0);
    frame.width = client.right;
    frame.height = client.bottom;
    frame.scale = app.scale;
    frame.dpi = app.dpi;
    frame.showShadow = app.showShadow;
    frame.backgroundType = app.backgroundType;
    frame.colorText = app.colorText;
    frame.colorBase = app.colorBase;
    frame.colorBorder = app.colorBorder;
    return frame;
}

void drawFaceText(GpGraphics* graphics, const wchar_t* text, GpStringFormat* format, const RectF& layout, ARGB argb)
{
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(argb, &brush);
    drawFaceLine(graphics, text, format, layout, brush);
    if (brush)
        GdipDeleteBrush(brush);
}

// The shadow and the digits draw the same text, from one reading of the clock.
void paintFrame(HDC target, const wchar_t* text)
{
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    int width = client.right;
    int height = client.bottom;
    BitBlt(app.frameDC, 0, 0, width, height, app.backgroundDC, 0, 0, SRCCOPY);

    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(StringFormatFlagsNoWrap, 0, &format);  // one line, always
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);

    // The box reaches below the window, so the centred digits sit a little
    // low, where a seven-segment face looks centred.
    REAL layoutWidth = static_cast<REAL>(width);
    REAL layoutHigh = static_cast<REAL>(layoutHeight(height, app.scale, app.dpi));

    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(app.frameDC, &graphics);
    GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);

    if (app.showShadow) {
        REAL offset = static_cast<REAL>(shadowOffset(app.scale, app.dpi));
        drawFaceText(graphics, text, format, RectF(offset, offset, layoutWidth, layoutHigh), SHADOW_ARGB);
    }
    drawFaceText(graphics, text, format, RectF(0.0f, 0.0f, layoutWidth, layoutHigh), argbOf(app.colorText, 0xFF));

    BitBlt(target, 0, 0, width, height, app.frameDC, 0, 0, SRCCOPY);

    if (graphics)
        GdipDeleteGraphics(graphics);
    if (format)
        GdipDeleteStringFormat(format);
}

}  // namespace

void paintFace(HDC target)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    paintFrame(target, faceTextAt(now, 0));
}

void paintFaceWindow(HWND window)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    FaceFrame frame = frameAt(now);
    FaceGlue& glue = app.face;
    if (!glue.wholeFaceInvalid && !(frame == glue.painted))
        InvalidateRect(window, NULL, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paintFrame(dc, frame.text.c_str());
    EndPaint(window, &ps);
    glue.painted = frame;
    glue.wholeFaceInvalid = false;
}

void invalidateChangedFace(const SYSTEMTIME& time)
{
    FaceGlue& glue = app.face;
    if (glue.wholeFaceInvalid || frameAt(time) == glue.painted)
        return;
    InvalidateRect(app.hwndMain, NULL, FALSE);
    glue.wholeFaceInvalid = true;
}
