// The settings store over an in-memory registry: what load accepts, how the
// alarm table ends, what save writes and in which order, the Run value.
#include <gtest/gtest.h>

#include "memory_registry.h"
#include "settings/settings_store.h"

namespace {

const std::string MAIN = PROGRAM_KEY_PATH, EVENTS = EVENTS_KEY_PATH, RUN = RUN_KEY_PATH;
const char FOLDER[] = "C:\\Program Files\\Tockmere\\";
const wchar_t COMMAND[] = L"\"C:\\Program Files\\Tockmere\\tockmere.exe\" -autorun";
const RunValue RUN_VALUE{"Tockmere", L"Tockmere", COMMAND};

void putSlot(MemoryRegistry& registry, int slot, int hours, const std::string& description = "alarm")
{
    const char* names[] = {"is_on", "hours", "minutes", "period", "days", "base_date_day", "base_date_month"};
    const int values[] = {1, hours, slot % 60, slot % 4, slot % 128, slot % 31 + 1, slot % 12 + 1};
    for (int i = 0; i < 7; ++i)
        registry.putDword(EVENTS, slotName(slot, names[i]), values[i]);
    registry.putText(EVENTS, slotName(slot, "description"), description);
}

bool load(MemoryRegistry& registry, Settings& settings)
{
    return loadSettingsFrom(registry, settings, FOLDER, "Tockmere");
}

RegistryStatus save(MemoryRegistry& registry, const Settings& settings)
{
    return saveSettingsTo(registry, settings, 0, 0, RUN_VALUE);
}

TEST(ProgramFolder, IsTheModulePathUpToItsLastBackslashOrEmptyWhenItWouldNotFit)
{
    // Exactly sized heap buffer, so AddressSanitizer sees any byte too many.
    auto folder = std::make_unique<char[]>(TEXT_SIZE);
    programFolderOf("C:\\Program Files\\Tockmere\\clock.exe", folder.get(), TEXT_SIZE);
    EXPECT_STREQ(folder.get(), "C:\\Program Files\\Tockmere\\");
    programFolderOf("clock.exe", folder.get(), TEXT_SIZE);
    EXPECT_STREQ(folder.get(), "");
    std::string fits = "C:\\" + std::string(TEXT_SIZE - 5, 'a') + "\\";  // 259 characters
    programFolderOf((fits + "clock.exe").c_str(), folder.get(), TEXT_SIZE);
    EXPECT_EQ(std::string(folder.get()), fits);
    programFolderOf(("C:\\a" + fits.substr(3) + "clock.exe").c_str(), folder.get(), TEXT_SIZE);  // 260
    EXPECT_STREQ(folder.get(), "");
}

TEST(Load, FirstStartGivesDefaultsAnEmptyTableAndAutoRunWithoutWritingAnything)
{
    MemoryRegistry registry;
    registry.putText(RUN, "Tockmere", "stale");  // not looked at without the program key
    auto s = garbageSettings();
    EXPECT_FALSE(load(registry, *s));
    const int expected[] = {0, 0, 0, 0, 0, 1, 100, 0, 0, 1, -1, -1, 0, 100, 1};
    const int actual[] = {s->showSeconds, s->flashDelimiter, s->showDate, s->showDayOfWeek, s->showShadow,
                          s->alwaysOnTop, s->opacity, s->alarmDuration, s->showAlarmDialog, s->backgroundType,
                          s->posX, s->posY, static_cast<int>(s->colorText), s->scale, s->autoRun};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "field " << i;
    EXPECT_EQ(s->colorBorder, 6961925u);
    EXPECT_EQ(s->colorBase, 14600397u);
    EXPECT_STREQ(s->wavePath, "C:\\Program Files\\Tockmere\\rooster.wav");
    EXPECT_EQ(eventCount(s->events), 0);
    EXPECT_FALSE(registry.hasKey(MAIN));
    EXPECT_TRUE(registry.log.empty());
    EXPECT_TRUE(registry.openKeys.empty());

    // The default sound falls back to the bare name when the folder leaves no room.
    std::string folder248 = std::string(247, 'f') + "\\";
    setDefaults(*s, folder248.c_str());
    EXPECT_EQ(std::string(s->wavePath), folder248 + "rooster.wav");  // 259 characters
    setDefaults(*s, ("f" + folder248).c_str());
    EXPECT_STREQ(s->wavePath, "rooster.wav");
}

// Every value stored with an accepted number different from its default
// (the lowest accepted scale, opacity and background).
struct StoredValue {
    const char* name;
    std::uint32_t value;
    int Settings::*field;  // null for the colours
    ColorRef Settings::*color;
};
const StoredValue storedValues[] = {
    {"Scale", 50, &Settings::scale}, {"UnTransparent", 50, &Settings::opacity},
    {"Show seconds", 1, &Settings::showSeconds}, {"Show flash delimiter", 1, &Settings::flashDelimiter},
    {"Show date", 1, &Settings::showDate}, {"Show day of the week", 1, &Settings::showDayOfWeek},
    {"Show shadow", 1, &Settings::showShadow}, {"Background type", 0, &Settings::backgroundType},
    {"Always on top", 0, &Settings::alwaysOnTop},
    {"X", 0xFFFFFFCE, &Settings::posX},  // -50: left of the primary screen
    {"Y", 0xFFFFFF9C, &Settings::posY},
    {"Color of text", 0x00123456, nullptr, &Settings::colorText},
    {"Color base", 0xFFFFFFFF, nullptr, &Settings::colorBase}, {"Color border", 0, nullptr, &Settings::colorBorder},
    {"Duration of alarm", 2, &Settings::alarmDuration},
    {"Show dialog box for alarm", 1, &Settings::showAlarmDialog},
};

std::uint32_t fieldOf(const Settings& s, const StoredValue& v)
{
    return v.field ? static_cast<std::uint32_t>(s.*v.field) : s.*v.color;
}

// One damaged or out-of-range value among fifteen good ones: it alone keeps
// its default, and the values after it are still read.
TEST(Load, EachDamagedValueIsIgnoredAndItsNeighboursStillRead)
{
    auto defaults = garbageSettings();
    setDefaults(*defaults, FOLDER);
    const auto number = [](std::uint32_t v) {
        return MemoryRegistry::Value{REGISTRY_TYPE_DWORD, MemoryRegistry::dwordBytes(v)};
    };
    const std::pair<const char*, MemoryRegistry::Value> damages[] = {
        {nullptr, {REGISTRY_TYPE_NONE, {}}},  // missing; a null name damages every value in turn
        {nullptr, {REGISTRY_TYPE_SZ, {'7', '5', 0}}}, {nullptr, {REGISTRY_TYPE_BINARY, {75, 0, 0, 0}}},
        {nullptr, {REGISTRY_TYPE_DWORD, {75, 0}}}, {nullptr, {REGISTRY_TYPE_DWORD, std::vector<unsigned char>(8, 1)}},
        {"Scale", number(49)}, {"Scale", number(101)}, {"Scale", number(0xFFFFFFCE)}, {"UnTransparent", number(49)},
        {"UnTransparent", number(101)}, {"Background type", number(4)}, {"Background type", number(0xFFFFFFFF)},
        {"Duration of alarm", number(3)}, {"Duration of alarm", number(0xFFFFFFFF)},
    };
    for (const auto& [only, damage] : damages)
        for (const StoredValue& damaged : storedValues) {
            if (only && std::strcmp(only, damaged.name) != 0)
                continue;
            SCOPED_TRACE(std::string(damaged.name) + " damaged as type " + std::to_string(damage.type) + ", " +
                         std::to_string(damage.data.size()) + " bytes");
            MemoryRegistry registry;
            for (const StoredValue& stored : storedValues)
                registry.putDword(MAIN, stored.name, stored.value);
            if (damage.type == REGISTRY_TYPE_NONE)
                registry.erase(MAIN, damaged.name);
            else
                registry.put(MAIN, damaged.name, damage.type, damage.data);
            auto s = garbageSettings();
            ASSERT_TRUE(load(registry, *s));
            for (const StoredValue& v : storedValues)
                EXPECT_EQ(fieldOf(*s, v), &v == &damaged ? fieldOf(*defaults, v) : v.value) << v.name;
        }
    MemoryRegistry registry;  // the highest background; Y alone leaves X unplaced
    registry.putDword(MAIN, "Background type", 3);
    registry.putDword(MAIN, "Y", 300);
    auto s = garbageSettings();
    ASSERT_TRUE(load(registry, *s));
    EXPECT_TRUE(s->backgroundType == 3 && s->posX == -1 && s->posY == 300);
}

TEST(Load, WavePathIsReadToItsFirstNulWithinTheBytesReturned)
{
    auto loaded = [](RegistryType type, const std::string& bytes) {
        MemoryRegistry registry;
        registry.put(MAIN, "Path to wave file", type, std::vector<unsigned char>(bytes.begin(), bytes.end()));
        auto s = garbageSettings();
        loadSettingsFrom(registry, *s, FOLDER, "Tockmere");
        return std::string(s->wavePath);
    };
    const std::string fallback = "C:\\Program Files\\Tockmere\\rooster.wav", p259(259, 'p');
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, std::string("C:\\bell.wav") + '\0'), "C:\\bell.wav");
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, "C:\\bell.wav"), "C:\\bell.wav");  // no NUL
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, ""), "");
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, std::string("a.wav\0junk", 10)), "a.wav");
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, p259 + "p"), p259);  // 260 bytes, no NUL: 259 kept
    EXPECT_EQ(loaded(REGISTRY_TYPE_SZ, p259 + "pp"), fallback);  // larger than the query's buffer
    EXPECT_EQ(loaded(REGISTRY_TYPE_DWORD, "\1\2\3\4"), fallback);
    EXPECT_EQ(loaded(2 /* REG_EXPAND_SZ */, std::string("x.wav") + '\0'), fallback);
}

TEST(LoadEvents, TheFirstIncompleteOrMistypedSlotEndsTheTableAndTheNextSaveRemovesTheRest)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < 10; ++slot)
        putSlot(registry, slot, slot + 1);
    registry.erase(EVENTS, slotName(5, "period"));
    auto s = garbageSettings();
    ASSERT_TRUE(load(registry, *s));
    EXPECT_EQ(eventCount(s->events), 5);
    EXPECT_EQ(s->events.slots[5].hours, -1);
    EXPECT_EQ(s->events.slots[4].hours, 5);
    EXPECT_EQ(s->events.slots[4].baseMonth, 5);
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    EXPECT_EQ(registry.valueCount(EVENTS), 5u * 8);
    EXPECT_EQ(registry.find(EVENTS, slotName(5, "hours")), nullptr);
    EXPECT_EQ(registry.find(EVENTS, slotName(9, "description")), nullptr);

    registry.putText(EVENTS, slotName(2, "hours"), "7");
    ASSERT_TRUE(load(registry, *s));
    EXPECT_EQ(eventCount(s->events), 2);
    registry.putDword(EVENTS, slotName(1, "description"), 0);
    ASSERT_TRUE(load(registry, *s));
    EXPECT_EQ(eventCount(s->events), 1);
    registry.erase(EVENTS, slotName(0, "description"));
    ASSERT_TRUE(load(registry, *s));
    EXPECT_EQ(s->events.slots[0].hours, -1);
}

TEST(LoadEvents, AHundredCompleteSlotsLoadWithoutAMarkerAndSaveBackWhole)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        putSlot(registry, slot, slot % 24, slot ? "slot " + std::to_string(slot) : "");
    registry.putDword(EVENTS, slotName(0, "days"), 65);          // Sunday is bit 0
    registry.putDword(EVENTS, slotName(1, "days"), 0xFFFFFF82);  // bits past Saturday mean nothing
    auto s = garbageSettings();
    ASSERT_TRUE(load(registry, *s));
    EXPECT_EQ(eventCount(s->events), MAX_EVENTS);
    EXPECT_STREQ(s->events.slots[99].description, "slot 99");
    EXPECT_STREQ(s->events.slots[0].description, "");
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(s->events.slots[0].days[day], day == 0 || day == 6) << day;
        EXPECT_EQ(s->events.slots[1].days[day], day == 1) << day;
    }
    s->events.slots[1].days[3] = 5;  // any nonzero entry sets its bit once
    registry.putDword(EVENTS, slotName(1, "days"), 2 + 8);
    MemoryRegistry saved;
    ASSERT_EQ(save(saved, *s), REGISTRY_OK);
    EXPECT_EQ(saved.valueCount(EVENTS), 800u);
    // Byte for byte, the empty description as its NUL alone.
    for (const auto& [name, value] : registry.keys[MemoryRegistry::fold(EVENTS)]) {
        const MemoryRegistry::Value* copy = saved.find(EVENTS, name);
        EXPECT_TRUE(copy && *copy == value) << name;
    }
}

std::unique_ptr<Settings> someSettings()
{
    auto s = garbageSettings();
    setDefaults(*s, FOLDER);
    s->events = EventTable{};
    s->events.slots[0].hours = -1;
    s->posX = 5;  // the window's place wins over these
    s->posY = 6;
    s->colorText = 0x00ABCDEF;
    std::strcpy(s->wavePath, "D:\\bell.wav");
    return s;
}

TEST(Save, WritesTheMainValuesInOrderTheWindowPositionAndTextsWithTheirNul)
{
    MemoryRegistry registry;
    ASSERT_EQ(saveSettingsTo(registry, *someSettings(), -40, 1200, RUN_VALUE), REGISTRY_OK);
    const char* order[] = {"Scale", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
                           "Always on top", "UnTransparent", "Show shadow", "Background type", "X", "Y",
                           "Color of text", "Color base", "Color border", "Duration of alarm",
                           "Show dialog box for alarm", "Path to wave file"};
    ASSERT_GE(registry.log.size(), std::size(order));
    for (std::size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(registry.log[i], "set " + MAIN + "|" + order[i]);
    EXPECT_EQ(registry.valueCount(MAIN), std::size(order));
    EXPECT_EQ(registry.dwordAt(MAIN, "X"), 0xFFFFFFD8u);
    EXPECT_EQ(registry.dwordAt(MAIN, "Y"), 1200u);
    EXPECT_EQ(registry.dwordAt(MAIN, "Color of text"), 0x00ABCDEFu);
    EXPECT_EQ(registry.find(MAIN, "Path to wave file")->type, REGISTRY_TYPE_SZ);
    EXPECT_EQ(registry.textAt(MAIN, "Path to wave file"), std::string("D:\\bell.wav") + '\0');
    EXPECT_TRUE(registry.openKeys.empty());
}

// A save cut short must never lose the alarms the user has now.
TEST(Save, WritesTheCurrentSlotsBeforeDeletingTheOldOnes)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < 6; ++slot)
        putSlot(registry, slot, 8);
    auto s = someSettings();
    s->events.slots[0] = AlarmEvent{1, "tea", 16, 30, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}, 0, 0};
    s->events.slots[1].hours = -1;
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    std::vector<std::string> eventsLog;
    for (const std::string& entry : registry.log)
        if (entry.find("|Event_") != std::string::npos)
            eventsLog.push_back(entry);
    const char* written[] = {"is_on", "hours", "minutes", "description", "period", "days", "base_date_day",
                             "base_date_month"};
    ASSERT_EQ(eventsLog.size(), 8u + 99 * 8);
    for (int i = 0; i < 8 * MAX_EVENTS; ++i)
        EXPECT_EQ(eventsLog[i], (i < 8 ? "set " : "delete ") + EVENTS + "|" + slotName(i / 8, written[i % 8]));
    EXPECT_EQ(registry.valueCount(EVENTS), 8u);
    EXPECT_EQ(registry.textAt(EVENTS, slotName(0, "description")), std::string("tea") + '\0');
    EXPECT_EQ(registry.dwordAt(EVENTS, slotName(0, "days")), 62u);
}

TEST(Save, RunValueFollowsAutoRunAndStaysTheSameFromSaveToSave)
{
    MemoryRegistry registry;
    auto s = someSettings();
    s->autoRun = 1;
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(save(registry, *s), REGISTRY_OK);
        EXPECT_EQ(registry.textAt(RUN, "Tockmere"),
                  std::string("\"C:\\Program Files\\Tockmere\\tockmere.exe\" -autorun") + '\0') << round;
        ASSERT_TRUE(load(registry, *s));
        EXPECT_EQ(s->autoRun, 1);
    }
    registry.putText(RUN, "Other program", "other.exe");
    s->autoRun = 0;
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);
    EXPECT_EQ(registry.find(RUN, "Tockmere"), nullptr);
    EXPECT_NE(registry.find(RUN, "Other program"), nullptr);
    ASSERT_EQ(save(registry, *s), REGISTRY_OK);  // deleting the absent value again is harmless
    // autoRun is whether the value exists as text, even one too long to read.
    const std::pair<MemoryRegistry::Value, int> stored[] = {
        {{REGISTRY_TYPE_DWORD, {1, 0, 0, 0}}, 0}, {{REGISTRY_TYPE_SZ, std::vector<unsigned char>(400, 'c')}, 1}};
    for (const auto& [value, autoRun] : stored) {
        registry.put(RUN, "Tockmere", value.type, value.data);
        ASSERT_TRUE(load(registry, *s));
        EXPECT_EQ(s->autoRun, autoRun);
        EXPECT_TRUE(registry.openKeys.empty());
    }
    // Without a command the value is left as it was rather than written broken.
    registry.putText(RUN, "Tockmere", "kept");
    s->autoRun = 1;
    saveSettingsTo(registry, *s, 0, 0, RunValue{"Tockmere", L"Tockmere", L""});
    EXPECT_EQ(registry.textAt(RUN, "Tockmere"), std::string("kept") + '\0');
}

TEST(Save, StopsAtTheFirstKeyThatCannotBeOpened)
{
    auto s = someSettings();
    s->autoRun = 0;
    MemoryRegistry refused[3];
    for (int i = 0; i < 3; ++i) {
        refused[i].putText(RUN, "Tockmere", "x");
        refused[i].refuse(i == 0 ? MAIN : i == 1 ? EVENTS : RUN);
        EXPECT_EQ(save(refused[i], *s), REGISTRY_ACCESS_DENIED) << i;
        EXPECT_TRUE(refused[i].openKeys.empty()) << i;
    }
    EXPECT_TRUE(refused[0].log.empty());
    EXPECT_EQ(refused[1].valueCount(MAIN), 17u);
    EXPECT_EQ(refused[1].valueCount(RUN), 1u);  // the Run key left as it was
    EXPECT_EQ(refused[2].valueCount(EVENTS), 0u);  // an empty table: nothing to write
    EXPECT_TRUE(refused[2].hasKey(EVENTS));
}

TEST(RunCommand, IsTheQuotedModulePathAndTheArgumentWithinTheBuffer)
{
    std::vector<wchar_t> command(RUN_COMMAND_SIZE);
    ASSERT_TRUE(buildRunCommand(L"C:\\Program Files\\Tockmere\\tockmere.exe", command.data(), command.size()));
    EXPECT_EQ(std::wstring(command.data()), COMMAND);
    std::wstring longest = L"C:\\" + std::wstring(TEXT_SIZE - 4, L'p');  // 259 characters
    ASSERT_TRUE(buildRunCommand(longest.c_str(), command.data(), command.size()));
    EXPECT_EQ(std::wstring(command.data()), L"\"" + longest + L"\" -autorun");
    EXPECT_FALSE(buildRunCommand((longest + L"p").c_str(), command.data(), command.size()));
    EXPECT_EQ(command[0], L'\0');
    EXPECT_FALSE(buildRunCommand(L"", command.data(), command.size()));
}

}  // namespace
