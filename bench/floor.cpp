// The floor of what a clock window can cost: a layered window that, once a
// second, copies one prepared bitmap to itself and does nothing else. The
// face benchmark runs it beside tockmere.exe to compare CPU time and memory.
// Built with FLOOR_DRAWS_TEXT (floor_text.exe) it draws the clock's text
// each second instead: the local time in the user's format (with seconds when
// asked), centred in the face font at the face's size over a copy of the
// prepared background, every GDI+ object made once at the start; the least a
// clock that draws its text costs. Only that build loads GDI+ by itself.
//   floor.exe [width height] [--title TITLE] [--at X Y] [--seconds]
//             [--load A.dll,B.dll]
// --load loads those DLLs at the start, so that the floor carries the same
// DLLs as the clock it is compared with. --at places the window (0, 0 by
// default); a window covered by another is not drawn on the screen.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#ifdef FLOOR_DRAWS_TEXT
#include <gdiplus.h>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;
#endif

namespace {

constexpr UINT_PTR TICK_TIMER_ID = 1;

struct Floor {
    int x = 0;
    int y = 0;
    int width = 316;
    int height = 80;
    bool seconds = false;
    std::string title;
    HDC pictureDC = NULL;
    HBITMAP pictureBitmap = NULL;
    HGDIOBJ originalPicture = NULL;
#ifdef FLOOR_DRAWS_TEXT
    HDC frameDC = NULL;
    HBITMAP frameBitmap = NULL;
    HGDIOBJ originalFrame = NULL;
    ULONG_PTR gdiplusToken = 0;
    GpGraphics* graphics = nullptr;
    GpFontFamily* family = nullptr;
    GpFont* font = nullptr;
    GpStringFormat* format = nullptr;
    GpSolidFill* brush = nullptr;
#endif
};

Floor floorState;

HDC makeBuffer(HWND hwnd, HBITMAP* bitmap, HGDIOBJ* original)
{
    HDC window = GetDC(hwnd);
    HDC dc = CreateCompatibleDC(window);
    *bitmap = CreateCompatibleBitmap(window, floorState.width, floorState.height);
    ReleaseDC(hwnd, window);
    *original = SelectObject(dc, *bitmap);
    return dc;
}

void freeBuffer(HDC dc, HBITMAP bitmap, HGDIOBJ original)
{
    SelectObject(dc, original);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// A picture like a face: a filled rectangle with an outline, drawn once.
void preparePicture(HWND hwnd)
{
    floorState.pictureDC = makeBuffer(hwnd, &floorState.pictureBitmap, &floorState.originalPicture);
    HBRUSH fill = CreateSolidBrush(RGB(0xCD, 0xC8, 0xDE));
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(0x05, 0x3B, 0x6A));
    HGDIOBJ oldBrush = SelectObject(floorState.pictureDC, fill);
    HGDIOBJ oldPen = SelectObject(floorState.pictureDC, outline);
    Rectangle(floorState.pictureDC, 0, 0, floorState.width, floorState.height);
    SelectObject(floorState.pictureDC, oldBrush);
    SelectObject(floorState.pictureDC, oldPen);
    DeleteObject(fill);
    DeleteObject(outline);
#ifndef FLOOR_DRAWS_TEXT
    SetBkMode(floorState.pictureDC, TRANSPARENT);
    TextOutA(floorState.pictureDC, 20, 30, "2:05 PM", 7);
#endif
}

#ifdef FLOOR_DRAWS_TEXT
void prepareText(HWND hwnd)
{
    floorState.frameDC = makeBuffer(hwnd, &floorState.frameBitmap, &floorState.originalFrame);
    GdiplusStartupInput input;
    GdiplusStartup(&floorState.gdiplusToken, &input, NULL);
    GdipCreateFromHDC(floorState.frameDC, &floorState.graphics);
    GdipCreateFontFamilyFromName(L"Segmora Mono", NULL, &floorState.family);
    if (floorState.family)
        GdipCreateFont(floorState.family, 79.0f, FontStyleRegular, UnitPixel, &floorState.font);
    GdipCreateStringFormat(0, 0, &floorState.format);
    GdipSetStringFormatAlign(floorState.format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(floorState.format, StringAlignmentCenter);
    GdipCreateSolidFill(0xFF000000, &floorState.brush);
}

// The frame to copy: the background and the time as the clock shows it.
HDC composeFrame()
{
    BitBlt(floorState.frameDC, 0, 0, floorState.width, floorState.height, floorState.pictureDC, 0, 0, SRCCOPY);
    wchar_t text[64] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, floorState.seconds ? 0 : TIME_NOSECONDS, NULL, NULL, text, 64);
    RectF layout(0.0f, 0.0f, REAL(floorState.width), REAL(floorState.height + 9));
    GdipDrawString(floorState.graphics, text, -1, floorState.font, &layout, floorState.format, floorState.brush);
    return floorState.frameDC;
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
    freeBuffer(floorState.frameDC, floorState.frameBitmap, floorState.originalFrame);
}

constexpr const char* DEFAULT_TITLE = "Tockmere floor text";
#else
void prepareText(HWND) {}
HDC composeFrame() { return floorState.pictureDC; }
void releaseText() {}

constexpr const char* DEFAULT_TITLE = "Tockmere floor";
#endif

LRESULT onCreate(HWND hwnd)
{
    preparePicture(hwnd);
    prepareText(hwnd);
    SetLayeredWindowAttributes(hwnd, 0, 255, LWA_ALPHA);
    SetTimer(hwnd, TICK_TIMER_ID, 1000, NULL);
    return 0;
}

void onPaint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    BitBlt(dc, 0, 0, floorState.width, floorState.height, composeFrame(), 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
}

void onDestroy()
{
    releaseText();
    freeBuffer(floorState.pictureDC, floorState.pictureBitmap, floorState.originalPicture);
    PostQuitMessage(0);
}

LRESULT CALLBACK FloorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(hwnd);
    case WM_TIMER:
        InvalidateRect(hwnd, NULL, FALSE);
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

// Loads each DLL of a comma-separated list.
void loadLibraries(const char* list)
{
    std::string names(list);
    for (std::size_t start = 0; start < names.size();) {
        std::size_t end = names.find(',', start);
        if (end == std::string::npos)
            end = names.size();
        if (end > start)
            LoadLibraryA(names.substr(start, end - start).c_str());
        start = end + 1;
    }
}

void readArguments()
{
    floorState.title = DEFAULT_TITLE;
    int positional = 0;
    for (int i = 1; i < __argc; ++i) {
        const char* arg = __argv[i];
        if (std::strcmp(arg, "--seconds") == 0)
            floorState.seconds = true;
        else if (std::strcmp(arg, "--title") == 0 && i + 1 < __argc)
            floorState.title = __argv[++i];
        else if (std::strcmp(arg, "--at") == 0 && i + 2 < __argc)
            floorState.x = std::atoi(__argv[++i]), floorState.y = std::atoi(__argv[++i]);
        else if (std::strcmp(arg, "--load") == 0 && i + 1 < __argc)
            loadLibraries(__argv[++i]);
        else if (positional++ == 0)
            floorState.width = std::atoi(arg);
        else
            floorState.height = std::atoi(arg);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    readArguments();
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = "TockmereFloor";
    if (!RegisterClassA(&wc))
        return 1;
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "TockmereFloor",
                                floorState.title.c_str(), WS_POPUP, floorState.x, floorState.y, floorState.width,
                                floorState.height,
                                NULL, NULL, instance, NULL);
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
