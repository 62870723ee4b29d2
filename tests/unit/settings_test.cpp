// The settings store over the in-memory registry, and the page's white rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "memory_registry.h"
#include "settings/page_rules.h"
#include "settings/settings_store.h"

using Numbers = std::array<long long, 16>;
static const std::string MAIN = PROGRAM_KEY_PATH, EVENTS = EVENTS_KEY_PATH, RUN = RUN_KEY_PATH;
static const char FOLDER[] = "C:\\Program Files\\Tockmere\\";
static const RunValue RUN_VALUE{"Tockmere", L"Tockmere", L"tockmere.exe"};
static const char* const SLOT_VALUES[8] = {"is_on", "hours", "minutes", "description", "period", "days",
                                           "base_date_day", "base_date_month"};  // in the order written
// The sixteen numbers in load order; stored with accepted values other than the
// defaults: the lowest scale and opacity, the highest background and duration.
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

// Off the stack, and filled with garbage first so that a field load forgets shows.
static std::unique_ptr<Settings> loaded(MemoryRegistry& registry, bool programKeyFound = true)
{
    auto s = std::make_unique<Settings>();
    std::memset(s.get(), 0xA5, sizeof(Settings));
    EXPECT_EQ(loadSettingsFrom(registry, *s, FOLDER, "Tockmere"), programKeyFound);
    EXPECT_TRUE(registry.openKeys.empty());
    return s;
}

static std::string slot(int index, const char* value) { return "Event_" + std::to_string(index / 10) + std::to_string(index % 10) + "_" + value; }

static void putSlots(MemoryRegistry& registry, int count)
{
    for (int i = 0; i < count; ++i) {
        const int numbers[8] = {1, i % 24, i % 60, 0, i % 4, i % 128, i % 31 + 1, i % 12 + 1};
        for (int v = 0; v < 8; ++v)
            registry.keys[EVENTS][slot(i, SLOT_VALUES[v])] = v == 3 ? text(i ? "slot " + std::to_string(i) : "") : number(numbers[v]);
    }
}

TEST(SettingsStore, FirstStartGivesTheDefaultsAndWritesNothing)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);  // false: the caller opens the first-start help
    EXPECT_EQ(numbersOf(*s), DEFAULTS);
    EXPECT_TRUE(s->autoRun == 1 && eventCount(s->events) == 0);
    EXPECT_STREQ(s->wavePath, "C:\\Program Files\\Tockmere\\rooster.wav");
    EXPECT_TRUE(registry.log.empty() && registry.keys.empty());
}

TEST(SettingsStore, EachDamagedNumberIsIgnoredAndItsNeighboursStillRead)
{
    std::vector<std::pair<int, MemoryRegistry::Value>> damages;
    for (int i = 0; i < 16; ++i)  // of another type, or not of four bytes
        for (RegistryType type : {REGISTRY_TYPE_SZ, REGISTRY_TYPE_BINARY, 11u /* REG_QWORD */, 0xDEADBEEFu})
            damages.push_back({i, {type, number(75).bytes}});
    for (int i = 0; i < 16; ++i)
        for (const std::string& bytes : {std::string("K"), number(75).bytes + number(0).bytes})
            damages.push_back({i, {REGISTRY_TYPE_DWORD, bytes}});
    const std::pair<int, std::uint32_t> outOfRange[] = {
        {0, 49}, {0, 101}, {0, 0xFFFFFFCE}, {1, 49}, {1, 101}, {7, 4}, {7, 0xFFFFFFFF}, {14, 3}, {14, 7}, {14, 0xFFFFFFFF}};
    for (const auto& [i, value] : outOfRange)
        damages.push_back({i, number(value)});
    for (const auto& [damaged, value] : damages) {
        MemoryRegistry registry;
        for (int i = 0; i < 16; ++i)
            registry.keys[MAIN][NAMES[i]] = i == damaged ? value : number(std::uint32_t(STORED[i]));
        Numbers expected = STORED;
        expected[damaged] = DEFAULTS[damaged];
        EXPECT_EQ(numbersOf(*loaded(registry)), expected) << NAMES[damaged] << ": type " << value.type << ", "
                                                          << value.bytes.size() << " bytes";
    }
}

TEST(SettingsStore, WavePathIsReadToItsFirstNulWithinTheBytesReturned)
{
    const std::string p259(259, 'p'), fallback = std::string(FOLDER) + "rooster.wav";
    const std::tuple<RegistryType, std::string, std::string> cases[] = {
        {REGISTRY_TYPE_SZ, std::string("a.wav\0junk", 10), "a.wav"}, {REGISTRY_TYPE_SZ, "C:\\bell.wav", "C:\\bell.wav"},
        {REGISTRY_TYPE_SZ, "", ""}, {REGISTRY_TYPE_SZ, p259 + "p", p259}, {REGISTRY_TYPE_SZ, p259 + "pp", fallback},
        {REGISTRY_TYPE_DWORD, "\1\2\3\4", fallback}, {2 /* REG_EXPAND_SZ */, text("x.wav").bytes, fallback}};
    for (const auto& [type, bytes, expected] : cases) {
        MemoryRegistry registry;
        registry.keys[MAIN]["Path to wave file"] = {type, bytes};
        EXPECT_EQ(loaded(registry)->wavePath, expected) << type << ", " << bytes.size() << " bytes";
    }
}

TEST(SettingsStore, EventsTableEndsAtAHundredOrAtTheFirstIncompleteSlotAndSaveRemovesTheRest)
{
    MemoryRegistry registry, saved;
    registry.keys[MAIN];
    putSlots(registry, MAX_EVENTS);
    registry.keys[EVENTS][slot(1, "days")] = number(65);  // Sunday is bit 0
    auto s = loaded(registry);
    ASSERT_EQ(eventCount(s->events), MAX_EVENTS);
    EXPECT_TRUE(std::equal(s->events.slots[1].days, s->events.slots[1].days + 7, std::array{1, 0, 0, 0, 0, 0, 1}.begin()));
    ASSERT_EQ(saveSettingsTo(saved, *s, 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_TRUE(saved.keys[EVENTS] == registry.keys[EVENTS]);  // types, sizes, texts with their NUL
    saved.keys[EVENTS].erase(slot(5, "period"));
    EXPECT_EQ(eventCount(loaded(saved)->events), 5);
    ASSERT_EQ(saveSettingsTo(saved, *loaded(saved), 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_EQ(saved.keys[EVENTS].size(), 5u * 8);
    saved.keys[EVENTS][slot(2, "hours")] = text("7");
    EXPECT_EQ(eventCount(loaded(saved)->events), 2);
    saved.keys[EVENTS][slot(1, "description")] = number(0);
    EXPECT_EQ(eventCount(loaded(saved)->events), 1);
}

// A save cut short must never lose the alarms the user has now.
TEST(SettingsStore, SaveWritesInOrderAndTheCurrentSlotsBeforeDeletingStaleOnes)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);
    putSlots(registry, 6);
    std::strcpy(s->wavePath, "D:\\bell.wav");
    s->events.slots[0] = AlarmEvent{1, "tea", 16, 30, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}};
    s->events.slots[1].hours = -1;
    ASSERT_EQ(saveSettingsTo(registry, *s, -40, 1200, RUN_VALUE), REGISTRY_OK);
    std::vector<std::string> expected;
    for (const char* name : {"Scale", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
                             "Always on top", "UnTransparent", "Show shadow", "Background type", "X", "Y",
                             "Color of text", "Color base", "Color border", "Duration of alarm",
                             "Show dialog box for alarm", "Path to wave file"})
        expected.push_back("set " + MAIN + "|" + name);
    for (int i = 0; i < 8 * MAX_EVENTS; ++i)
        expected.push_back((i < 8 ? "set " : "delete ") + EVENTS + "|" + slot(i / 8, SLOT_VALUES[i % 8]));
    expected.push_back("set " + RUN + "|Tockmere");
    EXPECT_EQ(registry.log, expected);
    EXPECT_TRUE(registry.keys[MAIN]["X"] == number(-40) && registry.keys[MAIN]["Path to wave file"] == text("D:\\bell.wav"));
    EXPECT_TRUE(registry.keys[EVENTS][slot(0, "description")] == text("tea") && registry.keys[EVENTS][slot(0, "days")] == number(62));
    EXPECT_EQ(registry.keys[EVENTS].size(), 8u);
}

TEST(SettingsStore, SaveStopsAtTheFirstKeyItCannotOpen)
{
    MemoryRegistry none;
    auto s = loaded(none, false);
    const std::string keys[] = {MAIN, EVENTS, RUN};
    for (int refused = 0; refused < 3; ++refused) {
        MemoryRegistry registry;
        registry.refused = keys[refused];
        EXPECT_EQ(saveSettingsTo(registry, *s, 0, 0, RUN_VALUE), REGISTRY_ACCESS_DENIED);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(std::any_of(registry.log.begin(), registry.log.end(),
                                  [&](const std::string& entry) { return entry.find(" " + keys[k] + "|") != entry.npos; }),
                      k < refused) << keys[k] << " written, " << keys[refused] << " refused";
    }
}

TEST(SettingsStore, RunValueIsTheQuotedModulePathTheSameFromSaveToSaveAndGoneWithoutAutoRun)
{
    wchar_t command[RUN_COMMAND_SIZE];
    ASSERT_TRUE(buildRunCommand(L"C:\\Program Files\\Tockmere\\tockmere.exe", command, RUN_COMMAND_SIZE));
    MemoryRegistry registry;
    auto s = loaded(registry, false);
    for (int save = 0; save < 2; ++save) {
        ASSERT_EQ(saveSettingsTo(registry, *s, 0, 0, RunValue{"Tockmere", L"Tockmere", command}), REGISTRY_OK);
        EXPECT_EQ(registry.keys[RUN]["Tockmere"], text("\"C:\\Program Files\\Tockmere\\tockmere.exe\" -autorun"));
        EXPECT_EQ((s = loaded(registry))->autoRun, 1);
    }
    s->autoRun = 0;
    ASSERT_EQ(saveSettingsTo(registry, *s, 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_EQ(registry.keys[RUN].count("Tockmere"), 0u);
    EXPECT_EQ(loaded(registry)->autoRun, 0);
}

TEST(SettingsStore, ProgramFolderIsCutAfterTheLastBackslashAndTheSoundFallsBackToItsName)
{
    char folder[TEXT_SIZE];
    const std::string fits = "C:\\" + std::string(TEXT_SIZE - 5, 'a') + "\\";  // 259 characters
    const std::pair<std::string, std::string> paths[] = {{"C:\\Tockmere\\clock.exe", "C:\\Tockmere\\"},
        {"clock.exe", ""}, {fits + "clock.exe", fits}, {"C:\\a" + fits.substr(3) + "clock.exe", ""}};
    for (const auto& [path, expected] : paths) {
        programFolderOf(path.c_str(), folder, TEXT_SIZE);
        EXPECT_EQ(folder, expected) << path.size();
    }
    Settings s;
    const std::string folder248 = std::string(247, 'f') + "\\";
    setDefaults(s, folder248.c_str());
    EXPECT_EQ(s.wavePath, folder248 + "rooster.wav");  // 259 characters
    setDefaults(s, ("f" + folder248).c_str());
    EXPECT_STREQ(s.wavePath, "rooster.wav");
}

TEST(PageRules, OnlyPureWhiteIsReplaced)
{
    EXPECT_EQ(storableColor(0xFFFFFF), 0xFEFEFEu);
    for (ColorRef kept : {0xFEFEFEu, 0xFFFFFEu, 0xFEFFFFu, 0xFFFEFFu, 0x000000u, 0xB58153u})
        EXPECT_EQ(storableColor(kept), kept) << std::hex << kept;
}
