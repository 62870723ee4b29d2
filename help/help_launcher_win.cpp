#include "help/help_launcher_win.h"

#include <shellapi.h>

#include "app/app_state.h"
#include "settings/settings_win.h"

bool getHelpViewerPath(char* path)
{
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof "\\hh.exe" > MAX_PATH)
        return false;
    lstrcpyA(path + length, "\\hh.exe");
    return true;
}

void showHelp(int topic)
{
    char folder[MAX_PATH];
    getProgramFolder(folder);
    CountedString parameters = helpParameters(topic, folder, app.caption);
    // By its full path: a bare name is searched for in the current folder
    // first, where anyone could have put a program of that name.
    char viewer[MAX_PATH];
    if (getHelpViewerPath(viewer))
        ShellExecuteA(app.hwndMain, "open", viewer, parameters.data, NULL, SW_SHOWNORMAL);
}
