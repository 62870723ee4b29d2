// The settings store over an in-memory registry: what load accepts, how the
// alarm table ends, what save writes and in which order, the Run value.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "settings/settings_store.h"

namespace {

const std::string MAIN = PROGRAM_KEY_PATH;
const std::string EVENTS = EVENTS_KEY_PATH;
const std::string RUN = RUN_KEY_PATH;
const char FOLDER[] = "C:\\Program Files\\Tockmere\\";
const wchar_t COMMAND[] = L"\"C:\\Program Files\\Tockmere\\tockmere.exe\" -autorun";
const RunValue RUN_VALUE{"Tockmere", L"Tockmere", COMMAND};

std::string slotName(int slot, const char* suffix)
{
    char name[64];
    std::snprintf(name, sizeof name, "Event_%02d_%s", slot, suffix);
    return name;
}

void putSlot(MemoryRegistry& registry, int slot, int hours, const std::string& description = "alarm")
{
    registry.putDword(EVENTS, slotName(slot, "is_on"), 1);
    registry.putDword(EVENTS, slotName(slot, "hours"), hours);
    registry.putDword(EVENTS, slotName(slot, "minutes"), slot % 60);
    registry.putDword(EVENTS, slotName(slot, "period"), slot % 4);
    registry.putDword(EVENTS, slotName(slot, "days"), slot % 128);
    registry.putDword(EVENTS, slotName(slot, "base_date_day"), slot % 31 + 1);
    registry.putDword(EVENTS, slotName(slot, "base_date_month"), slot % 12 + 1);
    registry.putText(EVENTS, slotName(slot, "description"), description);
}

// Settings are large; keep them off the stack and filled with garbage so a
// field load forgets to set shows up.
std::unique_ptr<Settings> garbageSettings()
{
    auto settings = std::make_unique<Settings>();
    std::memset(settings.get(), 0xA5, sizeof(Settings));
    return settings;
}

bool load(MemoryRegistry& registry, Settings& settings)
{
    return loadSettingsFrom(registry, settings, FOLDER, "Tockmere");
}

void expectDefaults(const Settings& s)
{
    EXPECT_EQ(s.showSeconds, 0);
    EXPECT_EQ(s.flashDelimiter, 0);
    EXPECT_EQ(s.showDate, 0);
    EXPECT_EQ(s.showDayOfWeek, 0);
    EXPECT_EQ(s.showShadow, 0);
    EXPECT_EQ(s.alwaysOnTop, 1);
    EXPECT_EQ(s.opacity, 100);
    EXPECT_EQ(s.alarmDuration, 0);
    EXPECT_STREQ(s.wavePath, "C:\\Program Files\\Tockmere\\rooster.wav");
    EXPECT_EQ(s.showAlarmDialog, 0);
    EXPECT_EQ(s.backgroundType, 1);
    EXPECT_EQ(s.posX, -1);
    EXPECT_EQ(s.posY, -1);
    EXPECT_EQ(s.colorBorder, 6961925u);
    EXPECT_EQ(s.colorBase, 14600397u);
    EXPECT_EQ(s.colorText, 0u);
    EXPECT_EQ(s.scale, 100);
}

TEST(ProgramFolder, IsTheModulePathUpToItsLastBackslash)
{
    char folder[TEXT_SIZE];
    programFolderOf("C:\\Program Files\\Tockmere\\clock.exe", folder, sizeof folder);
    EXPECT_STREQ(folder, "C:\\Program Files\\Tockmere\\");
    programFolderOf("clock.exe", folder, sizeof folder);
    EXPECT_STREQ(folder, "");
    programFolderOf("", folder, sizeof folder);
    EXPECT_STREQ(folder, "");
}

TEST(ProgramFolder, TooLongForTheBufferGivesTheEmptyFolderWithoutOverrun)
{
    // Exactly sized heap buffers, so AddressSanitizer sees any byte too many.
    auto folder = std::make_unique<char[]>(TEXT_SIZE);
    std::string fits = "C:\\" + std::string(TEXT_SIZE - 5, 'a') + "\\";  // 259 characters
    programFolderOf((fits + "clock.exe").c_str(), folder.get(), TEXT_SIZE);
    EXPECT_EQ(std::string(folder.get()), fits);

    std::string tooLong = "C:\\" + std::string(TEXT_SIZE - 4, 'a') + "\\";  // 260 characters
    programFolderOf((tooLong + "clock.exe").c_str(), folder.get(), TEXT_SIZE);
    EXPECT_STREQ(folder.get(), "");
}

TEST(Defaults, SoundIsInTheProgramFolderOrTheBareNameWhenThatWouldNotFit)
{
    auto settings = garbageSettings();
    setDefaults(*settings, FOLDER);
    expectDefaults(*settings);
    EXPECT_EQ(settings->autoRun, 1);

    std::string folder248 = std::string(247, 'f') + "\\";
    setDefaults(*settings, folder248.c_str());
    EXPECT_EQ(std::string(settings->wavePath), folder248 + "rooster.wav");  // 259 characters

    std::string folder249 = std::string(248, 'f') + "\\";
    setDefaults(*settings, folder249.c_str());
    EXPECT_STREQ(settings->wavePath, "rooster.wav");
}

TEST(Load, FirstStartGivesDefaultsAnEmptyTableAndAutoRunWithoutWritingAnything)
{
    MemoryRegistry registry;
    registry.putText(RUN, "Tockmere", "stale");  // not looked at without the program key
    auto settings = garbageSettings();
    EXPECT_FALSE(load(registry, *settings));
    expectDefaults(*settings);
    EXPECT_EQ(settings->autoRun, 1);
    EXPECT_EQ(eventCount(settings->events), 0);
    EXPECT_FALSE(registry.hasKey(MAIN));
    EXPECT_TRUE(registry.log.empty());
    EXPECT_TRUE(registry.openKeys.empty());
}

// Every value stored with an accepted number different from its default.
struct StoredValue {
    const char* name;
    std::uint32_t value;
    int Settings::*field;  // null for the colours, checked by name
};

const StoredValue storedValues[] = {
    {"Scale", 75, &Settings::scale},
    {"UnTransparent", 60, &Settings::opacity},
    {"Show seconds", 1, &Settings::showSeconds},
    {"Show flash delimiter", 1, &Settings::flashDelimiter},
    {"Show date", 1, &Settings::showDate},
    {"Show day of the week", 1, &Settings::showDayOfWeek},
    {"Show shadow", 1, &Settings::showShadow},
    {"Background type", 3, &Settings::backgroundType},
    {"Always on top", 0, &Settings::alwaysOnTop},
    {"X", 0xFFFFFFCE, &Settings::posX},  // -50: left of the primary screen
    {"Y", 0xFFFFFF9C, &Settings::posY},  // -100
    {"Color of text", 0x00123456, nullptr},
    {"Color base", 0xFFFFFFFF, nullptr},
    {"Color border", 0, nullptr},
    {"Duration of alarm", 7, &Settings::alarmDuration},  // outside 0..2, yet accepted
    {"Show dialog box for alarm", 1, &Settings::showAlarmDialog},
};

std::uint32_t fieldOf(const Settings& s, const StoredValue& stored)
{
    if (stored.field)
        return static_cast<std::uint32_t>(s.*stored.field);
    if (std::strcmp(stored.name, "Color of text") == 0)
        return s.colorText;
    if (std::strcmp(stored.name, "Color base") == 0)
        return s.colorBase;
    return s.colorBorder;
}

std::uint32_t defaultOf(const StoredValue& stored)
{
    auto defaults = garbageSettings();
    setDefaults(*defaults, FOLDER);
    return fieldOf(*defaults, stored);
}

// One damaged value among fifteen good ones: it alone keeps its default,
// and the values after it are still read.
TEST(Load, EachDamagedValueIsIgnoredAndItsNeighboursStillRead)
{
    struct Damage {
        const char* what;
        void (*apply)(MemoryRegistry&, const char* name);
    };
    const Damage damages[] = {
        {"missing", [](MemoryRegistry& r, const char* name) { r.erase(MAIN, name); }},
        {"REG_SZ", [](MemoryRegistry& r, const char* name) { r.putText(MAIN, name, "75"); }},
        {"REG_BINARY", [](MemoryRegistry& r, const char* name) { r.put(MAIN, name, REGISTRY_TYPE_BINARY, {75, 0, 0, 0}); }},
        {"short DWORD", [](MemoryRegistry& r, const char* name) { r.put(MAIN, name, REGISTRY_TYPE_DWORD, {75, 0}); }},
        {"8-byte DWORD", [](MemoryRegistry& r, const char* name) { r.put(MAIN, name, REGISTRY_TYPE_DWORD, std::vector<unsigned char>(8, 1)); }},
    };
    for (const Damage& damage : damages) {
        for (const StoredValue& damaged : storedValues) {
            MemoryRegistry registry;
            for (const StoredValue& stored : storedValues)
                registry.putDword(MAIN, stored.name, stored.value);
            damage.apply(registry, damaged.name);
            auto settings = garbageSettings();
            ASSERT_TRUE(load(registry, *settings));
            for (const StoredValue& stored : storedValues) {
                std::uint32_t expected = &stored == &damaged ? defaultOf(stored) : stored.value;
                EXPECT_EQ(fieldOf(*settings, stored), expected)
                    << stored.name << " with " << damaged.name << " " << damage.what;
            }
        }
    }
}

TEST(Load, RangeChecksOfScaleOpacityAndBackground)
{
    struct Case {
        const char* name;
        std::uint32_t stored;
        int Settings::*field;
        int expected;
    };
    const Case cases[] = {
        {"Scale", 49, &Settings::scale, 100},
        {"Scale", 50, &Settings::scale, 50},
        {"Scale", 101, &Settings::scale, 100},
        {"Scale", 0xFFFFFFCE, &Settings::scale, 100},
        {"UnTransparent", 30, &Settings::opacity, 100},
        {"UnTransparent", 50, &Settings::opacity, 50},
        {"UnTransparent", 100, &Settings::opacity, 100},
        {"Background type", 0, &Settings::backgroundType, 0},
        {"Background type", 3, &Settings::backgroundType, 3},
        {"Background type", 4, &Settings::backgroundType, 1},
        {"Background type", 0xFFFFFFFF, &Settings::backgroundType, 1},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        registry.putDword(MAIN, c.name, c.stored);
        registry.putDword(MAIN, "Color border", 1);  // read after all three
        auto settings = garbageSettings();
        ASSERT_TRUE(load(registry, *settings));
        EXPECT_EQ((*settings).*c.field, c.expected) << c.name << " = " << c.stored;
        EXPECT_EQ(settings->colorBorder, 1u);
    }
}

TEST(Load, OnlyYStoredLeavesXUnplaced)
{
    MemoryRegistry registry;
    registry.putDword(MAIN, "Y", 300);
    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    EXPECT_EQ(settings->posX, -1);
    EXPECT_EQ(settings->posY, 300);
}

std::string loadedWavePath(MemoryRegistry::Value value)
{
    MemoryRegistry registry;
    registry.put(MAIN, "Path to wave file", value.type, value.data);
    auto settings = garbageSettings();
    loadSettingsFrom(registry, *settings, FOLDER, "Tockmere");
    return settings->wavePath;
}

std::vector<unsigned char> bytes(const std::string& text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

TEST(Load, WavePathIsReadToItsFirstNulWithinTheBytesReturned)
{
    const std::string fallback = "C:\\Program Files\\Tockmere\\rooster.wav";
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes(std::string("C:\\bell.wav") + '\0')}), "C:\\bell.wav");
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes("C:\\bell.wav")}), "C:\\bell.wav");  // no NUL
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, {}}), "");                                 // no bytes
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes(std::string("a.wav\0junk", 10))}), "a.wav");
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes(std::string(259, 'p') + '\0')}), std::string(259, 'p'));
    // 260 bytes without a NUL: the buffer keeps 259 of them and its NUL.
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes(std::string(260, 'p'))}), std::string(259, 'p'));
    // Larger than the query's buffer: the query fails, the default stays.
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_SZ, bytes(std::string(261, 'p'))}), fallback);
    EXPECT_EQ(loadedWavePath({REGISTRY_TYPE_DWORD, {1, 2, 3, 4}}), fallback);
    EXPECT_EQ(loadedWavePath({2 /* REG_EXPAND_SZ */, bytes(std::string("x.wav") + '\0')}), fallback);
}

TEST(LoadEvents, TheFirstIncompleteSlotEndsTheTableAndTheNextSaveRemovesTheRest)
{
    MemoryRegistry registry;
    registry.putDword(MAIN, "Scale", 100);
    for (int slot = 0; slot < 10; ++slot)
        putSlot(registry, slot, slot + 1);
    registry.erase(EVENTS, slotName(5, "period"));

    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    EXPECT_EQ(eventCount(settings->events), 5);
    EXPECT_EQ(settings->events.slots[5].hours, -1);
    EXPECT_EQ(settings->events.slots[4].hours, 5);
    EXPECT_EQ(settings->events.slots[4].baseMonth, 5);

    ASSERT_EQ(saveSettingsTo(registry, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_EQ(registry.valueCount(EVENTS), 5u * 8);
    EXPECT_EQ(registry.find(EVENTS, slotName(5, "hours")), nullptr);
    EXPECT_EQ(registry.find(EVENTS, slotName(9, "description")), nullptr);
    EXPECT_EQ(registry.dwordAt(EVENTS, slotName(4, "hours")), 5u);
}

TEST(LoadEvents, AMistypedValueEndsTheTableAtItsSlot)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < 4; ++slot)
        putSlot(registry, slot, 7);
    registry.putText(EVENTS, slotName(2, "hours"), "7");
    registry.putDword(EVENTS, slotName(3, "description"), 0);
    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    EXPECT_EQ(eventCount(settings->events), 2);

    MemoryRegistry noDescription;
    putSlot(noDescription, 0, 7);
    noDescription.erase(EVENTS, slotName(0, "description"));
    ASSERT_TRUE(load(noDescription, *settings));
    EXPECT_EQ(eventCount(settings->events), 0);
    EXPECT_EQ(settings->events.slots[0].hours, -1);
}

TEST(LoadEvents, AHundredCompleteSlotsLoadWithoutAMarkerAndSaveBackWhole)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        putSlot(registry, slot, slot % 24, "slot " + std::to_string(slot));
    registry.putDword(EVENTS, "Event_100_hours", 3);  // beyond the table: never read
    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    EXPECT_EQ(eventCount(settings->events), MAX_EVENTS);
    EXPECT_EQ(settings->events.slots[99].hours, 99 % 24);
    EXPECT_STREQ(settings->events.slots[99].description, "slot 99");

    MemoryRegistry saved;
    ASSERT_EQ(saveSettingsTo(saved, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_EQ(saved.valueCount(EVENTS), 800u);
    for (const auto& [name, value] : registry.keys[MemoryRegistry::fold(EVENTS)]) {
        if (name == "event_100_hours")
            continue;
        const MemoryRegistry::Value* copy = saved.find(EVENTS, name);
        ASSERT_NE(copy, nullptr) << name;
        EXPECT_EQ(copy->type, value.type) << name;
        EXPECT_EQ(copy->data, value.data) << name;
    }
}

TEST(LoadEvents, DaysMaskSundayIsBitZero)
{
    MemoryRegistry registry;
    putSlot(registry, 0, 7);
    registry.putDword(EVENTS, slotName(0, "days"), 65);
    putSlot(registry, 1, 7);
    registry.putDword(EVENTS, slotName(1, "days"), 0xFFFFFF82);  // bits past Saturday mean nothing
    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    const int sundayAndSaturday[7] = {1, 0, 0, 0, 0, 0, 1};
    const int mondayOnly[7] = {0, 1, 0, 0, 0, 0, 0};
    for (int day = 0; day < 7; ++day) {
        EXPECT_EQ(settings->events.slots[0].days[day], sundayAndSaturday[day]) << day;
        EXPECT_EQ(settings->events.slots[1].days[day], mondayOnly[day]) << day;
    }

    settings->events.slots[1].days[3] = 5;  // any nonzero entry sets its bit once
    MemoryRegistry saved;
    saveSettingsTo(saved, *settings, 0, 0, RUN_VALUE);
    EXPECT_EQ(saved.dwordAt(EVENTS, slotName(0, "days")), 65u);
    EXPECT_EQ(saved.dwordAt(EVENTS, slotName(1, "days")), 2u + 8u);
}

TEST(LoadEvents, AnEmptyDescriptionIsStoredAsItsNulAlone)
{
    MemoryRegistry registry;
    putSlot(registry, 0, 7, "");
    auto settings = garbageSettings();
    ASSERT_TRUE(load(registry, *settings));
    ASSERT_EQ(eventCount(settings->events), 1);
    EXPECT_STREQ(settings->events.slots[0].description, "");

    MemoryRegistry saved;
    saveSettingsTo(saved, *settings, 0, 0, RUN_VALUE);
    const MemoryRegistry::Value* stored = saved.find(EVENTS, slotName(0, "description"));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->type, REGISTRY_TYPE_SZ);
    EXPECT_EQ(stored->data, std::vector<unsigned char>{0});
}

TEST(Load, AutoRunIsWhetherTheRunValueExistsAsText)
{
    struct Case {
        const char* what;
        void (*store)(MemoryRegistry&);
        int expected;
    };
    const Case cases[] = {
        {"absent", [](MemoryRegistry&) {}, 0},
        {"text", [](MemoryRegistry& r) { r.putText(RUN, "Tockmere", "x"); }, 1},
        {"other name", [](MemoryRegistry& r) { r.putText(RUN, "Tockmere2", "x"); }, 0},
        {"number", [](MemoryRegistry& r) { r.putDword(RUN, "Tockmere", 1); }, 0},
        {"longer than a path", [](MemoryRegistry& r) { r.putText(RUN, "Tockmere", std::string(400, 'c')); }, 1},
    };
    for (const Case& c : cases) {
        MemoryRegistry registry;
        registry.putDword(MAIN, "Scale", 100);
        c.store(registry);
        auto settings = garbageSettings();
        ASSERT_TRUE(load(registry, *settings));
        EXPECT_EQ(settings->autoRun, c.expected) << c.what;
        EXPECT_TRUE(registry.openKeys.empty());
    }
}

std::unique_ptr<Settings> someSettings()
{
    auto s = garbageSettings();
    setDefaults(*s, FOLDER);
    s->events = EventTable{};
    s->events.slots[0].hours = -1;
    s->scale = 80;
    s->opacity = 90;
    s->showSeconds = 1;
    s->backgroundType = 2;
    s->posX = 5;  // the window's place wins over these
    s->posY = 6;
    s->colorText = 0x00ABCDEF;
    std::strcpy(s->wavePath, "D:\\bell.wav");
    return s;
}

TEST(Save, WritesTheMainValuesInOrderTheWindowPositionAndTextsWithTheirNul)
{
    MemoryRegistry registry;
    auto settings = someSettings();
    ASSERT_EQ(saveSettingsTo(registry, *settings, -40, 1200, RUN_VALUE), REGISTRY_OK);

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

TEST(Save, WritesTheCurrentSlotsBeforeDeletingTheOldOnes)
{
    MemoryRegistry registry;
    for (int slot = 0; slot < 6; ++slot)
        putSlot(registry, slot, 8);
    auto settings = someSettings();
    settings->events.slots[0] = AlarmEvent{1, "tea", 16, 30, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}, 0, 0};
    settings->events.slots[1].hours = -1;
    ASSERT_EQ(saveSettingsTo(registry, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);

    std::vector<std::string> eventsLog;
    for (const std::string& entry : registry.log)
        if (entry.find("|Event_") != std::string::npos)
            eventsLog.push_back(entry);
    const char* written[] = {"is_on", "hours", "minutes", "description",
                             "period", "days", "base_date_day", "base_date_month"};
    ASSERT_EQ(eventsLog.size(), 8u + 99 * 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(eventsLog[i], "set " + EVENTS + "|" + slotName(0, written[i]));
    for (int slot = 1; slot < MAX_EVENTS; ++slot)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(eventsLog[8 * slot + i], "delete " + EVENTS + "|" + slotName(slot, written[i]));

    EXPECT_EQ(registry.valueCount(EVENTS), 8u);
    EXPECT_EQ(registry.textAt(EVENTS, slotName(0, "description")), std::string("tea") + '\0');
    EXPECT_EQ(registry.dwordAt(EVENTS, slotName(0, "days")), 62u);
}

TEST(Save, RunValueFollowsAutoRunAndStaysTheSameFromSaveToSave)
{
    MemoryRegistry registry;
    auto settings = someSettings();
    settings->autoRun = 1;
    const std::string expected = std::string("\"C:\\Program Files\\Tockmere\\tockmere.exe\" -autorun") + '\0';
    for (int save = 0; save < 3; ++save) {
        ASSERT_EQ(saveSettingsTo(registry, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);
        EXPECT_EQ(registry.textAt(RUN, "Tockmere"), expected) << "save " << save;
        ASSERT_TRUE(load(registry, *settings));
        EXPECT_EQ(settings->autoRun, 1);
    }

    registry.putText(RUN, "Other program", "other.exe");
    settings->autoRun = 0;
    ASSERT_EQ(saveSettingsTo(registry, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);
    EXPECT_EQ(registry.find(RUN, "Tockmere"), nullptr);
    EXPECT_NE(registry.find(RUN, "Other program"), nullptr);
    // Deleting the absent value again is harmless.
    ASSERT_EQ(saveSettingsTo(registry, *settings, 0, 0, RUN_VALUE), REGISTRY_OK);
    ASSERT_TRUE(load(registry, *settings));
    EXPECT_EQ(settings->autoRun, 0);

    // Without a command the value is left as it was rather than written broken.
    registry.putText(RUN, "Tockmere", "kept");
    settings->autoRun = 1;
    saveSettingsTo(registry, *settings, 0, 0, RunValue{"Tockmere", L"Tockmere", L""});
    EXPECT_EQ(registry.textAt(RUN, "Tockmere"), std::string("kept") + '\0');
}

TEST(Save, StopsAtTheFirstKeyThatCannotBeOpened)
{
    auto settings = someSettings();
    settings->autoRun = 0;

    MemoryRegistry noProgramKey;
    noProgramKey.refuse(MAIN);
    EXPECT_EQ(saveSettingsTo(noProgramKey, *settings, 0, 0, RUN_VALUE), REGISTRY_ACCESS_DENIED);
    EXPECT_TRUE(noProgramKey.log.empty());

    MemoryRegistry noEventsKey;
    noEventsKey.putText(RUN, "Tockmere", "x");
    noEventsKey.refuse(EVENTS);
    EXPECT_EQ(saveSettingsTo(noEventsKey, *settings, 0, 0, RUN_VALUE), REGISTRY_ACCESS_DENIED);
    EXPECT_EQ(noEventsKey.valueCount(MAIN), 17u);
    EXPECT_NE(noEventsKey.find(RUN, "Tockmere"), nullptr);  // Run key left as it was

    MemoryRegistry noRunKey;
    noRunKey.refuse(RUN);
    EXPECT_EQ(saveSettingsTo(noRunKey, *settings, 0, 0, RUN_VALUE), REGISTRY_ACCESS_DENIED);
    EXPECT_TRUE(noRunKey.hasKey(EVENTS));
    EXPECT_TRUE(noRunKey.openKeys.empty());
}

TEST(RunCommand, IsTheQuotedModulePathAndTheArgumentWithinTheBuffer)
{
    std::vector<wchar_t> command(RUN_COMMAND_SIZE);
    ASSERT_TRUE(buildRunCommand(L"C:\\Program Files\\Tockmere\\tockmere.exe", command.data(), command.size()));
    EXPECT_EQ(std::wstring(command.data()), COMMAND);

    std::wstring longest = L"C:\\" + std::wstring(TEXT_SIZE - 4, L'p');  // 259 characters
    ASSERT_TRUE(buildRunCommand(longest.c_str(), command.data(), command.size()));
    EXPECT_EQ(std::wstring(command.data()), L"\"" + longest + L"\" -autorun");

    std::wstring tooLong = longest + L"p";
    EXPECT_FALSE(buildRunCommand(tooLong.c_str(), command.data(), command.size()));
    EXPECT_EQ(command[0], L'\0');
    EXPECT_FALSE(buildRunCommand(L"", command.data(), command.size()));
}

}  // namespace
