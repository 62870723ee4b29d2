#pragma once
// The one application object: the persisted settings, plus what the running
// program owns (window, drawing buffers, menu, tables, reminder, ringing).
#include <windows.h>

#include <string>

#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "app/timer_ids.h"
#include "app/tray_message_win.h"
#include "app/full_screen.h"
#include "app/tray_retry.h"
#include "app/tray_tip.h"
#include "face/face_font_win.h"
#include "face/face_frame.h"
#include "face/face_geometry.h"
#include "face/face_runs_win.h"
#include "face/face_text.h"
#include "settings/settings.h"

constexpr UINT TRAY_ICON_ID = 1;
constexpr int MAX_PRESETS = 10;

struct ColorPreset {
    char name[TEXT_SIZE];
    ColorRef border;
    ColorRef base;
    ColorRef text;
};

// What the tick's glue keeps from one tick to the next
// (alarms/clock_tick_win.cpp).
struct TickGlue {
    HANDLE wakeTimer;
    long long wakeSetFor = NOT_YET;       // the UTC second it is set for
    long long wakeWorkedOutAt = NOT_YET;  // the local minute it was last worked out in
    bool keptAwake;
    unsigned armedInterval;  // what timer 1 repeats at now; 0 until it is first set
    int markedDay;           // the date (yyyymmdd) the Alarm page's skip marks were last looked at
};

// What following full-screen programs keeps (app/full_screen_win.cpp): its
// three event hooks and the window the clock stepped aside for.
struct FullScreenGlue {
    HWINEVENTHOOK foregroundHook;
    HWINEVENTHOOK goneHook;
    HWINEVENTHOOK locationHook;
    HWND coveringWindow;
};

// What the face's glue keeps between a layout and the paints after it
// (face/face_*_win.cpp).
struct FaceGlue {
    // The face font, made by each layout for its scale and DPI.
    FaceFont font;
    bool fontMade;
    int fontScale;
    int fontDpi;
    // The fallback font and the face font's glyphs, made with the face font.
    FaceScripts scripts;
    // What the face was last measured on (faceWidthKey).
    std::u16string measuredKey;
    // What the window shows; nothing before its first paint.
    FaceFrame painted;
    // Set while the whole window is waiting for its paint.
    bool wholeFaceInvalid;
    // The blinking separator's stand-in and what it was measured for.
    std::u16string separatorBlank;
    char16_t blankSeparator;
    int blankScale;
    int blankDpi;
    // The line getFaceText returns.
    wchar_t text[FACE_TEXT_SIZE];
};

// The settings sheet while it is open (app/settings_sheet_win.cpp): a display
// page that applied marks the face changed; the sheet lays it out once
// when the pages have all applied.
struct SheetGlue {
    WNDPROC sheetProc;  // the property sheet's own window procedure
    int messageDepth;   // sheet messages now being handled, nested ones too
    bool faceChanged;
};

// The notification-area icon's tip (app/tray_icon_win.cpp): what the shell
// was last given, and the local minute it was worked out in.
struct TrayTipGlue {
    char shown[TRAY_TIP_SIZE];
    long long workedOutAt = NOT_YET;
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

    TickGlue tick;
    FaceGlue face;
    SheetGlue sheet;
    // Hidden while a full-screen program covers the clock's monitor, which
    // is not the hidden clock that rings no alarms.
    FullScreenHiding fullScreen;
    FullScreenGlue fullScreenGlue;
    TrayTipGlue trayTip;
};

extern AppState app;

// The persisted part, as saveSettings takes it.
inline Settings persistedPart(const AppState& state)
{
    return static_cast<const Settings&>(state);
}
