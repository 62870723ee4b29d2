// loadSettings and saveSettings against the real registry: the first start,
// a round trip of every value and a full table, the Run value, stale slots,
// what the real queries make of damaged values, and the program folder.
// Only the program's key and its Run value are touched; both are removed
// before and after every test.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "settings/settings_win.h"

namespace {

const char RUN_VALUE_NAME[] = "Tockmere";
const char FOLDER_REPORT_VARIABLE[] = "TOCKMERE_TEST_REPORT_PROGRAM_FOLDER";

// Started by ProgramFolder.ComesFromTheModuleNotFromTheCommandLine as a
// copy of this program: report the folder and leave before any test runs.
[[maybe_unused]] const bool reportedProgramFolder = [] {
    char reportPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, reportPath, sizeof reportPath);
    if (length == 0 || length >= sizeof reportPath)
        return false;
    char folder[TEXT_SIZE];
    getProgramFolder(folder);
    if (FILE* report = std::fopen(reportPath, "wb")) {
        std::fputs(folder, report);
        std::fclose(report);
    }
    ExitProcess(0);
}();

void removeProgramEntries()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, EVENTS_KEY_PATH);
    RegDeleteKeyA(HKEY_CURRENT_USER, PROGRAM_KEY_PATH);
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY_PATH, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, RUN_VALUE_NAME);
        RegCloseKey(run);
    }
}

bool keyExists(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void setRaw(const char* path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void setDword(const char* path, const char* name, DWORD value)
{
    setRaw(path, name, REG_DWORD, &value, sizeof value);
}

// The Run value as wide text, or "<absent>".
std::wstring runValue()
{
    HKEY run = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY_PATH, 0, KEY_READ, &run) != ERROR_SUCCESS)
        return L"<absent>";
    wchar_t data[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof data - sizeof(wchar_t);
    LONG status = RegQueryValueExW(run, L"Tockmere", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(run);
    if (status != ERROR_SUCCESS)
        return L"<absent>";
    return type == REG_SZ ? std::wstring(data) : L"<not text>";
}

DWORD valueCountOf(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return count;
}

std::string ownFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.rfind('\\') + 1);
}

// A hidden window at a chosen place: saveSettings takes X and Y from it.
HWND makeWindowAt(int x, int y)
{
    return CreateWindowExA(0, "STATIC", "settings test", WS_POPUP, x, y, 120, 40, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Records the WM_COMMANDs the main window receives.
std::vector<std::pair<WPARAM, LPARAM>> commandsReceived;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        commandsReceived.emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND makeRecordingWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = RecordingWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SettingsTestMainWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

// Every persisted field away from its default, and all 100 slots in use.
std::unique_ptr<Settings> fullSettings()
{
    auto s = std::make_unique<Settings>();
    *s = Settings{};
    s->showSeconds = 1;
    s->flashDelimiter = 1;
    s->showDate = 1;
    s->showDayOfWeek = 1;
    s->showShadow = 1;
    s->autoRun = 1;
    s->alwaysOnTop = 0;
    s->opacity = 55;
    s->alarmDuration = 2;
    std::strcpy(s->wavePath, "C:\\Sounds\\bell tower.wav");
    s->showAlarmDialog = 1;
    s->backgroundType = 3;
    s->colorBorder = 0x00010203;
    s->colorBase = 0x00FFFFFF;
    s->colorText = 0x00808080;
    s->scale = 65;
    for (int slot = 0; slot < MAX_EVENTS; ++slot) {
        AlarmEvent& event = s->events.slots[slot];
        event.isOn = slot % 2;
        event.hours = slot % 24;
        event.minutes = (slot * 7) % 60;
        event.period = slot % 4;
        for (int day = 0; day < 7; ++day)
            event.days[day] = (slot >> day) & 1;
        event.baseDay = slot % 31 + 1;
        event.baseMonth = slot % 12 + 1;
        std::snprintf(event.description, sizeof event.description, "alarm %d", slot);
    }
    std::memset(s->events.slots[7].description, 'd', TEXT_SIZE - 1);
    std::memset(s->events.slots[8].description, 0, TEXT_SIZE);
    return s;
}

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override
    {
        removeProgramEntries();
        window = makeWindowAt(-30, 77);
        ASSERT_NE(window, nullptr);
        loaded = std::make_unique<AppState>();
    }
    void TearDown() override
    {
        DestroyWindow(window);
        removeProgramEntries();
    }

    HWND window = nullptr;
    std::unique_ptr<AppState> loaded;
};

TEST_F(SettingsRegistry, FirstStartSendsTheHelpCommandAndKeepsTheDefaults)
{
    loaded->hwndMain = makeRecordingWindow();
    ASSERT_NE(loaded->hwndMain, nullptr);
    commandsReceived.clear();

    loadSettings(*loaded);

    ASSERT_EQ(commandsReceived.size(), 1u);
    EXPECT_EQ(commandsReceived[0].first, 5u);
    EXPECT_EQ(commandsReceived[0].second, 0);
    EXPECT_EQ(loaded->autoRun, 1);
    EXPECT_EQ(loaded->scale, 100);
    EXPECT_EQ(loaded->backgroundType, 1);
    EXPECT_EQ(loaded->posX, -1);
    EXPECT_EQ(loaded->colorBorder, DEFAULT_COLOR_BORDER);
    EXPECT_EQ(std::string(loaded->wavePath), ownFolder() + "rooster.wav");
    EXPECT_EQ(eventCount(loaded->events), 0);
    EXPECT_FALSE(keyExists(PROGRAM_KEY_PATH));  // loading writes nothing
    DestroyWindow(loaded->hwndMain);
}

TEST_F(SettingsRegistry, SaveAndLoadRoundTripEveryValueAndAFullTable)
{
    auto saved = fullSettings();
    ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
    EXPECT_EQ(valueCountOf(PROGRAM_KEY_PATH), 17u);
    EXPECT_EQ(valueCountOf(EVENTS_KEY_PATH), 800u);

    loaded->hwndMain = nullptr;
    loadSettings(*loaded);
    const Settings& got = *loaded;
    EXPECT_EQ(got.showSeconds, 1);
    EXPECT_EQ(got.flashDelimiter, 1);
    EXPECT_EQ(got.showDate, 1);
    EXPECT_EQ(got.showDayOfWeek, 1);
    EXPECT_EQ(got.showShadow, 1);
    EXPECT_EQ(got.autoRun, 1);
    EXPECT_EQ(got.alwaysOnTop, 0);
    EXPECT_EQ(got.opacity, 55);
    EXPECT_EQ(got.alarmDuration, 2);
    EXPECT_STREQ(got.wavePath, "C:\\Sounds\\bell tower.wav");
    EXPECT_EQ(got.showAlarmDialog, 1);
    EXPECT_EQ(got.backgroundType, 3);
    EXPECT_EQ(got.posX, -30);  // from the window, not from the record
    EXPECT_EQ(got.posY, 77);
    EXPECT_EQ(got.colorBorder, 0x00010203u);
    EXPECT_EQ(got.colorBase, 0x00FFFFFFu);
    EXPECT_EQ(got.colorText, 0x00808080u);
    EXPECT_EQ(got.scale, 65);
    ASSERT_EQ(eventCount(got.events), MAX_EVENTS);
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        EXPECT_EQ(std::memcmp(&got.events.slots[slot], &saved->events.slots[slot], sizeof(AlarmEvent)), 0)
            << "slot " << slot << " " << got.events.slots[slot].description;
}

TEST_F(SettingsRegistry, RunValueIsTheQuotedModulePathWrittenAndDeletedAsAutoRunSays)
{
    wchar_t modulePath[MAX_PATH];
    GetModuleFileNameW(nullptr, modulePath, MAX_PATH);
    const std::wstring expected = L"\"" + std::wstring(modulePath) + L"\" -autorun";

    auto saved = fullSettings();
    saved->events.slots[0].hours = -1;
    for (int save = 0; save < 3; ++save) {
        ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
        EXPECT_EQ(runValue(), expected) << "save " << save;
    }
    loadSettings(*loaded);
    EXPECT_EQ(loaded->autoRun, 1);

    saved->autoRun = 0;
    ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
    EXPECT_EQ(runValue(), L"<absent>");
    loadSettings(*loaded);
    EXPECT_EQ(loaded->autoRun, 0);
    EXPECT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);  // deleting it again is harmless
}

TEST_F(SettingsRegistry, SavingAShorterTableLeavesNoValuesOfTheOldSlots)
{
    auto saved = fullSettings();
    ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
    saved->events.slots[3].hours = -1;
    ASSERT_EQ(saveSettings(*saved, window), ERROR_SUCCESS);
    EXPECT_EQ(valueCountOf(EVENTS_KEY_PATH), 3u * 8);

    loadSettings(*loaded);
    ASSERT_EQ(eventCount(loaded->events), 3);
    EXPECT_STREQ(loaded->events.slots[2].description, "alarm 2");
    EXPECT_EQ(loaded->events.slots[2].days[1], 1);
}

// The real RegQueryValueExA on values the program never writes.
TEST_F(SettingsRegistry, DamagedValuesAreReadAsTheStoreExpects)
{
    setRaw(PROGRAM_KEY_PATH, "Scale", REG_SZ, "75", 3);
    setDword(PROGRAM_KEY_PATH, "UnTransparent", 70);
    setDword(PROGRAM_KEY_PATH, "Background type", 0xFFFFFFFF);
    setDword(PROGRAM_KEY_PATH, "X", static_cast<DWORD>(-200));
    const std::string longPath(300, 'p');
    setRaw(PROGRAM_KEY_PATH, "Path to wave file", REG_SZ, longPath.c_str(), 301);

    setDword(EVENTS_KEY_PATH, "Event_00_is_on", 1);
    setDword(EVENTS_KEY_PATH, "Event_00_hours", 6);
    setDword(EVENTS_KEY_PATH, "Event_00_minutes", 45);
    setDword(EVENTS_KEY_PATH, "Event_00_period", 0);
    setDword(EVENTS_KEY_PATH, "Event_00_days", 65);
    setDword(EVENTS_KEY_PATH, "Event_00_base_date_day", 1);
    setDword(EVENTS_KEY_PATH, "Event_00_base_date_month", 1);
    setRaw(EVENTS_KEY_PATH, "Event_00_description", REG_SZ, "wake up", 7);  // no NUL
    setDword(EVENTS_KEY_PATH, "Event_01_is_on", 1);
    setRaw(EVENTS_KEY_PATH, "Event_01_hours", REG_BINARY, "\x07\0\0\0", 4);

    loadSettings(*loaded);
    EXPECT_EQ(loaded->scale, 100);
    EXPECT_EQ(loaded->opacity, 70);
    EXPECT_EQ(loaded->backgroundType, 1);
    EXPECT_EQ(loaded->posX, -200);
    EXPECT_EQ(std::string(loaded->wavePath), ownFolder() + "rooster.wav");
    EXPECT_EQ(loaded->autoRun, 0);
    ASSERT_EQ(eventCount(loaded->events), 1);
    EXPECT_STREQ(loaded->events.slots[0].description, "wake up");
    EXPECT_EQ(loaded->events.slots[0].days[0], 1);
    EXPECT_EQ(loaded->events.slots[0].days[6], 1);
}

TEST(ProgramFolder, ComesFromTheModuleNotFromTheCommandLine)
{
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    const std::string folder = std::string(temp) + "Tockmere folder test\\";
    const std::string program = folder + "clock test.exe";
    const std::string report = std::string(temp) + "tockmere-folder-report.txt";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    ASSERT_TRUE(CopyFileA(self, program.c_str(), FALSE));
    DeleteFileA(report.c_str());

    // Unquoted, so the first blank of the path ends the command line's first token.
    std::vector<char> commandLine(program.begin(), program.end());
    commandLine.push_back('\0');
    SetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, report.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &child);
    SetEnvironmentVariableA(FOLDER_REPORT_VARIABLE, nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    char reported[TEXT_SIZE] = {};
    if (FILE* file = std::fopen(report.c_str(), "rb")) {
        std::fread(reported, 1, sizeof reported - 1, file);
        std::fclose(file);
    }
    EXPECT_EQ(std::string(reported), folder);
    DeleteFileA(report.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(folder.c_str());

    char own[TEXT_SIZE];
    getProgramFolder(own);
    EXPECT_EQ(std::string(own), ownFolder());
}

}  // namespace
