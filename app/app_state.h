#pragma once
// The one application object: the persisted settings, plus what the running
// program owns (window, drawing buffers, menu, tables, reminder, ringing).
#include <windows.h>

#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "app/full_screen.h"
#include "app/tray_retry.h"
#include "face/face_geometry.h"
#include "settings/settings.h"

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr UINT_PTR CLOCK_TIMER_ID = 1;
constexpr UINT TRAY_ICON_ID = 1;
constexpr int MAX_PRESETS = 10;

struct ColorPreset {
    char name[TEXT_SIZE];
    ColorRef border;
    ColorRef base;
    ColorRef text;
};

struct AppState : Settings {
    HINSTANCE hInstance;
    HWND hwndMain;
    // The DPI of the clock window's monitor, by which every face metric is
    // scaled: read when the window is made and on WM_DPICHANGED.
    int dpi = BASE_DPI;
    char caption[100];
    char className[100];

    // Off-screen buffers: the frame being composed and the cached background.
    // Each keeps the bitmap its DC had before in frameBitmap/backgroundBitmap.
    HDC frameDC;
    HBITMAP frameBitmap;
    HDC backgroundDC;
    HBITMAP backgroundBitmap;
    int bufferWidth;  // size of the bitmaps now selected into the two DCs
    int bufferHeight;
    bool drawingReleased;  // set once the clock ended: saved, and let them go

    HMENU menuBar;  // menu 129 as loaded, destroyed whole at the end
    HMENU popupMenu;  // its one popup
    POINT dragOrigin;
    TrayIconRetry trayRetry;  // adding the icon until a taskbar takes it

    ColorPreset colorPresets[MAX_PRESETS];
    int presetCount;

    wchar_t dayNames[7][4];

    AlarmEvent reminder;
    SYSTEMTIME tickTime;
    RingingState ringing;
    // Hidden while a full-screen program covers the clock's monitor, which
    // is not the hidden clock that rings no alarms.
    FullScreenHiding fullScreen;
};

extern AppState app;

// The persisted part, as saveSettings takes it.
inline Settings persistedPart(const AppState& state)
{
    return static_cast<const Settings&>(state);
}
