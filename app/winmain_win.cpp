// The entry point: one clock per desktop, GDI+, the clock window, the
// notification-area icon and the message loop.
#include <windows.h>

#include <gdiplus.h>

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "app/struct_sizes_win.h"
#include "app/tray_icon_win.h"
#include "res/resource.h"

namespace {

// Another clock already runs: bring it forward and leave.
bool activateRunningClock()
{
    HWND running = FindWindowA(app.className, NULL);
    if (!running)
        return false;
    if (IsIconic(running))
        ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
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
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
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

    if (activateRunningClock())
        return 0;
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
