#include "settings/settings_win.h"

#include "res/resource.h"
#include "settings/registry_win.h"
#include "settings/settings_store.h"

namespace {

// The product name, string 103, names the Run value.
void loadProductName(char (&name)[TEXT_SIZE])
{
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, name, TEXT_SIZE) <= 0)
        name[0] = '\0';
}

void loadProductName(wchar_t (&name)[TEXT_SIZE])
{
    if (LoadStringW(GetModuleHandleA(nullptr), IDS_APP_TITLE, name, TEXT_SIZE) <= 0)
        name[0] = L'\0';
}

// The Run command from the program's own file, whatever its command line
// was; empty when the path does not fit (GetModuleFileName then cuts it).
void buildOwnRunCommand(wchar_t (&command)[RUN_COMMAND_SIZE])
{
    wchar_t modulePath[TEXT_SIZE];
    DWORD length = GetModuleFileNameW(nullptr, modulePath, TEXT_SIZE);
    if (length == 0 || length >= TEXT_SIZE)
        modulePath[0] = L'\0';
    buildRunCommand(modulePath, command, RUN_COMMAND_SIZE);
}

}  // namespace

void getProgramFolder(char* buffer)
{
    char modulePath[TEXT_SIZE];
    DWORD length = GetModuleFileNameA(nullptr, modulePath, TEXT_SIZE);
    if (length == 0 || length >= TEXT_SIZE)
        modulePath[0] = '\0';
    programFolderOf(modulePath, buffer, TEXT_SIZE);
}

void setDefaults(Settings& settings)
{
    char folder[TEXT_SIZE];
    getProgramFolder(folder);
    setDefaults(settings, folder);
}

void loadSettings(AppState& state)
{
    char folder[TEXT_SIZE];
    getProgramFolder(folder);
    char runValueName[TEXT_SIZE];
    loadProductName(runValueName);
    Win32Registry registry;
    if (!loadSettingsFrom(registry, state, folder, runValueName))
        SendMessageA(state.hwndMain, WM_COMMAND, IDM_FIRST_START_HELP, 0);
}

LONG saveSettings(Settings copy, HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    char runValueName[TEXT_SIZE];
    loadProductName(runValueName);
    wchar_t wideRunValueName[TEXT_SIZE];
    loadProductName(wideRunValueName);
    wchar_t command[RUN_COMMAND_SIZE];
    buildOwnRunCommand(command);
    Win32Registry registry;
    return saveSettingsTo(registry, copy, rect.left, rect.top, RunValue{runValueName, wideRunValueName, command});
}
