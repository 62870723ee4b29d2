#include "face/monitors_win.h"

#include "face/window_dpi_win.h"

namespace {

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            {screenRectOf(info.rcMonitor), screenRectOf(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
             monitorDpi(monitor)});
    return TRUE;
}

}  // namespace

ScreenRect screenRectOf(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

ScreenRect windowRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return screenRectOf(r);
}

std::vector<MonitorArea> displayMonitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(NULL, NULL, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        ScreenRect desktop = windowRectOf(GetDesktopWindow());
        monitors.push_back({desktop, desktop, true, windowDpi(GetDesktopWindow())});
    }
    return monitors;
}
