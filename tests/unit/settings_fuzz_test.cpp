// Random registry contents of every type and size against the loader (the
// native tree runs this under AddressSanitizer and UBSan, so an overrun or an
// undefined conversion stops the test): what load accepts stays in range,
// and saving what was loaded and loading it again changes nothing.
#include <gtest/gtest.h>

#include <cstddef>
#include <random>

#include "memory_registry.h"
#include "settings/settings_store.h"

namespace {

const char* const mainNames[] = {
    "Scale", "UnTransparent", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
    "Show shadow", "Background type", "Always on top", "X", "Y", "Color of text", "Color base",
    "Color border", "Duration of alarm", "Show dialog box for alarm", "Path to wave file",
};
const char* const slotSuffixes[] = {"is_on", "hours", "minutes", "period", "days", "base_date_day",
                                    "base_date_month", "description"};

struct ValueMaker {
    std::mt19937 rng;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return below(100) < percent; }
    std::vector<unsigned char> number()
    {
        static const std::uint32_t edges[] = {0, 1, 2, 3, 4, 49, 50, 100, 101, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
        return MemoryRegistry::dwordBytes(chance(60) ? edges[below(std::size(edges))] : std::uint32_t(rng()));
    }
    // Text with or without a NUL, around the sizes the reader cares about;
    // a fitting one is never larger than the reader's buffer.
    std::vector<unsigned char> text(bool fitting = false)
    {
        static const int sizes[] = {0, 1, 2, 258, 259, 260, 261, 300};
        int size = chance(70) ? sizes[below(std::size(sizes))] : below(600);
        std::vector<unsigned char> bytes(fitting ? size % (TEXT_SIZE + 1) : size);
        bool noNul = chance(50);
        for (auto& byte : bytes)
            byte = static_cast<unsigned char>(noNul ? 1 + below(255) : below(256));
        return bytes;
    }
    // Mostly the right type for the name, otherwise anything at all.
    MemoryRegistry::Value value(bool wantsText, int rightPerMille)
    {
        if (below(1000) < rightPerMille)
            return {wantsText ? REGISTRY_TYPE_SZ : REGISTRY_TYPE_DWORD, wantsText ? text(rightPerMille > 900) : number()};
        static const RegistryType types[] = {REGISTRY_TYPE_NONE, REGISTRY_TYPE_SZ, 2, REGISTRY_TYPE_BINARY,
                                             REGISTRY_TYPE_DWORD, 7, 11};
        RegistryType type = chance(90) ? types[below(std::size(types))] : RegistryType(rng());
        return {type, chance(50) ? text() : std::vector<unsigned char>(below(9), static_cast<unsigned char>(rng()))};
    }
    void fill(MemoryRegistry& registry)
    {
        if (chance(90))
            registry.put(PROGRAM_KEY_PATH, "Scale", REGISTRY_TYPE_DWORD, number());
        if (!registry.hasKey(PROGRAM_KEY_PATH))
            return;
        for (const char* name : mainNames)
            if (chance(80)) {
                MemoryRegistry::Value v = value(std::string(name) == "Path to wave file", 750);
                registry.put(PROGRAM_KEY_PATH, name, v.type, v.data);
            }
        // Slot values are nearly always sound so that long tables occur; now
        // and then one is missing or damaged and ends the table there.
        int slots = chance(15) ? 0 : chance(20) ? 100 : below(101);
        for (int slot = 0; slot < slots; ++slot)
            for (const char* suffix : slotSuffixes)
                if (below(1000) != 0) {
                    MemoryRegistry::Value v = value(std::string(suffix) == "description", 998);
                    registry.put(EVENTS_KEY_PATH, slotName(slot, suffix), v.type, v.data);
                }
        if (chance(50)) {
            MemoryRegistry::Value v = value(true, 750);
            registry.put(RUN_KEY_PATH, "Tockmere", v.type, v.data);
        }
    }
};

bool terminated(const char (&text)[TEXT_SIZE]) { return std::memchr(text, '\0', TEXT_SIZE) != nullptr; }

void expectInRange(const Settings& s)
{
    EXPECT_TRUE(s.scale >= 50 && s.scale <= 100 && s.opacity >= 50 && s.opacity <= 100);
    EXPECT_TRUE(s.backgroundType >= 0 && s.backgroundType <= 3 && (s.autoRun == 0 || s.autoRun == 1));
    EXPECT_TRUE(terminated(s.wavePath));
    int count = eventCount(s.events);
    for (int slot = 0; slot < count; ++slot) {
        const AlarmEvent& event = s.events.slots[slot];
        EXPECT_TRUE(terminated(event.description)) << "slot " << slot;
        for (int day : event.days)
            EXPECT_TRUE(day == 0 || day == 1) << "slot " << slot;
        EXPECT_EQ(event.baseHours | event.baseMinutes | event.periodHours | event.periodMinutes, 0);
    }
    if (count < MAX_EVENTS)
        EXPECT_EQ(s.events.slots[count].hours, -1);
}

// Equal in everything that is stored: texts up to their NUL, the table up to its end.
void expectSame(const Settings& a, const Settings& b)
{
    EXPECT_EQ(std::memcmp(&a, &b, offsetof(Settings, wavePath)), 0);
    EXPECT_STREQ(a.wavePath, b.wavePath);
    EXPECT_EQ(std::memcmp(&a.showAlarmDialog, &b.showAlarmDialog,
                          offsetof(Settings, events) - offsetof(Settings, showAlarmDialog)), 0);
    int count = eventCount(a.events);
    ASSERT_EQ(eventCount(b.events), count);
    EXPECT_EQ(std::memcmp(&a.events, &b.events, count * sizeof(AlarmEvent)), 0);
    EXPECT_EQ(std::memcmp(&a.posX, &b.posX, sizeof(Settings) - offsetof(Settings, posX)), 0);
}

TEST(SettingsFuzz, RandomRegistryContentsLoadInRangeAndSurviveASaveUnchanged)
{
    const RunValue run{"Tockmere", L"Tockmere", L"\"C:\\Tockmere\\tockmere.exe\" -autorun"};
    for (unsigned seed = 1; seed <= 200 && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ValueMaker maker{std::mt19937(seed)};
        MemoryRegistry registry, saved;
        maker.fill(registry);
        auto loaded = garbageSettings(), reloaded = garbageSettings();
        loadSettingsFrom(registry, *loaded, "C:\\Tockmere\\", "Tockmere");
        ASSERT_TRUE(registry.openKeys.empty());
        expectInRange(*loaded);
        ASSERT_EQ(saveSettingsTo(saved, *loaded, loaded->posX, loaded->posY, run), REGISTRY_OK);
        ASSERT_TRUE(loadSettingsFrom(saved, *reloaded, "C:\\Tockmere\\", "Tockmere"));
        expectSame(*loaded, *reloaded);
    }
}

}  // namespace
