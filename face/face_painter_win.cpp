#include "face/face_painter_win.h"

#include <gdiplus.h>

#include <string>

#include "app/app_state.h"
#include "face/background_style.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_layout_win.h"
#include "face/face_text_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr ARGB SHADOW_ARGB = 0x38000000;  // black at alpha 56

// All that decides the pixels of a frame: the same frame paints the same.
struct FaceFrame {
    std::wstring text;
    int width = -1;
    int height = -1;
    int scale = 0;
    int dpi = 0;
    int showShadow = 0;
    int backgroundType = 0;
    ColorRef colorText = 0;
    ColorRef colorBase = 0;
    ColorRef colorBorder = 0;
    bool operator==(const FaceFrame&) const = default;
};

// What the window shows; nothing before its first paint.
FaceFrame paintedFrame;
// Set while the whole window is waiting for its paint.
bool wholeFaceInvalid = false;

FaceFrame frameNow()
{
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    FaceFrame frame;
    frame.text = getFaceText(0);
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

void drawFaceText(GpGraphics* graphics, const FaceFont& face, GpStringFormat* format,
                  const RectF& layout, ARGB argb)
{
    GpSolidFill* brush = nullptr;
    GdipCreateSolidFill(argb, &brush);
    GdipDrawString(graphics, getFaceText(0), -1, face.font, &layout, format, brush);
    if (brush)
        GdipDeleteBrush(brush);
}

}  // namespace

void paintFace(HDC target)
{
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    int width = client.right;
    int height = client.bottom;
    BitBlt(app.frameDC, 0, 0, width, height, app.backgroundDC, 0, 0, SRCCOPY);

    const FaceFont& face = clockFont();
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
        drawFaceText(graphics, face, format, RectF(offset, offset, layoutWidth, layoutHigh),
                     SHADOW_ARGB);
    }
    drawFaceText(graphics, face, format, RectF(0.0f, 0.0f, layoutWidth, layoutHigh),
                 argbOf(app.colorText, 0xFF));

    BitBlt(target, 0, 0, width, height, app.frameDC, 0, 0, SRCCOPY);

    if (graphics)
        GdipDeleteGraphics(graphics);
    if (format)
        GdipDeleteStringFormat(format);
}

void paintFaceWindow(HWND window)
{
    followFaceText();
    // Taken before the paint: should the second turn while it paints, the
    // next tick sees a change and paints again instead of leaving the face
    // behind.
    FaceFrame frame = frameNow();
    if (!wholeFaceInvalid && !(frame == paintedFrame))
        InvalidateRect(window, NULL, FALSE);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    paintFace(dc);
    EndPaint(window, &ps);
    paintedFrame = frame;
    wholeFaceInvalid = false;
}

void invalidateChangedFace()
{
    followFaceText();
    if (wholeFaceInvalid || frameNow() == paintedFrame)
        return;
    InvalidateRect(app.hwndMain, NULL, FALSE);
    wholeFaceInvalid = true;
}
