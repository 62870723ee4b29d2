#include "face/face_geometry.h"

#include <algorithm>

namespace {

// `pixels` at 96 dpi, scaled by `percent` and to `dpi`.
int scaled(int pixels, int percent, int dpi)
{
    return pixels * percent * dpi / (100 * BASE_DPI);
}

}  // namespace

int measureWidth(int dpi)
{
    return scaled(MEASURE_WIDTH, 100, dpi);
}

int measureHeight(int dpi)
{
    return scaled(MEASURE_HEIGHT, 100, dpi);
}

int faceHeight(int scale, int dpi)
{
    return scaled(80, scale, dpi);
}

int faceFontEm(int scale, int dpi)
{
    return scaled(79, scale, dpi);
}

int layoutHeight(int clientHeight, int scale, int dpi)
{
    return clientHeight + scaled(9, scale, dpi);
}

double shadowOffset(int scale, int dpi)
{
    return scale * 4.0 * dpi / (100.0 * BASE_DPI);
}

int faceBorderWidth(int dpi)
{
    return std::max(1, scaled(1, 100, dpi));
}

int glassBandInset(int dpi)
{
    return scaled(2, 100, dpi);
}

int opacityAlpha(int opacity)
{
    return opacity * 255 / 100;
}

int faceWidthForMeasured(float measuredWidth, int dpi)
{
    return static_cast<int>(measuredWidth) + scaled(FACE_TEXT_MARGIN, 100, dpi);
}

bool isEmptyRect(const ScreenRect& r)
{
    return r.left >= r.right || r.top >= r.bottom;
}

ScreenRect intersectRects(const ScreenRect& a, const ScreenRect& b)
{
    if (isEmptyRect(a) || isEmptyRect(b))
        return {0, 0, 0, 0};
    ScreenRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (isEmptyRect(r))
        return {0, 0, 0, 0};
    return r;
}

ScreenRect defaultFaceRect(const ScreenRect& workArea, int width, int height)
{
    return {workArea.right - width, workArea.bottom - height, workArea.right, workArea.bottom};
}

ScreenRect resizedFaceRect(const ScreenRect& window, const ScreenRect& workArea, int width, int height)
{
    ScreenRect r{window.left, window.top, window.left + width, window.top + height};
    if (window.right == workArea.right)
        r.left = workArea.right - width, r.right = workArea.right;
    if (window.bottom == workArea.bottom)
        r.top = workArea.bottom - height, r.bottom = workArea.bottom;
    return r;
}
