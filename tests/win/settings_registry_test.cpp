// saveSettings and loadSettings over the real registry, and the program folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "settings/settings_store.h"
#include "settings/settings_win.h"

// A key's values by name, each as the program always stored it: texts REG_SZ with one NUL, numbers 4-byte REG_DWORDs.
static std::map<std::string, std::string> valuesOf(const char* path)
{
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    char name[64], data[300];
    DWORD nameSize = sizeof name, type, size = sizeof data - 1;
    while (!RegEnumValueA(key, values.size(), name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &size)) {
        data[size] = '\0';
        std::string n = name;
        bool isText = n == "Path to wave file" || n == "Tockmere" || n.ends_with("_description") || n.ends_with("_sound") ||
                      n.ends_with("_snooze") || n == "Reminder snooze";
        EXPECT_TRUE(isText ? type == REG_SZ && size == std::strlen(data) + 1 : type == REG_DWORD && size == 4) << n;
        values[n] = data;
        nameSize = sizeof name, size = sizeof data - 1;
    }
    RegCloseKey(key);
    return values;
}

TEST(SettingsRegistry, EveryValueAndAFullTableComeBackStoredWithTheirTypesAndTheRunValueStaysTheSame)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, -30, 77, 120, 40, nullptr, nullptr, nullptr, nullptr);
    // Every persisted field away from its default, the longest texts, and all 100 slots in use.
    Settings saved{1, 1, 1, 1, 1, 1, 0, 55, 2, "", 1, 3, {}, 5, 6, 0x00010203, 0x00FFFFFF, 0x00808080, 65, 0, 7, {0, "Stretch", 7, 30}};
    const long long moment = 63967217700;  // 2027-03-15 07:35:00
    saved.snoozedReminder.snoozeUtc = moment;
    std::memset(saved.wavePath, 'w', TEXT_SIZE - 1);
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        saved.events.slots[slot] = {slot % 2, "alarm", slot % 24, slot * 7 % 60, slot % 5,
                                    {slot % 3 == 0, 0, 0, slot % 2, 0, 0, slot % 5 == 0}, slot % 31 + 1, slot % 12 + 1,
                                    0, 0, 0, 0, slot % 3 ? 0 : 20270301 + slot % 28, "own.wav", slot % 4 ? 0 : moment + slot * 60};
    std::memset(saved.events.slots[7].description, 'd', TEXT_SIZE - 1);
    std::memset(saved.events.slots[8].sound, 's', TEXT_SIZE - 1);
    char modulePath[MAX_PATH];
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    for (int save = 0; save < 3; ++save) {
        ASSERT_EQ(saveSettings(saved, window), ERROR_SUCCESS);
        EXPECT_EQ(valuesOf(RUN_KEY_PATH)["Tockmere"], "\"" + std::string(modulePath) + "\" -autorun") << save;
    }
    EXPECT_EQ(valuesOf(PROGRAM_KEY_PATH).size(), 20u);
    EXPECT_EQ(valuesOf(EVENTS_KEY_PATH).size(), 1100u);
    AppState loaded{};  // zeroed like the saved record, so the bytes after each text's NUL compare too
    loadSettings(loaded);
    saved.posX = -30, saved.posY = 77;  // from the window, not from the record
    EXPECT_EQ(std::memcmp(static_cast<Settings*>(&loaded), &saved, sizeof saved), 0);
    saved.autoRun = 0, saveSettings(saved, window);
    EXPECT_EQ(valuesOf(RUN_KEY_PATH).count("Tockmere"), 0u);
    DestroyWindow(window);
    RegDeleteKeyA(HKEY_CURRENT_USER, EVENTS_KEY_PATH);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY_PATH);
}

// Runs again under a command line whose first token, cut at its blank or not, names other folders.
TEST(ProgramFolder, ComesFromTheModuleNotFromTheCommandLine)
{
    char self[MAX_PATH], folder[TEXT_SIZE];
    char commandLine[] = "C:\\Other Folder\\tockmere.exe --gtest_brief=1 --gtest_filter=ProgramFolder.*";
    GetModuleFileNameA(nullptr, self, sizeof self);
    getProgramFolder(folder);
    EXPECT_EQ(std::string(folder), std::string(self, std::strrchr(self, '\\') + 1)) << GetCommandLineA();
    if (std::strstr(GetCommandLineA(), "Other Folder"))
        return;
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessA(self, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    DWORD exitCode = 2;
    WaitForSingleObject(child.hProcess, 30000), GetExitCodeProcess(child.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u) << "the folder came from the command line";
    CloseHandle(child.hThread), CloseHandle(child.hProcess);
}

