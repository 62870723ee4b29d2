#include "face/face_geometry.h"

#include <algorithm>

int faceHeight(int scale)
{
    return scale * 80 / 100;
}

int faceFontEm(int scale)
{
    return scale * 79 / 100;
}

int layoutHeight(int clientHeight, int scale)
{
    return clientHeight + scale * 9 / 100;
}

double shadowOffset(int scale)
{
    return scale * 4.0 / 100.0;
}

int opacityAlpha(int opacity)
{
    return opacity * 255 / 100;
}

int faceWidthForMeasured(float measuredWidth)
{
    return static_cast<int>(measuredWidth) + FACE_TEXT_MARGIN;
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

ScreenRect subtractRect(const ScreenRect& from, const ScreenRect& taken)
{
    if (isEmptyRect(from))
        return {0, 0, 0, 0};
    ScreenRect overlap = intersectRects(from, taken);
    if (isEmptyRect(overlap))
        return from;
    if (overlap == from)
        return {0, 0, 0, 0};

    ScreenRect r = from;
    bool spansHeight = overlap.top == from.top && overlap.bottom == from.bottom;
    bool spansWidth = overlap.left == from.left && overlap.right == from.right;
    if (spansHeight) {
        if (overlap.left == from.left)
            r.left = overlap.right;
        else if (overlap.right == from.right)
            r.right = overlap.left;
    } else if (spansWidth) {
        if (overlap.top == from.top)
            r.top = overlap.bottom;
        else if (overlap.bottom == from.bottom)
            r.bottom = overlap.top;
    }
    return r;
}

ScreenRect workAreaOf(const ScreenRect& desktop, const ScreenRect* taskbar)
{
    if (!taskbar)
        return desktop;
    return subtractRect(desktop, *taskbar);
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

bool mustMoveOnScreen(const ScreenRect& window, const ScreenRect& workArea)
{
    return !(intersectRects(window, workArea) == window);
}
