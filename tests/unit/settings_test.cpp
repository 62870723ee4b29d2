#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>

#include "app/local_time.h"
#include "memory_registry.h"
#include "settings/page_rules.h"
#include "settings/settings_store.h"

constexpr int NUMBER_COUNT = 18, MAIN_VALUE_COUNT = NUMBER_COUNT + 2;  // and the wave path, the reminder's snooze
using Numbers = std::array<long long, NUMBER_COUNT>;
static const std::string MAIN = PROGRAM_KEY_PATH, EVENTS = EVENTS_KEY_PATH, RUN = RUN_KEY_PATH;
constexpr int SLOT_VALUES = 11;
static const char* const SUFFIXES[SLOT_VALUES] = {"is_on", "hours", "minutes", "description", "period", "days",
                                                  "base_date_day", "base_date_month", "skip", "sound", "snooze"};  // as written
static const char* const NAMES[NUMBER_COUNT] = {  // the numbers in load order
    "Scale", "UnTransparent", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
    "Show shadow", "Background type", "Always on top", "X", "Y", "Color of text", "Color base", "Color border",
    "Duration of alarm", "Show dialog box for alarm", "Hide for full screen", "Snooze minutes"};
static const Numbers DEFAULTS = {100, 100, 0, 0, 0, 0, 0, 1, 1, -1, -1, 0, 0x00DEC8CD, 0x006A3B05, 0, 0, 1, 10};
static const Numbers STORED = {50, 50, 1, 1, 1, 1, 1, 3, 0, -50, -100, 0x123456, 0xFFFFFFFF, 0, 2, 1, 0, 120};  // accepted

static Numbers numbersOf(const Settings& s)
{
    return {s.scale, s.opacity, s.showSeconds, s.flashDelimiter, s.showDate, s.showDayOfWeek, s.showShadow,
            s.backgroundType, s.alwaysOnTop, s.posX, s.posY, s.colorText, s.colorBase, s.colorBorder,
            s.alarmDuration, s.showAlarmDialog, s.hideForFullScreen, s.snoozeMinutes};
}

static std::unique_ptr<Settings> loaded(MemoryRegistry& registry, bool programKeyFound = true)
{
    auto s = std::make_unique<Settings>();
    std::memset(s.get(), 0xA5, sizeof(Settings));  // garbage, so that a field the load forgets shows
    EXPECT_EQ(loadSettingsFrom(registry, *s, "C:\\T\\", "Tockmere"), programKeyFound);
    return s;
}

static RegistryStatus save(MemoryRegistry& registry, const Settings& s, const wchar_t* command = L"t.exe")
{
    return saveSettingsTo(registry, s, -40, 1200, RunValue{"Tockmere", L"Tockmere", command});
}

static long long minuteOf(int year, int month, int day, int hour, int minute)
{
    return minuteNumber(LocalTime{year, month, 0, day, hour, minute});
}

static std::string slot(int i, const char* value) { return "Event_" + std::to_string(100 + i).substr(1) + "_" + value; }

TEST(SettingsStore, FirstStartGivesTheDefaultsAndWritesNothingThenTheRunValueFollowsAutoRun)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);  // false: the caller opens the first-start help
    EXPECT_EQ(numbersOf(*s), DEFAULTS);
    EXPECT_TRUE(s->autoRun == 1 && eventCount(s->events) == 0 && registry.log.empty() && registry.keys.empty());
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
    for (auto [refused, written] : {std::pair{MAIN, 0u}, {EVENTS, unsigned(MAIN_VALUE_COUNT)},
                                    {RUN, unsigned(MAIN_VALUE_COUNT + SLOT_VALUES * MAX_EVENTS)}}) {
        MemoryRegistry refusing;  // the save stops at the first key it cannot open
        refusing.refused = refused;
        EXPECT_EQ(save(refusing, *s), REGISTRY_ACCESS_DENIED);
        EXPECT_EQ(refusing.log.size(), written) << refused;
    }
}

TEST(SettingsStore, EachDamagedValueIsIgnoredAndItsNeighboursStillRead)
{
    std::vector<std::pair<int, MemoryRegistry::Value>> damages = {  // out of range, then of another type or size
        {0, number(49)}, {0, number(101)}, {0, number(0xFFFFFFCE)}, {1, number(49)}, {1, number(101)}, {7, number(4)},
        {7, number(0xFFFFFFFF)}, {14, number(3)}, {14, number(7)}, {14, number(0xFFFFFFFF)}, {17, number(0)},
        {17, number(121)}};
    for (int i = 0; i < NUMBER_COUNT; ++i)
        for (RegistryType type : {REGISTRY_TYPE_SZ, REGISTRY_TYPE_BINARY, 11u /* REG_QWORD */, REGISTRY_TYPE_DWORD})
            damages.push_back({i, {type, type == REGISTRY_TYPE_DWORD ? "K" : "KKKK"}});
    for (const auto& [damaged, value] : damages) {
        MemoryRegistry registry;
        for (int i = 0; i < NUMBER_COUNT; ++i)
            registry.keys[MAIN][NAMES[i]] = i == damaged ? value : number(std::uint32_t(STORED[i]));
        Numbers expected = STORED;
        expected[damaged] = DEFAULTS[damaged];
        EXPECT_EQ(numbersOf(*loaded(registry)), expected) << NAMES[damaged] << ", type " << value.first;
    }
    MemoryRegistry registry;  // what is saved reads back, the window's place as X and Y
    for (int i = 0; i < NUMBER_COUNT; ++i)
        registry.keys[MAIN][NAMES[i]] = number(std::uint32_t(STORED[i]));
    ASSERT_EQ(save(registry, *loaded(registry)), REGISTRY_OK);
    Numbers placed = STORED;
    placed[9] = -40, placed[10] = 1200;
    EXPECT_EQ(numbersOf(*loaded(registry)), placed);
    const std::string p259(259, 'p'), fallback = "C:\\T\\rooster.wav";  // the wave path: to its first NUL, if any
    for (auto [value, path] : {std::pair{text(std::string("a\0b", 3)), std::string("a")}, {number(0x41), fallback},
                               {{REGISTRY_TYPE_SZ, "b.wav"}, "b.wav"}, {{REGISTRY_TYPE_SZ, p259 + "p"}, p259},
                               {{REGISTRY_TYPE_SZ, p259 + "pp"}, fallback}}) {
        MemoryRegistry registry;
        registry.keys[MAIN]["Path to wave file"] = value;
        EXPECT_EQ(loaded(registry)->wavePath, path) << value.second.size() << " bytes";
    }
}

TEST(SettingsStore, AHundredSlotsRoundTripAndADamagedSlotIsLeftOutWithoutCostingTheSlotsAfterIt)
{
    MemoryRegistry registry, copy;
    registry.keys[MAIN];
    registry.leadBytes = "\x81";  // a double-byte code page: its texts are never cut inside a character
    const int ranges[8] = {2, 24, 60, 0, 5, 128, 32, 13};  // each value in range, in the order written
    for (int i = 0; i < MAX_EVENTS; ++i) {
        for (int v = 0; v < 8; ++v)
            registry.keys[EVENTS][slot(i, SUFFIXES[v])] = v == 3 ? text(i ? std::to_string(i) : "") : number(i % ranges[v]);
        registry.keys[EVENTS][slot(i, "skip")] = number(i % 3 ? 0 : 20270301 + i % 28);
        registry.keys[EVENTS][slot(i, "sound")] = text(i % 2 ? "C:\\s" + std::to_string(i) + ".wav" : "");
        registry.keys[EVENTS][slot(i, "snooze")] = text(i % 5 ? "" : "2027-03-15 07:35:00");
    }
    registry.keys[EVENTS][slot(1, "days")] = number(65);  // Sunday is bit 0
    const std::string tooLong(300, 'x'), cutInside = std::string(258, 'a') + "\x81\x40";
    registry.keys[EVENTS][slot(44, "description")] = text(tooLong);  // written by a .reg file: cut, kept in place
    registry.keys[EVENTS][slot(45, "description")] = text(cutInside);
    auto s = loaded(registry);
    ASSERT_EQ(eventCount(s->events), MAX_EVENTS);
    EXPECT_EQ(std::vector(s->events.slots[1].days, s->events.slots[1].days + 7), std::vector({1, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(s->events.slots[44].description, tooLong.substr(0, 259));
    EXPECT_EQ(s->events.slots[45].description, cutInside.substr(0, 258));
    EXPECT_TRUE(s->events.slots[4].period == PERIOD_ONCE && s->events.slots[3].skipDate == 20270304);
    ASSERT_EQ(save(copy, *s), REGISTRY_OK);
    // Yearly in month 0 and on 31 November, once in month 0: never due, so kept switched off.
    for (int never : {13, 39, 63})
        registry.keys[EVENTS][slot(never, "is_on")] = number(0);
    registry.keys[EVENTS][slot(44, "description")] = text(tooLong.substr(0, 259));
    registry.keys[EVENTS][slot(45, "description")] = text(cutInside.substr(0, 258));
    EXPECT_TRUE(copy.keys[EVENTS] == registry.keys[EVENTS]);  // types, sizes, texts with their NUL
    const std::pair<int, const char*> damages[] = {{2, "hours"}, {3, "minutes"}, {5, "period"}, {8, "days"},
                                                   {13, "base_date_day"}, {21, "base_date_month"}, {34, "hours"}};
    for (auto [i, value] : damages)  // out of range (hours -1, as 0xFFFFFFFF), and of another type at 34
        registry.keys[EVENTS][slot(i, value)] = i == 34 ? text("7") : number(i == 2 ? ~0u : 200);
    registry.keys[EVENTS].erase(slot(55, "period"));
    // The later values damaged or absent (a table of before) cost only themselves.
    const std::pair<std::string, MemoryRegistry::Value> marks[] = {
        {slot(60, "skip"), text("20270310")}, {slot(63, "skip"), number(20270230)}, {slot(66, "skip"), number(1)},
        {slot(69, "sound"), number(7)}, {slot(75, "snooze"), text("2027-02-30 07:35:00")},
        {slot(80, "snooze"), text("2027-03-15 07:35:00 ")}, {slot(85, "snooze"), number(1)}};
    for (const auto& [name, value] : marks)
        registry.keys[EVENTS][name] = value;
    registry.keys[EVENTS].erase(slot(71, "sound"));
    registry.keys[EVENTS].erase(slot(72, "skip"));
    registry.log.clear();
    ASSERT_EQ(save(registry, *(s = loaded(registry))), REGISTRY_OK);
    const std::set<int> dropped = {2, 3, 5, 8, 34, 55}, off = {13, 39, 63};  // 21's month unused
    const int count = MAX_EVENTS - int(dropped.size());
    std::vector<std::string> kept, expected;
    int k = 0;
    for (int i = 0; i < MAX_EVENTS; ++i) {
        if (dropped.count(i))
            continue;
        const AlarmEvent& e = s->events.slots[k++];
        kept.push_back(std::to_string(e.isOn) + " " + e.description);
        expected.push_back(std::to_string(i % 2 && !off.count(i)) + " " +
                           (i == 44 ? tooLong.substr(0, 259) : i == 45 ? cutInside.substr(0, 258) : i ? std::to_string(i) : ""));
        bool marked = i == 60 || i == 63 || i == 66 || i == 72, sounded = i == 69 || i == 71;
        EXPECT_EQ(e.skipDate, marked || i % 3 ? 0 : 20270301 + i % 28) << i;
        EXPECT_EQ(std::string(e.sound), sounded || i % 2 == 0 ? "" : "C:\\s" + std::to_string(i) + ".wav") << i;
        bool snoozed = i % 5 == 0 && i != 75 && i != 80 && i != 85;
        EXPECT_EQ(e.snoozeUtc, snoozed ? minuteOf(2027, 3, 15, 7, 35) * 60 : 0) << i;
    }
    EXPECT_EQ(kept, expected);
    registry.log.erase(registry.log.begin(), registry.log.begin() + MAIN_VALUE_COUNT);  // the main values
    expected.clear();
    for (int i = 0; i < SLOT_VALUES * MAX_EVENTS; ++i)  // every alarm kept written, then only what lies beyond removed
        expected.push_back((i < SLOT_VALUES * count ? "set " : "delete ") + EVENTS + "|" +
                           slot(i / SLOT_VALUES, SUFFIXES[i % SLOT_VALUES]));
    expected.push_back("delete " + RUN + "|Tockmere");
    EXPECT_EQ(registry.log, expected);
    EXPECT_TRUE(registry.keys[EVENTS].size() == SLOT_VALUES * count && registry.keys[MAIN]["X"] == number(-40));
    EXPECT_EQ(registry.keys[EVENTS][slot(2, "description")], text("4"));
}

TEST(SettingsStore, TheReminderAsItWasSnoozedRoundTripsAndADamagedOneReadsAsNone)
{
    MemoryRegistry registry;
    auto s = loaded(registry, false);
    EXPECT_EQ(s->snoozedReminder.snoozeUtc, 0);
    s->snoozedReminder = AlarmEvent{0, "Stretch, then tea", 7, 30};
    s->snoozedReminder.snoozeUtc = minuteOf(2027, 3, 15, 7, 35) * 60;
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    EXPECT_EQ(registry.keys[MAIN]["Reminder snooze"], text("2027-03-15 07:35:00 07:30 Stretch, then tea"));
    auto back = loaded(registry);
    EXPECT_TRUE(back->snoozedReminder.snoozeUtc == s->snoozedReminder.snoozeUtc && back->snoozedReminder.hours == 7 &&
                back->snoozedReminder.minutes == 30 && std::string(back->snoozedReminder.description) == "Stretch, then tea");
    for (const char* damaged : {"2027-03-15 07:35:00 24:30 Tea", "2027-03-15 07:35 07:30 Tea", "2027-03-15 07:35:00 07:30Tea", ""}) {
        registry.keys[MAIN]["Reminder snooze"] = text(damaged);
        EXPECT_EQ(loaded(registry)->snoozedReminder.snoozeUtc, 0) << damaged;
    }
    registry.keys[MAIN]["Reminder snooze"] = text("2027-03-15 07:35:00 07:30");  // no message
    EXPECT_NE(loaded(registry)->snoozedReminder.snoozeUtc, 0);
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
    setDefaults(s, fits.substr(10).c_str());  // with the sound's name, one character too long
    EXPECT_STREQ(s.wavePath, "rooster.wav");
}

TEST(PageRules, OnlyPureWhiteIsReplaced)
{
    EXPECT_EQ(storableColor(0xFFFFFF), 0xFEFEFEu);
    for (ColorRef kept : {0xFEFEFEu, 0xFFFFFEu, 0xFEFFFFu, 0xFFFEFFu, 0x000000u})
        EXPECT_EQ(storableColor(kept), kept) << std::hex << kept;
}
