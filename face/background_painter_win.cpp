#include "face/background_painter_win.h"

#include <gdiplus.h>

#include "app/app_state.h"
#include "face/background_style.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

void fillGradient(GpGraphics* graphics, const GradientBand& fill)
{
    GpPoint from(0, fill.y0);
    GpPoint to(0, fill.y1);
    GpLineGradient* brush = nullptr;
    GdipCreateLineBrushI(&from, &to, fill.argb0, fill.argb1, WrapModeTile, &brush);
    if (!brush)
        return;
    GdipFillRectangleI(graphics, brush, fill.x, fill.y, fill.width, fill.height);
    GdipDeleteBrush(brush);
}

void drawOutline(GpGraphics* graphics, const OutlineRect& outline)
{
    GpPen* pen = nullptr;
    GdipCreatePen1(outline.argb, static_cast<REAL>(outline.penWidth), UnitWorld, &pen);
    if (!pen)
        return;
    // The pen is centred on the line: a wider one moves in by half its
    // extra width, so it stays inside the face.
    REAL inset = (outline.penWidth - 1) / 2.0f;
    GdipDrawRectangle(graphics, pen, outline.x + inset, outline.y + inset, outline.width - 2 * inset,
                      outline.height - 2 * inset);
    GdipDeletePen(pen);
}

}  // namespace

void paintBackground(HDC dc, int width, int height)
{
    BackgroundStyle style =
        describeBackground(app.backgroundType, app.colorBase, app.colorBorder, width, height, app.dpi);

    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(dc, &graphics);
    if (!graphics)
        return;
    GdipSetSmoothingMode(graphics, SmoothingModeHighQuality);
    GdipGraphicsClear(graphics, OPAQUE_WHITE);
    if (style.clearArgb != OPAQUE_WHITE)
        GdipGraphicsClear(graphics, style.clearArgb);
    for (int i = 0; i < style.fillCount; ++i)
        fillGradient(graphics, style.fills[i]);
    drawOutline(graphics, style.border);
    GdipDeleteGraphics(graphics);
}
