// loadSettings and saveSettings against the real registry: the first start,
// a round trip of every value and a full table, the Run value, stale slots,
// damaged values, and the program folder. Only the program's key and its Run
// value are touched; both are removed before and after every test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "settings/settings_store.h"
#include "settings/settings_win.h"

namespace {

const char FOLDER_REPORT_VARIABLE[] = "TOCKMERE_TEST_REPORT_PROGRAM_FOLDER";

// Started by ProgramFolder.ComesFromTheModuleNotFromTheCommandLine as a copy
// of this program: report the folder and leave before any test runs.
[[maybe_unused]] const bool reportedProgramFolder = [] {
    char reportPath[MAX_PATH], folder[TEXT_SIZE];
    DWORD length = GetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, reportPath, sizeof reportPath);
    if (length == 0 || length >= sizeof reportPath)
        return false;
    getProgramFolder(folder);
    if (FILE* report = std::fopen(reportPath, "wb"))
        std::fputs(folder, report), std::fclose(report);
    ExitProcess(0);
}();

void setRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS) << name;
    RegCloseKey(key);
}

// The Run value as wide text, "<absent>" or "<not text>".
std::wstring runValue()
{
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof data - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Tockmere",
                     RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return L"<absent>";
    return type == REG_SZ ? std::wstring(data) : L"<not text>";
}

// The number of values of a key; -1 when it does not exist.
int valueCountOf(const char* path)
{
    HKEY key = nullptr;
    DWORD count = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return static_cast<int>(count);
}

std::string ownFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path).substr(0, std::string(path).rfind('\\') + 1);
}

// Records the WM_COMMANDs the main window receives.
std::vector<WPARAM> commandsReceived;
LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam == 0)
        commandsReceived.push_back(wParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeProgramEntries();
        // saveSettings takes X and Y from the window.
        window = CreateWindowExA(0, "STATIC", "settings test", WS_POPUP, -30, 77, 120, 40, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        // Every persisted field away from its default, and all 100 slots in use.
        *saved = Settings{1, 1, 1, 1, 1, 1, 0, 55, 2, "C:\\Sounds\\bell tower.wav", 1, 3, {}, 0, 0,
                          0x00010203, 0x00FFFFFF, 0x00808080, 65};
        for (int slot = 0; slot < MAX_EVENTS; ++slot) {
            AlarmEvent& event = saved->events.slots[slot];
            event = AlarmEvent{slot % 2, "", slot % 24, slot * 7 % 60, slot % 4, {}, slot % 31 + 1, slot % 12 + 1};
            for (int day = 0; day < 7; ++day)
                event.days[day] = (slot >> day) & 1;
            std::snprintf(event.description, sizeof event.description, "alarm %d", slot);
        }
        std::memset(saved->events.slots[7].description, 'd', TEXT_SIZE - 1);
        std::memset(saved->events.slots[8].description, 0, TEXT_SIZE);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        removeProgramEntries();
    }
    static void removeProgramEntries()
    {
        RegDeleteKeyA(HKEY_CURRENT_USER, EVENTS_KEY_PATH);
        RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY_PATH);
        HKEY run = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY_PATH, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS)
            RegDeleteValueA(run, "Tockmere"), RegCloseKey(run);
    }

    HWND window = nullptr;
    std::unique_ptr<Settings> saved = std::make_unique<Settings>();
    std::unique_ptr<AppState> loaded = std::make_unique<AppState>();
};

TEST_F(SettingsRegistry, FirstStartSendsTheHelpCommandAndKeepsTheDefaultsWritingNothing)
{
    WNDCLASSA windowClass{0, RecordingWindowProc, 0, 0, GetModuleHandleA(nullptr)};
    windowClass.lpszClassName = "SettingsTestMainWindow";
    RegisterClassA(&windowClass);
    loaded->hwndMain = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       windowClass.hInstance, nullptr);
    commandsReceived.clear();
    loadSettings(*loaded);
    EXPECT_EQ(commandsReceived, std::vector<WPARAM>{5});
    EXPECT_TRUE(loaded->autoRun == 1 && loaded->scale == 100 && loaded->backgroundType == 1 && loaded->posX == -1);
    EXPECT_EQ(loaded->colorBorder, DEFAULT_COLOR_BORDER);
    EXPECT_EQ(std::string(loaded->wavePath), ownFolder() + "rooster.wav");
    EXPECT_EQ(eventCount(loaded->events), 0);
    EXPECT_EQ(valueCountOf(PROGRAM_KEY_PATH), -1);
    DestroyWindow(loaded->hwndMain);
}

TEST_F(SettingsRegistry, SaveAndLoadRoundTripEveryValueAndAFullTableAndTheRunValueStaysTheSame)
{
    wchar_t modulePath[MAX_PATH];
    GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    for (int save = 0; save < 3; ++save) {
        ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
        EXPECT_EQ(runValue(), L"\"" + std::wstring(modulePath) + L"\" -autorun") << "save " << save;
    }
    EXPECT_EQ(valueCountOf(PROGRAM_KEY_PATH), 17);
    EXPECT_EQ(valueCountOf(EVENTS_KEY_PATH), 800);
    loadSettings(*loaded);
    saved->posX = -30;  // from the window, not from the record
    saved->posY = 77;
    EXPECT_EQ(std::memcmp(loaded.get(), saved.get(), offsetof(Settings, wavePath)), 0);
    EXPECT_STREQ(loaded->wavePath, "C:\\Sounds\\bell tower.wav");
    EXPECT_EQ(std::memcmp(&loaded->showAlarmDialog, &saved->showAlarmDialog,
                          offsetof(Settings, events) - offsetof(Settings, showAlarmDialog)), 0);
    EXPECT_EQ(std::memcmp(&loaded->posX, &saved->posX, sizeof(Settings) - offsetof(Settings, posX)), 0);
    ASSERT_EQ(eventCount(loaded->events), MAX_EVENTS);
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        EXPECT_EQ(std::memcmp(&loaded->events.slots[slot], &saved->events.slots[slot], sizeof(AlarmEvent)), 0)
            << "slot " << slot << " " << loaded->events.slots[slot].description;

    // A shorter table leaves no values of the old slots; autoRun off deletes the Run value.
    saved->events.slots[3].hours = -1;
    saved->autoRun = 0;
    ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
    EXPECT_EQ(valueCountOf(EVENTS_KEY_PATH), 3 * 8);
    EXPECT_EQ(runValue(), L"<absent>");
    EXPECT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);  // deleting it again is harmless
    loadSettings(*loaded);
    EXPECT_EQ(loaded->autoRun, 0);
    ASSERT_EQ(eventCount(loaded->events), 3);
    EXPECT_STREQ(loaded->events.slots[2].description, "alarm 2");
    EXPECT_EQ(loaded->events.slots[2].days[1], 1);
}

// The real RegQueryValueExA on values the program never writes.
TEST_F(SettingsRegistry, DamagedValuesAreReadAsTheStoreExpects)
{
    const DWORD numbers[] = {70, 0xFFFFFFFF, static_cast<DWORD>(-200), 1, 6, 45, 0, 65, 1, 1, 1};
    const char* names[] = {"UnTransparent", "Background type", "X", "Event_00_is_on", "Event_00_hours",
                           "Event_00_minutes", "Event_00_period", "Event_00_days", "Event_00_base_date_day",
                           "Event_00_base_date_month", "Event_01_is_on"};
    for (int i = 0; i < 11; ++i)
        setRaw(i < 3 ? PROGRAM_KEY_PATH : EVENTS_KEY_PATH, names[i], REG_DWORD, &numbers[i], 4);
    setRaw(PROGRAM_KEY_PATH, "Scale", REG_SZ, "75", 3);
    setRaw(PROGRAM_KEY_PATH, "Path to wave file", REG_SZ, std::string(300, 'p').c_str(), 301);
    setRaw(EVENTS_KEY_PATH, "Event_00_description", REG_SZ, "wake up", 7);  // no NUL
    setRaw(EVENTS_KEY_PATH, "Event_01_hours", REG_BINARY, "\x07\0\0\0", 4);
    loadSettings(*loaded);
    EXPECT_TRUE(loaded->scale == 100 && loaded->opacity == 70 && loaded->backgroundType == 1);
    EXPECT_EQ(loaded->posX, -200);
    EXPECT_EQ(std::string(loaded->wavePath), ownFolder() + "rooster.wav");
    EXPECT_EQ(loaded->autoRun, 0);
    ASSERT_EQ(eventCount(loaded->events), 1);
    EXPECT_STREQ(loaded->events.slots[0].description, "wake up");
    EXPECT_TRUE(loaded->events.slots[0].days[0] && loaded->events.slots[0].days[6]);
}

// The folder must come from the module file even when the command line's
// first token, cut at a blank, names some other place.
TEST(ProgramFolder, ComesFromTheModuleNotFromTheCommandLine)
{
    char temp[MAX_PATH], own[TEXT_SIZE], reported[TEXT_SIZE] = {};
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    const std::string folder = std::string(temp) + "Tockmere folder test\\", program = folder + "clock test.exe";
    const std::string report = std::string(temp) + "tockmere-folder-report.txt";
    CreateDirectoryA(folder.c_str(), nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    ASSERT_TRUE(CopyFileA(self, program.c_str(), FALSE));
    DeleteFileA(report.c_str());
    std::string commandLine = program;  // unquoted
    SetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, report.c_str());
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION child{};
    BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &child);
    SetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    if (FILE* file = std::fopen(report.c_str(), "rb"))
        std::fread(reported, 1, sizeof reported - 1, file), std::fclose(file);
    EXPECT_EQ(std::string(reported), folder);
    DeleteFileA(report.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());
    getProgramFolder(own);
    EXPECT_EQ(std::string(own), ownFolder());
}

}  // namespace
