// The floor of what a clock window can cost: a layered window that, once a
// second, copies one prepared bitmap to itself and does nothing else. The
// face benchmark runs it beside tockmere.exe to compare CPU time and memory.
// Built with FLOOR_DRAWS_TEXT (floor_text.exe) it also draws a line of text
// with GDI+ into the bitmap before each copy, every GDI+ object made once at
// the start: the least a clock that draws its text costs. Only that build
// loads GDI+, so the plain floor stays the plain floor in memory too.
//   floor.exe [width height]    the window's size (the clock's, 316 x 80)
#include <windows.h>

#include <cstdlib>

#ifdef FLOOR_DRAWS_TEXT
#include <gdiplus.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
#endif

namespace {

constexpr UINT_PTR TICK_TIMER_ID = 1;

struct Floor {
    int width = 316;
    int height = 80;
    HDC pictureDC = NULL;
    HBITMAP pictureBitmap = NULL;
    HGDIOBJ originalBitmap = NULL;
#ifdef FLOOR_DRAWS_TEXT
    ULONG_PTR gdiplusToken = 0;
    GpGraphics* graphics = nullptr;
    GpFontFamily* family = nullptr;
    GpFont* font = nullptr;
    GpStringFormat* format = nullptr;
    GpSolidFill* brush = nullptr;
#endif
};

Floor floorState;

// A picture like a face: a filled rectangle with an outline and some text,
// drawn once.
void preparePicture(HWND hwnd)
{
    HDC window = GetDC(hwnd);
    floorState.pictureDC = CreateCompatibleDC(window);
    floorState.pictureBitmap = CreateCompatibleBitmap(window, floorState.width, floorState.height);
    ReleaseDC(hwnd, window);
    floorState.originalBitmap = SelectObject(floorState.pictureDC, floorState.pictureBitmap);
    HBRUSH fill = CreateSolidBrush(RGB(0xCD, 0xC8, 0xDE));
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(0x05, 0x3B, 0x6A));
    HGDIOBJ oldBrush = SelectObject(floorState.pictureDC, fill);
    HGDIOBJ oldPen = SelectObject(floorState.pictureDC, outline);
    Rectangle(floorState.pictureDC, 0, 0, floorState.width, floorState.height);
    SelectObject(floorState.pictureDC, oldBrush);
    SelectObject(floorState.pictureDC, oldPen);
    DeleteObject(fill);
    DeleteObject(outline);
    SetBkMode(floorState.pictureDC, TRANSPARENT);
    TextOutA(floorState.pictureDC, 20, 30, "2:05 PM", 7);
}

#ifdef FLOOR_DRAWS_TEXT
void prepareText()
{
    GdiplusStartupInput input;
    GdiplusStartup(&floorState.gdiplusToken, &input, NULL);
    GdipCreateFromHDC(floorState.pictureDC, &floorState.graphics);
    GdipCreateFontFamilyFromName(L"Segmora Mono", NULL, &floorState.family);
    if (floorState.family)
        GdipCreateFont(floorState.family, 79.0f, FontStyleRegular, UnitPixel, &floorState.font);
    GdipCreateStringFormat(0, 0, &floorState.format);
    GdipSetStringFormatAlign(floorState.format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(floorState.format, StringAlignmentCenter);
    GdipCreateSolidFill(0xFF000000, &floorState.brush);
}

void drawText()
{
    RectF layout(0.0f, 0.0f, REAL(floorState.width), REAL(floorState.height + 9));
    GdipDrawString(floorState.graphics, L"2:05 PM", -1, floorState.font, &layout, floorState.format,
                   floorState.brush);
}

void releaseText()
{
    GdipDeleteBrush(floorState.brush);
    GdipDeleteStringFormat(floorState.format);
    if (floorState.font)
        GdipDeleteFont(floorState.font);
    if (floorState.family)
        GdipDeleteFontFamily(floorState.family);
    GdipDeleteGraphics(floorState.graphics);
    GdiplusShutdown(floorState.gdiplusToken);
}

constexpr const char* TITLE = "Tockmere floor text";
#else
void prepareText() {}
void drawText() {}
void releaseText() {}

constexpr const char* TITLE = "Tockmere floor";
#endif

LRESULT onCreate(HWND hwnd)
{
    preparePicture(hwnd);
    prepareText();
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    SetTimer(hwnd, TICK_TIMER_ID, 1000, NULL);
    return 0;
}

void onTimer(HWND hwnd)
{
    InvalidateRect(hwnd, NULL, FALSE);
}

void onPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    drawText();
    BitBlt(dc, 0, 0, floorState.width, floorState.height, floorState.pictureDC, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}

void onDestroy()
{
    releaseText();
    SelectObject(floorState.pictureDC, floorState.originalBitmap);
    DeleteObject(floorState.pictureBitmap);
    DeleteDC(floorState.pictureDC);
    PostQuitMessage(0);
}

LRESULT CALLBACK FloorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(hwnd);
    case WM_TIMER:
        onTimer(hwnd);
        return 0;
    case WM_PAINT:
        onPaint(hwnd);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (__argc >= 3) {
        floorState.width = std::atoi(__argv[1]);
        floorState.height = std::atoi(__argv[2]);
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "TockmereFloor";
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TockmereFloor",
                                TITLE, WS_POPUP, 0, 0, floorState.width,
                                floorState.height, NULL, NULL, instance, NULL);
    if (!hwnd)
        return 1;
    ShowWindow(hwnd, showCommand);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
