#include "face/window_dpi_win.h"

#include "face/face_geometry.h"

namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
// GetDpiForMonitor's MDT_EFFECTIVE_DPI.
using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int EFFECTIVE_DPI = 0;

// Looked up by name: a static import of either would keep the clock from
// starting on Windows 7.
template <typename Function>
Function lookUp(const char* module, const char* name)
{
    HMODULE library = GetModuleHandleA(module);
    if (!library)
        library = LoadLibraryA(module);
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
}

}  // namespace

int monitorDpi(HMONITOR monitor)
{
    static const DpiForMonitor forMonitor = lookUp<DpiForMonitor>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (forMonitor && forMonitor(monitor, EFFECTIVE_DPI, &x, &y) == S_OK && y > 0)
        return static_cast<int>(y);
    HDC dc = GetDC(NULL);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(NULL, dc);
    return dpi > 0 ? dpi : BASE_DPI;
}

int windowDpi(HWND window)
{
    static const DpiForWindow forWindow = lookUp<DpiForWindow>("user32.dll", "GetDpiForWindow");
    if (forWindow)
        if (UINT dpi = forWindow(window))
            return static_cast<int>(dpi);
    return monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}
