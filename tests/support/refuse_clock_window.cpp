// A system-wide hook for the tests (WH_CBT, loaded into every process that
// creates a window): it refuses to let a window of the clock's class be
// created, so the clock's start meets a failed CreateWindowExA.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK refuseClockWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char className[64] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, "TOCKMERE") == 0)
            return 1;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
