#pragma once
// The clock face's sizes and its place on the screen, in integer pixels.
// Percent settings apply as "multiply first, then truncate".

// Edges as in a Win32 RECT: right and bottom lie just outside.
struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

constexpr bool operator==(const ScreenRect& a, const ScreenRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Every face metric is given at 96 dpi and multiplied by dpi / 96 of the
// window's monitor, in the same integer arithmetic (multiplied first,
// truncated last), so at 96 dpi each is exactly its 96-dpi value.
constexpr int BASE_DPI = 96;

// The box the face text is measured in, 1024 x 80 at 96 dpi; the off-screen
// buffers grow to the window instead.
constexpr int MEASURE_WIDTH = 1024;
constexpr int MEASURE_HEIGHT = 80;
// Room left and right of the measured text.
constexpr int FACE_TEXT_MARGIN = 24;

int measureWidth(int dpi);
int measureHeight(int dpi);
int faceHeight(int scale, int dpi);                      // 80 at 100 % and 96 dpi
int faceFontEm(int scale, int dpi);                      // 79 px at 100 % and 96 dpi
int layoutHeight(int clientHeight, int scale, int dpi);  // reaches scale * 9 / 100 below the window
double shadowOffset(int scale, int dpi);                 // 4.0 at 100 % and 96 dpi, the one fractional value
int faceBorderWidth(int dpi);                            // 1 up to 191 dpi, never 0
int glassBandInset(int dpi);                             // 2 at 96 dpi
int opacityAlpha(int opacity);               // 255 at 100 %, 127 at 50 %
int faceWidthForMeasured(float measuredWidth, int dpi);

// IntersectRect as Win32 has it: an all-zero rectangle when nothing overlaps.
bool isEmptyRect(const ScreenRect& r);
ScreenRect intersectRects(const ScreenRect& a, const ScreenRect& b);

// The face in the bottom-right corner of the work area.
ScreenRect defaultFaceRect(const ScreenRect& workArea, int width, int height);
// The window resized to width x height. An edge on the work area's right or
// bottom edge stays there, so a face at its default place stays at it as its
// text grows or shrinks; otherwise the top-left corner stays.
ScreenRect resizedFaceRect(const ScreenRect& window, const ScreenRect& workArea, int width, int height);
