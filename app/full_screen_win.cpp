#include "app/full_screen_win.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/full_screen.h"
#include "face/monitors_win.h"
#include "face/placement.h"

namespace {


bool hasClass(HWND window, const char* className)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className) == 0;
}

// The desktop and the taskbar fill the screen without being a program.
bool isDesktopOrShell(HWND window)
{
    return window == GetDesktopWindow() || window == GetShellWindow() || hasClass(window, "Progman") ||
           hasClass(window, "WorkerW") || hasClass(window, "Shell_TrayWnd") ||
           hasClass(window, "Shell_SecondaryTrayWnd");
}

bool isClocksOwn(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool fullScreenProgramCoversClock(HWND foreground)
{
    if (!app.hideForFullScreen || !foreground || !IsWindowVisible(foreground) || IsIconic(foreground) ||
        isDesktopOrShell(foreground) || isClocksOwn(foreground))
        return false;
    return coversHomeMonitor(displayMonitors(), windowRectOf(app.hwndMain), windowRectOf(foreground));
}

// Out of context: each event arrives as a message to this thread, in
// whatever message loop runs (the settings sheet's too).
void CALLBACK onWindowEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_WINDOW || child != CHILDID_SELF)
        return;
    if (event == EVENT_OBJECT_LOCATIONCHANGE && window != GetForegroundWindow())
        return;
    if ((event == EVENT_OBJECT_DESTROY || event == EVENT_OBJECT_HIDE) && window != app.fullScreenGlue.coveringWindow)
        return;
    followFullScreen();
}

HWINEVENTHOOK hookEvents(DWORD first, DWORD last)
{
    return SetWinEventHook(first, last, NULL, onWindowEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
}

}  // namespace

void startFollowingFullScreen()
{
    FullScreenGlue& glue = app.fullScreenGlue;
    glue.foregroundHook = hookEvents(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND);
    glue.goneHook = hookEvents(EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE);
    glue.locationHook = hookEvents(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE);
}

void stopFollowingFullScreen()
{
    FullScreenGlue& glue = app.fullScreenGlue;
    for (HWINEVENTHOOK* hook : {&glue.foregroundHook, &glue.goneHook, &glue.locationHook})
        if (*hook)
            UnhookWinEvent(*hook), *hook = NULL;
}

void followFullScreen()
{
    if (!app.hwndMain || app.drawingReleased)
        return;
    HWND foreground = GetForegroundWindow();
    bool covered = fullScreenProgramCoversClock(foreground);
    switch (nextFullScreenStep(app.fullScreen, covered, IsWindowVisible(app.hwndMain) != FALSE)) {
    case FULL_SCREEN_HIDE:
        app.fullScreenGlue.coveringWindow = foreground;
        ShowWindow(app.hwndMain, SW_HIDE);
        break;
    case FULL_SCREEN_SHOW:
        app.fullScreenGlue.coveringWindow = NULL;
        ShowWindow(app.hwndMain, SW_SHOWNOACTIVATE);
        break;
    case FULL_SCREEN_STAY:
        break;
    }
}
