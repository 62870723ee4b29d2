// The clock window: creation, painting, dragging, the popup menu and its
// commands, the notification-area icon, the timer, and saving at the end.
#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "alarms/clock_tick.h"
#include "alarms/clock_tick_win.h"
#include "alarms/message_window_win.h"
#include "alarms/snooze_win.h"
#include "app/app_state.h"
#include "app/full_screen_win.h"
#include "app/settings_sheet_win.h"
#include "app/tray_icon_win.h"
#include "face/face_font_win.h"
#include "face/face_geometry.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "face/face_text_win.h"
#include "face/window_dpi_win.h"
#include "help/about_box_win.h"
#include "help/calendar_win.h"
#include "help/help_launcher_win.h"
#include "res/resource.h"
#include "settings/settings_win.h"

namespace {

const char HOME_PAGE[] = "https://vellomar.example.com/tockmere/";
constexpr int FIRST_START_HELP_TOPIC = 6;

// Explorer broadcasts this when it (re)starts; the icon must be added again.
UINT taskbarCreatedMessage()
{
    static UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void makeProgramFolderCurrentWhenAutorun()
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return;
    if (count > 1 && lstrcmpW(args[1], L"-autorun") == 0) {
        LPWSTR programPath = args[0];
        LPWSTR lastBackslash = NULL;
        for (LPWSTR p = programPath; *p; ++p)
            if (*p == L'\\')
                lastBackslash = p;
        if (lastBackslash)
            lastBackslash[1] = 0;
        SetCurrentDirectoryW(programPath);
    }
    LocalFree(args);
}

// The two off-screen buffers start at one pixel: the first layout grows them
// to the face (ensureDrawingBuffers), so they never hold more than it needs.
void createDrawingBuffers()
{
    HDC windowDC = GetDC(app.hwndMain);
    app.frameDC = CreateCompatibleDC(windowDC);
    HBITMAP frame = CreateCompatibleBitmap(windowDC, 1, 1);
    app.backgroundDC = CreateCompatibleDC(windowDC);
    HBITMAP background = CreateCompatibleBitmap(windowDC, 1, 1);
    ReleaseDC(app.hwndMain, windowDC);
    app.frameBitmap = static_cast<HBITMAP>(SelectObject(app.frameDC, frame));
    app.backgroundBitmap = static_cast<HBITMAP>(SelectObject(app.backgroundDC, background));
    app.bufferWidth = 1;
    app.bufferHeight = 1;
    app.drawingReleased = false;
}

void releaseDrawingObjects()
{
    if (app.drawingReleased)
        return;
    app.drawingReleased = true;
    app.frameBitmap = static_cast<HBITMAP>(SelectObject(app.frameDC, app.frameBitmap));
    DeleteDC(app.frameDC);
    DeleteObject(app.frameBitmap);
    app.backgroundBitmap = static_cast<HBITMAP>(SelectObject(app.backgroundDC, app.backgroundBitmap));
    DeleteDC(app.backgroundDC);
    DeleteObject(app.backgroundBitmap);
    releaseClockFont();
    DestroyMenu(app.menuBar);  // and with it the popup
}

void addColorPreset(const char* name, ColorRef border, ColorRef base, ColorRef text)
{
    if (app.presetCount >= MAX_PRESETS)
        return;
    ColorPreset& preset = app.colorPresets[app.presetCount++];
    lstrcpynA(preset.name, name, sizeof preset.name);
    preset.border = border;
    preset.base = base;
    preset.text = text;
}

void addColorPresets()
{
    addColorPreset("Default", 0x6A3B05, 0xDEC8CD, 0);
    addColorPreset("Beige", 0x87A1A1, 0xA7C3C3, 0);
    addColorPreset("Light blue", 0xB58153, 0xF1C5A6, 0);
    addColorPreset("Olive", 0x508578, 0xAAE7D9, 0);
}

void initCommonControls()
{
    InitCommonControls();
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
}

LRESULT onCreate(HWND hwnd)
{
    app.hwndMain = hwnd;
    loadSettings(app);
    makeProgramFolderCurrentWhenAutorun();
    createDrawingBuffers();
    fillFaceDayNames();
    app.dpi = windowDpi(hwnd);
    SetWindowPos(hwnd, NULL, app.posX, app.posY, measureFaceWidth(), faceHeight(app.scale, app.dpi),
                 SWP_NOZORDER);
    applyFaceSettings();
    addColorPresets();
    app.reminder.baseHours = -1;
    armClockTimer();
    initCommonControls();
    app.menuBar = LoadMenuA(app.hInstance, MAKEINTRESOURCEA(IDR_POPUP_MENU));
    app.popupMenu = GetSubMenu(app.menuBar, 0);
    startFollowingFullScreen();
    return 0;
}

// WM_DESTROY, or the session ending: save, let go of the drawing objects and
// end the message loop; once only.
void endClock(HWND hwnd)
{
    if (app.drawingReleased)
        return;
    saveSettings(persistedPart(app), hwnd);
    stopFollowingFullScreen();
    releaseDrawingObjects();
    PostQuitMessage(0);
}

// Asked whether the session may end: the settings are saved now, and the
// clock runs on until the end is certain, since a program or the user may
// still cancel it.
LRESULT onQueryEndSession(HWND hwnd)
{
    saveSettings(persistedPart(app), hwnd);
    return TRUE;
}

// Windows may end the process as soon as this returns, so everything the
// end does happens here, the icon's removal included.
void onEndSession(HWND hwnd, WPARAM ending)
{
    if (!ending)
        return;
    endClock(hwnd);
    deleteTrayIcon();
}

// A resolution change, a monitor gone, a taskbar moved: the clock stays in
// sight, on the monitor that holds most of it, and steps aside if that one is
// now covered. A changed locale or format may change the face text's width.
void onDisplayChange()
{
    keepOnScreen();
    followFullScreen();
}

void onSettingChange(WPARAM action)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    followFaceText(now);
    if (action == SPI_SETWORKAREA)
        keepOnScreen();
}

// The face laid out for the new DPI where Windows suggests, and kept in
// sight: the suggested place may lie off the work area.
void onDpiChanged(WPARAM wParam, LPARAM lParam)
{
    // The high word is the vertical DPI, the same as the horizontal.
    relayOutForDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    keepOnScreen();
}

void checkReminderItem()
{
    CheckMenuItem(app.popupMenu, IDM_REMINDER,
                  MF_BYCOMMAND | (app.reminder.isOn ? MF_CHECKED : MF_UNCHECKED));
}

// The coordinates are signed: a monitor left of or above the primary one has
// negative ones. From the keyboard (Shift+F10, the menu key) they are -1, -1
// and the menu opens over the middle of the clock.
void onContextMenu(HWND hwnd, LPARAM lParam)
{
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        RECT r;
        GetWindowRect(hwnd, &r);
        at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    checkReminderItem();
    offerSnoozeInMenu(app.popupMenu);
    TrackPopupMenuEx(app.popupMenu, 0, at.x, at.y, hwnd, NULL);
}

LRESULT onCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDM_SETTINGS: showSettingsSheet(SHEET_PAGE_SETTINGS); break;
    case IDM_ADVANCED: showSettingsSheet(SHEET_PAGE_ADVANCED); break;
    case IDM_ALARM: showSettingsSheet(SHEET_PAGE_ALARM); break;
    case IDM_REMINDER: showSettingsSheet(SHEET_PAGE_REMINDER); break;
    case IDM_CALENDAR:
        DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_CALENDAR), hwnd, CalendarDialog, 0);
        break;
    case IDM_DEFAULT_POSITION: placeAtDefaultPosition(); break;
    case IDM_HELP: showHelp(0); break;
    case IDM_ABOUT:
        DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_ABOUT), hwnd, AboutDialog, 0);
        break;
    case IDM_HOME_PAGE: ShellExecuteA(hwnd, "open", HOME_PAGE, NULL, NULL, SW_SHOWNORMAL); break;
    case IDM_EXIT: DestroyWindow(hwnd); break;
    case IDM_FIRST_START_HELP: showHelp(FIRST_START_HELP_TOPIC); break;
    case IDM_SNOOZE: snoozeRinging(); break;
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return 0;
}

// Windows reports the buttons by role, whatever the user's setting: the
// primary one arrives as the left button (WM_LBUTTON*, MK_LBUTTON), the
// secondary as the right one. The primary drags and stops the ringing; the
// secondary's release becomes WM_CONTEXTMENU in DefWindowProc.
// The mouse is not captured: the window follows only while the cursor is on it.
void onMouseMove(HWND hwnd, WPARAM keys)
{
    if (!(keys & MK_LBUTTON))
        return;
    POINT p;
    GetCursorPos(&p);
    int dx = p.x - app.dragOrigin.x;
    int dy = p.y - app.dragOrigin.y;
    app.dragOrigin = p;
    RECT r;
    GetWindowRect(hwnd, &r);
    OffsetRect(&r, dx, dy);
    SetWindowPos(hwnd, NULL, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
}

// The user acknowledged the alarm: a tick now stops what rings, rather than
// one that may be a minute away.
void stopRingingNow()
{
    requestStop(app.ringing);
    if (app.ringing.stopRequested)
        clockTick();
}

// A click of the primary button on the clock, or a message window closed.
void acknowledgeAlarm()
{
    stopRingingNow();
    clearBalloon();
}

void onTrayButtonDown(HWND hwnd, UINT button)
{
    stopRingingNow();
    SetForegroundWindow(hwnd);
    if (!IsWindowEnabled(hwnd)) {
        // A modal dialog or the settings sheet is open.
        MessageBeep(0);
        return;
    }
    if (button != WM_RBUTTONDOWN)  // the primary button only stops the ringing
        return;
    POINT p;
    GetCursorPos(&p);
    checkReminderItem();
    offerSnoozeInMenu(app.popupMenu);
    TrackPopupMenu(app.popupMenu, 0, p.x, p.y, 0, hwnd, NULL);
}

void onTrayNotify(HWND hwnd, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        onTrayButtonDown(hwnd, static_cast<UINT>(lParam));
        break;
    // The balloon going away by itself is no answer from the user: the
    // duration the user chose goes on.
    case NIN_BALLOONUSERCLICK:
        stopRingingNow();
        break;
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return onCreate(hwnd);
    case WM_DESTROY: endClock(hwnd); return 0;
    case WM_PAINT: paintFaceWindow(hwnd); return 0;
    case WM_QUERYENDSESSION: return onQueryEndSession(hwnd);
    case WM_ENDSESSION: onEndSession(hwnd, wParam); return 0;
    case WM_DISPLAYCHANGE: onDisplayChange(); return 0;
    case WM_SETTINGCHANGE: onSettingChange(wParam); return 0;
    case WM_CONTEXTMENU: onContextMenu(hwnd, lParam); return 0;
    case WM_COMMAND: return onCommand(hwnd, message, wParam, lParam);
    case WM_TIMER: clockTick(); return 0;
    case WM_TIMECHANGE: clockTickAfterClockChange(); return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
            clockTickAfterClockChange();
        return TRUE;
    case WM_MOUSEMOVE: onMouseMove(hwnd, wParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: GetCursorPos(&app.dragOrigin); return 0;
    case WM_LBUTTONUP:
        acknowledgeAlarm();
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_RBUTTONUP:  // DefWindowProc makes it WM_CONTEXTMENU
        return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_TRAYNOTIFY: onTrayNotify(hwnd, lParam); return 0;
    case WM_ALARM_ACKNOWLEDGED: acknowledgeAlarm(); return 0;
    case WM_DPICHANGED: onDpiChanged(wParam, lParam); return 0;
    }
    if (message == taskbarCreatedMessage() && message != 0) {
        keepAddingTrayIcon();
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
