// The entry point: one clock per desktop, GDI+, the clock window, the
// notification-area icon and the message loop.
#include <windows.h>

#include <gdiplus.h>

#include "alarms/message_window_win.h"
#include "app/app_state.h"
#include "app/main_window_win.h"
#include "app/struct_sizes_win.h"
#include "app/tray_icon_win.h"
#include "res/resource.h"

namespace {

// One clock per desktop: the first start of the session takes a named
// mutex, held until the process ends, so two starts at one moment (a logon
// start and the user's own) cannot both pass. A later one brings the
// running clock forward, once its window is there, and leaves.
constexpr DWORD RUNNING_CLOCK_WAIT_MS = 3000;

// Creates this session's clock mutex, held until the process ends; false
// when another clock created it first.
bool claimSessionMutex()
{
    char name[sizeof app.className + 8];
    wsprintfA(name, "Local\\%s", app.className);
    CreateMutexA(NULL, FALSE, name);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

void bringRunningClockForward()
{
    HWND running = NULL;
    for (DWORD waited = 0; !(running = FindWindowA(app.className, NULL)) && waited < RUNNING_CLOCK_WAIT_MS;
         waited += 100)
        Sleep(100);
    if (running) {
        if (IsIconic(running))
            ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
    }
}

void registerClockClass()
{
    WNDCLASSEXA wc{};
    wc.cbSize = WINDOW_CLASS_SIZE;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DROPSHADOW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = app.hInstance;
    wc.hIcon = LoadIconA(app.hInstance, MAKEINTRESOURCEA(IDI_TOCKMERE));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = app.className;
    wc.hIconSm = LoadIconA(app.hInstance, MAKEINTRESOURCEA(IDI_TOCKMERE));
    RegisterClassExA(&wc);
}

bool startGdiplus(ULONG_PTR* token)
{
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = NULL;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    if (Gdiplus::GdiplusStartup(token, &input, NULL) == Gdiplus::Ok)
        return true;
    MessageBoxA(NULL,
                "Error loading GDI+ library.\n"
                "Please download file GDIPLUS.DLL from https://www.microsoft.com/download\n"
                "and copy it to folder C:\\WINDOWS\\SYSTEM32.",
                app.caption, MB_ICONERROR);
    return false;
}

bool createClockWindow(int showCommand)
{
    HWND hwnd = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, app.className, app.caption,
                                WS_POPUP | WS_VISIBLE, 0, 0, 256, 192, NULL, NULL, app.hInstance, NULL);
    if (!hwnd)
        return false;
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return true;
}

WPARAM runMessageLoop()
{
    HACCEL accelerators = LoadAcceleratorsA(app.hInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        // The accelerators are the clock's commands: their WM_COMMAND goes to
        // the clock window, also when a message window has the keyboard.
        if (!TranslateAcceleratorA(app.hwndMain, accelerators, &msg) && !isMessageWindowKey(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return msg.wParam;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    LoadStringA(instance, IDS_APP_TITLE, app.caption, sizeof app.caption);
    LoadStringA(instance, IDS_CLASS_NAME, app.className, sizeof app.className);
    app.hInstance = instance;

    if (!claimSessionMutex()) {
        bringRunningClockForward();
        return 0;
    }
    registerClockClass();

    ULONG_PTR gdiplusToken = 0;
    if (!startGdiplus(&gdiplusToken))
        return 1;
    if (!createClockWindow(showCommand))
        return 1;
    keepAddingTrayIcon();

    WPARAM exitCode = runMessageLoop();

    deleteTrayIcon();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    return static_cast<int>(exitCode);
}
