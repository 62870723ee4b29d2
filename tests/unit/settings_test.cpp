// The settings store over the in-memory registry, and the colour page's white rule.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "memory_registry.h"
#include "settings/page_rules.h"
#include "settings/settings_store.h"

using Numbers = std::array<long long, 16>;
static const std::string MAIN = PROGRAM_KEY_PATH, EVENTS = EVENTS_KEY_PATH, RUN = RUN_KEY_PATH;
static const char* const SLOT_VALUES[8] = {"is_on", "hours", "minutes", "description", "period", "days",
                                           "base_date_day", "base_date_month"};  // in the order written
// The numbers in load order, stored with accepted values other than the defaults.
static const char* const NAMES[16] = {
    "Scale", "UnTransparent", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
    "Show shadow", "Background type", "Always on top", "X", "Y", "Color of text", "Color base", "Color border",
    "Duration of alarm", "Show dialog box for alarm"};
static const Numbers STORED = {50, 50, 1, 1, 1, 1, 1, 3, 0, -50, -100, 0x123456, 0xFFFFFFFF, 0, 2, 1};
static const Numbers DEFAULTS = {100, 100, 0, 0, 0, 0, 0, 1, 1, -1, -1, 0, 0x00DEC8CD, 0x006A3B05, 0, 0};

static Numbers numbersOf(const Settings& s)
{
    return {s.scale, s.opacity, s.showSeconds, s.flashDelimiter, s.showDate, s.showDayOfWeek, s.showShadow,
            s.backgroundType, s.alwaysOnTop, s.posX, s.posY, s.colorText, s.colorBase, s.colorBorder,
            s.alarmDuration, s.showAlarmDialog};
}

// Filled with garbage first, so that a field the load forgets shows.
static std::unique_ptr<Settings> loaded(MemoryRegistry& registry, bool programKeyFound = true)
{
    auto s = std::make_unique<Settings>();
    std::memset(s.get(), 0xA5, sizeof(Settings));
    EXPECT_EQ(loadSettingsFrom(registry, *s, "C:\\T\\", "Tockmere"), programKeyFound);
    return s;
}

static RegistryStatus save(MemoryRegistry& registry, const Settings& s, const wchar_t* command = L"\"t.exe\" -autorun")
{
    return saveSettingsTo(registry, s, -40, 1200, RunValue{"Tockmere", L"Tockmere", command});
}

static std::string slot(int i, const char* value) { return "Event_" + std::to_string(100 + i).substr(1) + "_" + value; }

TEST(SettingsStore, FirstStartGivesTheDefaultsWritesNothingAndTheRunValueFollows)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);  // false: the caller opens the first-start help
    EXPECT_EQ(numbersOf(*s), DEFAULTS);
    EXPECT_TRUE(s->autoRun == 1 && eventCount(s->events) == 0 && registry.log.empty() && registry.keys.empty());
    EXPECT_STREQ(s->wavePath, "C:\\T\\rooster.wav");
    wchar_t command[RUN_COMMAND_SIZE];
    ASSERT_TRUE(buildRunCommand(L"C:\\Program Files\\T\\t.exe", command, RUN_COMMAND_SIZE));
    for (int round = 0; round < 2; ++round) {  // the same from save to save
        ASSERT_EQ(save(registry, *s, command), REGISTRY_OK);
        EXPECT_EQ(registry.keys[RUN]["Tockmere"], text("\"C:\\Program Files\\T\\t.exe\" -autorun"));
        EXPECT_EQ((s = loaded(registry))->autoRun, 1);
    }
    s->autoRun = 0;
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    EXPECT_EQ(registry.keys[RUN].count("Tockmere") + loaded(registry)->autoRun, 0u);
}

TEST(SettingsStore, EachDamagedValueIsIgnoredAndItsNeighboursStillRead)
{
    std::vector<std::pair<int, MemoryRegistry::Value>> damages;  // of another type or size, or out of range
    for (int i = 0; i < 16; ++i)
        for (RegistryType type : {REGISTRY_TYPE_SZ, REGISTRY_TYPE_BINARY, 11u /* REG_QWORD */, REGISTRY_TYPE_DWORD})
            damages.push_back({i, {type, type == REGISTRY_TYPE_DWORD ? "K" : "KKKK"}});
    for (auto [i, value] : {std::pair{0, 49u}, {0, 101u}, {0, 0xFFFFFFCEu}, {1, 49u}, {1, 101u}, {7, 4u},
                            {7, 0xFFFFFFFFu}, {14, 3u}, {14, 7u}, {14, 0xFFFFFFFFu}})
        damages.push_back({i, number(value)});
    for (const auto& [damaged, value] : damages) {
        MemoryRegistry registry;
        for (int i = 0; i < 16; ++i)
            registry.keys[MAIN][NAMES[i]] = i == damaged ? value : number(std::uint32_t(STORED[i]));
        Numbers expected = STORED;
        expected[damaged] = DEFAULTS[damaged];
        EXPECT_EQ(numbersOf(*loaded(registry)), expected) << NAMES[damaged] << " " << value.first << " " << value.second;
    }
    const std::string p259(259, 'p'), fallback = "C:\\T\\rooster.wav";  // the wave path: to its first NUL, if any
    for (auto [value, path] : {std::pair{MemoryRegistry::Value{REGISTRY_TYPE_SZ, std::string("a\0b", 3)}, std::string("a")},
                               {{REGISTRY_TYPE_SZ, p259 + "p"}, p259}, {{REGISTRY_TYPE_SZ, p259 + "pp"}, fallback},
                               {number(0x41414141), fallback}}) {
        MemoryRegistry registry;
        registry.keys[MAIN]["Path to wave file"] = value;
        EXPECT_EQ(loaded(registry)->wavePath, path) << value.second.size() << " bytes";
    }
}

TEST(SettingsStore, EventsTableEndsAfterAHundredSlotsOrAtTheFirstIncompleteOne)
{
    MemoryRegistry registry, saved;
    registry.keys[MAIN];
    for (int i = 0; i < MAX_EVENTS; ++i) {
        const int numbers[8] = {1, i % 24, i % 60, 0, i % 4, i % 128, i % 31 + 1, i % 12 + 1};
        for (int v = 0; v < 8; ++v)
            registry.keys[EVENTS][slot(i, SLOT_VALUES[v])] = v == 3 ? text(i ? std::to_string(i) : "") : number(numbers[v]);
    }
    registry.keys[EVENTS][slot(1, "days")] = number(65);  // Sunday is bit 0
    auto s = loaded(registry);
    ASSERT_EQ(eventCount(s->events), MAX_EVENTS);
    EXPECT_EQ(std::vector(s->events.slots[1].days, s->events.slots[1].days + 7), std::vector({1, 0, 0, 0, 0, 0, 1}));
    ASSERT_EQ(save(saved, *s), REGISTRY_OK);
    EXPECT_TRUE(saved.keys[EVENTS] == registry.keys[EVENTS]);  // types, sizes, texts with their NUL
    for (auto [name, value, count] : {std::tuple{slot(5, "period"), text("1"), 5}, {slot(1, "description"), number(0), 1}}) {
        registry.keys[EVENTS][name] = value;
        EXPECT_EQ(eventCount(loaded(registry)->events), count) << name;
    }
}

// A save cut short must never lose the alarms the user has now.
TEST(SettingsStore, SaveWritesInOrderTheCurrentSlotsBeforeRemovingTheRestAndStopsAtARefusedKey)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);
    s->events.slots[0] = AlarmEvent{1, "tea", 16, 30, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}};
    s->events.slots[1].hours = -1;
    registry.keys[EVENTS][slot(1, "hours")] = number(8);
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    std::vector<std::string> expected;
    for (int i : {0, 2, 3, 4, 5, 8, 1, 6, 7, 9, 10, 11, 12, 13, 14, 15})
        expected.push_back("set " + MAIN + "|" + NAMES[i]);
    expected.push_back("set " + MAIN + "|Path to wave file");
    for (int i = 0; i < 8 * MAX_EVENTS; ++i)
        expected.push_back((i < 8 ? "set " : "delete ") + EVENTS + "|" + slot(i / 8, SLOT_VALUES[i % 8]));
    expected.push_back("set " + RUN + "|Tockmere");
    EXPECT_EQ(registry.log, expected);
    EXPECT_EQ(registry.keys[EVENTS].size(), 8u);
    EXPECT_EQ(registry.keys[MAIN]["X"], number(-40));
    EXPECT_EQ(registry.keys[MAIN]["Path to wave file"], text("C:\\T\\rooster.wav"));
    for (auto [refused, written] : {std::pair{MAIN, 0u}, {EVENTS, 17u}, {RUN, 17u + 8 * MAX_EVENTS}}) {
        MemoryRegistry refusing;
        refusing.refused = refused;
        EXPECT_EQ(save(refusing, *s), REGISTRY_ACCESS_DENIED);
        EXPECT_EQ(refusing.log.size(), written) << refused;
    }
}

TEST(SettingsStore, ProgramFolderIsCutAfterTheLastBackslashAndTheSoundFallsBackToItsName)
{
    char folder[TEXT_SIZE];
    const std::string fits = "C:\\" + std::string(TEXT_SIZE - 5, 'a') + "\\";  // 259 characters
    for (auto [path, expected] : {std::pair{"C:\\T\\t.exe" + std::string(), std::string("C:\\T\\")}, {"t.exe", ""},
                                  {fits + "t.exe", fits}, {"C:\\a" + fits.substr(3) + "t.exe", ""}}) {
        programFolderOf(path.c_str(), folder, TEXT_SIZE);
        EXPECT_EQ(folder, expected) << path.size();
    }
    Settings s;
    setDefaults(s, fits.substr(11).c_str());
    EXPECT_EQ(s.wavePath, fits.substr(11) + "rooster.wav");  // 259 characters
    setDefaults(s, fits.substr(10).c_str());
    EXPECT_STREQ(s.wavePath, "rooster.wav");
}

TEST(PageRules, OnlyPureWhiteIsReplaced)
{
    EXPECT_EQ(storableColor(0xFFFFFF), 0xFEFEFEu);
    for (ColorRef kept : {0xFEFEFEu, 0xFFFFFEu, 0xFEFFFFu, 0xFFFEFFu, 0x000000u})
        EXPECT_EQ(storableColor(kept), kept) << std::hex << kept;
}
