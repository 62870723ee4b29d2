#include "app/tray_icon_win.h"

#include "app/app_state.h"
#include "app/struct_sizes_win.h"
#include "res/resource.h"

namespace {

NOTIFYICONDATAA trayIconData(UINT flags)
{
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFY_ICON_DATA_SIZE;
    data.hWnd = app.hwndMain;
    data.uID = TRAY_ICON_ID;
    data.uFlags = flags;
    return data;
}

}  // namespace

BOOL addTrayIcon()
{
    NOTIFYICONDATAA data = trayIconData(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = LoadIconA(app.hInstance, MAKEINTRESOURCEA(IDI_SMALL));
    lstrcpynA(data.szTip, app.caption, 128);
    return Shell_NotifyIconA(NIM_ADD, &data);
}

void deleteTrayIcon()
{
    NOTIFYICONDATAA data = trayIconData(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void clearBalloon()
{
    NOTIFYICONDATAA data = trayIconData(NIF_INFO);
    data.szInfo[0] = 0;
    data.szInfoTitle[0] = 0;
    data.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
