#include "face/face_painter_win.h"

#include <gdiplus.h>

#include "app/app_state.h"
#include "face/background_style.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_text_win.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

constexpr ARGB SHADOW_ARGB = 0x38000000;  // black at alpha 56

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

    FaceFont face = createFaceFont(FACE_FONT_FAMILY, app.scale);
    GpStringFormat* format = nullptr;
    GdipCreateStringFormat(0, 0, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);

    // The box reaches below the window, so the centred digits sit a little
    // low, where a seven-segment face looks centred.
    REAL layoutWidth = static_cast<REAL>(width);
    REAL layoutHigh = static_cast<REAL>(layoutHeight(height, app.scale));

    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(app.frameDC, &graphics);
    GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);

    if (app.showShadow) {
        REAL offset = static_cast<REAL>(shadowOffset(app.scale));
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
    deleteFaceFont(face);
}
