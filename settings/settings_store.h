#pragma once
// The rules of the settings store: the defaults, what is read from and
// written to the registry, in which order and with which checks. The Win32
// side (settings_win.h) supplies the real registry, the program's own paths
// and the window position.
#include <cstddef>
#include <cstdint>

#include "settings/registry.h"
#include "settings/settings.h"

extern const char PROGRAM_KEY_PATH[];
extern const char EVENTS_KEY_PATH[];
extern const char RUN_KEY_PATH[];
extern const char DEFAULT_SOUND_NAME[];

// The Run command: the module path in double quotes, then " -autorun".
// A module path of up to 259 characters always fits.
constexpr std::size_t RUN_COMMAND_SIZE = TEXT_SIZE + 11;

// The folder of the given module path up to and including its last
// backslash. A folder that does not fit the buffer gives the empty folder
// rather than a cut one, which would name some other folder.
void programFolderOf(const char* modulePath, char* folder, std::size_t folderSize);

// Every persisted field except the event table. The default sound is
// "rooster.wav" in the program folder, or the bare name when the two
// together would not fit `wavePath`.
void setDefaults(Settings& settings, const char* programFolder);

// The "_days" value: bit j set exactly when days[j] is nonzero, Sunday = bit 0.
std::uint32_t daysMask(const int days[7]);
void daysFromMask(std::uint32_t mask, int days[7]);

// Writes the Run command for the given module path. Returns false, leaving
// the empty text, when the path is empty or the command would not fit.
bool buildRunCommand(const wchar_t* modulePath, wchar_t* command, std::size_t commandSize);

// The Run value: its name (the product name) and what it starts.
struct RunValue {
    const char* name;
    const wchar_t* wideName;
    const wchar_t* command;  // empty: unknown, the value is then left as it is
};

// Defaults first, then whatever the registry holds. Returns false when the
// program key is missing (the first start): defaults, an empty table and
// `autoRun` 1. An empty Run value name leaves the Run key alone.
bool loadSettingsFrom(Registry& registry, Settings& settings, const char* programFolder, const char* runValueName);

// Writes everything, taking the position from the window's current origin.
// Returns the status of the key at which it stopped, or of the last close.
RegistryStatus saveSettingsTo(Registry& registry, const Settings& settings, int windowLeft, int windowTop,
                              const RunValue& run);
