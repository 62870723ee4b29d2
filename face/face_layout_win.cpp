#include "face/face_layout_win.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "app/app_state.h"
#include "face/background_painter_win.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_runs_win.h"
#include "face/face_text.h"
#include "face/face_text_win.h"
#include "face/monitors_win.h"
#include "face/placement.h"

namespace {

// The monitor the clock belongs to (homeMonitor), and its work area.
MonitorArea clockMonitor()
{
    return *homeMonitor(displayMonitors(), windowRectOf(app.hwndMain));
}

ScreenRect workArea()
{
    return clockMonitor().work;
}

std::u16string widthKeyOf(const wchar_t* measureText)
{
    return faceWidthKey(std::u16string(measureText, measureText + std::wcslen(measureText)), app.scale);
}

// Puts a new bitmap of the given size into `dc`; the one it replaces is
// deleted unless it is the DC's original, which app keeps for the end.
bool replaceBitmap(HDC dc, HDC screen, HBITMAP original, int width, int height)
{
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (!bitmap)
        return false;
    HGDIOBJ replaced = SelectObject(dc, bitmap);
    if (replaced && replaced != original)
        DeleteObject(replaced);
    return true;
}

// Every change of the window's size goes through here, so the off-screen
// buffers and the cached background always match the window: the face is
// never cut nor left partly unpainted.
void setFaceBounds(int x, int y, int width, int height)
{
    SetWindowPos(app.hwndMain, NULL, x, y, width, height, SWP_NOZORDER);
    RECT client{};
    GetClientRect(app.hwndMain, &client);
    ensureDrawingBuffers(client.right, client.bottom);
    paintBackground(app.backgroundDC, client.right, client.bottom);
}

// Each layout makes the face font anew; the paints until the next one use it.
int faceWidthAt(const SYSTEMTIME& time)
{
    const wchar_t* text = faceTextAt(time, 1);
    app.face.measuredKey = widthKeyOf(text);
    remakeClockFont();
    return measureFaceLine(app.frameDC, text);
}

void resizeFaceAt(const SYSTEMTIME& time)
{
    int width = faceWidthAt(time);
    ScreenRect face = resizedFaceRect(windowRectOf(app.hwndMain), workArea(), width, faceHeight(app.scale, app.dpi));
    setFaceBounds(face.left, face.top, face.right - face.left, face.bottom - face.top);
}

}  // namespace

int measureFaceWidth()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return faceWidthAt(now);
}

void resizeFace()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    resizeFaceAt(now);
}

void followFaceText(const SYSTEMTIME& time)
{
    if (widthKeyOf(faceTextAt(time, 1)) != app.face.measuredKey)
        resizeFaceAt(time);
}

void placeAtDefaultPosition()
{
    // Laid out for the DPI of the monitor it goes to, so it lands in its corner.
    MonitorArea home = clockMonitor();
    app.dpi = home.dpi;
    ScreenRect face = defaultFaceRect(home.work, measureFaceWidth(), faceHeight(app.scale, app.dpi));
    setFaceBounds(face.left, face.top, face.right - face.left, face.bottom - face.top);
}

void relayOutForDpi(int dpi, const RECT& suggested)
{
    if (dpi == app.dpi)
        return;  // already laid out for it, as placeAtDefaultPosition does
    app.dpi = dpi;
    setFaceBounds(suggested.left, suggested.top, measureFaceWidth(), faceHeight(app.scale, app.dpi));
    InvalidateRect(app.hwndMain, NULL, FALSE);
}

void keepOnScreen()
{
    if (mustMoveOnScreen(displayMonitors(), windowRectOf(app.hwndMain)))
        placeAtDefaultPosition();
}

void ensureDrawingBuffers(int width, int height)
{
    if (width <= app.bufferWidth && height <= app.bufferHeight)
        return;
    int newWidth = std::max(width, app.bufferWidth);
    int newHeight = std::max(height, app.bufferHeight);
    HDC screen = GetDC(app.hwndMain);
    bool replaced = replaceBitmap(app.frameDC, screen, app.frameBitmap, newWidth, newHeight) &&
                    replaceBitmap(app.backgroundDC, screen, app.backgroundBitmap, newWidth, newHeight);
    ReleaseDC(app.hwndMain, screen);
    if (replaced) {
        app.bufferWidth = newWidth;
        app.bufferHeight = newHeight;
    }
}

void applyFaceSettings()
{
    SetLayeredWindowAttributes(app.hwndMain, 0, static_cast<BYTE>(opacityAlpha(app.opacity)),
                               LWA_ALPHA);
    SetWindowPos(app.hwndMain, app.alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    // Both repaint the background, in the colours and style just applied.
    resizeFace();
    keepOnScreen();
}
