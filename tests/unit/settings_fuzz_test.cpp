// Random registry contents of every type and size against the loader (the
// native tree runs this under AddressSanitizer and UBSan, so an overrun or an
// undefined conversion stops the test): what load accepts stays in range,
// and saving what was loaded and loading it again changes nothing.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "settings/settings_store.h"

namespace {

const char* const mainNames[] = {
    "Scale", "UnTransparent", "Show seconds", "Show flash delimiter", "Show date", "Show day of the week",
    "Show shadow", "Background type", "Always on top", "X", "Y", "Color of text", "Color base",
    "Color border", "Duration of alarm", "Show dialog box for alarm", "Path to wave file",
};
const char* const slotSuffixes[] = {
    "is_on", "hours", "minutes", "period", "days", "base_date_day", "base_date_month", "description",
};

class ValueMaker {
public:
    explicit ValueMaker(unsigned seed) : rng(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return below(100) < percent; }

    std::uint32_t number()
    {
        static const std::uint32_t edges[] = {0, 1, 2, 3, 4, 49, 50, 99, 100, 101, 0x7FFFFFFF, 0x80000000,
                                              0xFFFFFFFF, 0xFFFFFFCE};
        if (chance(60))
            return edges[below(std::size(edges))];
        return static_cast<std::uint32_t>(rng());
    }

    std::vector<unsigned char> dwordBytes(std::uint32_t value)
    {
        return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    }

    // Text with or without a NUL, around the sizes the reader cares about;
    // a fitting one is never larger than the reader's buffer.
    std::vector<unsigned char> textBytes(bool fitting = false)
    {
        static const int sizes[] = {0, 1, 2, 4, 258, 259, 260, 261, 300};
        int size = chance(70) ? sizes[below(std::size(sizes))] : below(600);
        if (fitting)
            size %= TEXT_SIZE + 1;
        std::vector<unsigned char> bytes(size);
        bool noNul = chance(50);
        for (auto& byte : bytes)
            byte = static_cast<unsigned char>(noNul ? 1 + below(255) : below(256));
        return bytes;
    }

    // Mostly the right type for the name, otherwise anything at all.
    MemoryRegistry::Value value(bool wantsText)
    {
        if (chance(75))
            return wantsText ? MemoryRegistry::Value{REGISTRY_TYPE_SZ, textBytes()}
                             : MemoryRegistry::Value{REGISTRY_TYPE_DWORD, dwordBytes(number())};
        static const RegistryType types[] = {REGISTRY_TYPE_NONE, REGISTRY_TYPE_SZ, 2, REGISTRY_TYPE_BINARY,
                                             REGISTRY_TYPE_DWORD, 5, 7, 11};
        RegistryType type = chance(90) ? types[below(std::size(types))] : static_cast<RegistryType>(rng());
        return {type, chance(50) ? textBytes() : std::vector<unsigned char>(below(9), static_cast<unsigned char>(rng()))};
    }

    void fill(MemoryRegistry& registry)
    {
        if (chance(90))
            registry.put(PROGRAM_KEY_PATH, "Scale", REGISTRY_TYPE_DWORD, dwordBytes(number()));
        if (!registry.hasKey(PROGRAM_KEY_PATH))
            return;
        for (const char* name : mainNames)
            if (chance(80)) {
                MemoryRegistry::Value v = value(std::strcmp(name, "Path to wave file") == 0);
                registry.put(PROGRAM_KEY_PATH, name, v.type, v.data);
            }
        if (chance(85)) {
            int slots = chance(20) ? 100 : below(101);
            for (int slot = 0; slot < slots; ++slot)
                for (const char* suffix : slotSuffixes)
                    putSlotValue(registry, slot, suffix);
        }
        if (chance(50)) {
            MemoryRegistry::Value v = value(true);
            registry.put(RUN_KEY_PATH, "Tockmere", v.type, v.data);
        }
    }

private:
    // Slot values are nearly always sound, so that long tables occur; now and
    // then one is missing or damaged and ends the table there.
    void putSlotValue(MemoryRegistry& registry, int slot, const char* suffix)
    {
        int dice = below(1000);
        if (dice == 0)
            return;
        bool isText = std::strcmp(suffix, "description") == 0;
        MemoryRegistry::Value v = value(isText);
        if (dice > 2)
            v = isText ? MemoryRegistry::Value{REGISTRY_TYPE_SZ, textBytes(true)}
                       : MemoryRegistry::Value{REGISTRY_TYPE_DWORD, dwordBytes(number())};
        char name[64];
        std::snprintf(name, sizeof name, "Event_%02d_%s", slot, suffix);
        registry.put(EVENTS_KEY_PATH, name, v.type, v.data);
    }

    std::mt19937 rng;
};

std::unique_ptr<Settings> garbageSettings()
{
    auto settings = std::make_unique<Settings>();
    std::memset(settings.get(), 0x5A, sizeof(Settings));
    return settings;
}

bool terminated(const char (&text)[TEXT_SIZE])
{
    return std::memchr(text, '\0', TEXT_SIZE) != nullptr;
}

void expectInRange(const Settings& s, unsigned seed)
{
    EXPECT_GE(s.scale, 50) << seed;
    EXPECT_LE(s.scale, 100) << seed;
    EXPECT_GE(s.opacity, 50) << seed;
    EXPECT_LE(s.opacity, 100) << seed;
    EXPECT_GE(s.backgroundType, 0) << seed;
    EXPECT_LE(s.backgroundType, 3) << seed;
    EXPECT_TRUE(s.autoRun == 0 || s.autoRun == 1) << seed;
    EXPECT_TRUE(terminated(s.wavePath)) << seed;
    int count = eventCount(s.events);
    for (int slot = 0; slot < count; ++slot) {
        const AlarmEvent& event = s.events.slots[slot];
        EXPECT_TRUE(terminated(event.description)) << seed << " slot " << slot;
        for (int day : event.days)
            EXPECT_TRUE(day == 0 || day == 1) << seed << " slot " << slot;
        EXPECT_EQ(event.baseHours | event.baseMinutes | event.periodHours | event.periodMinutes, 0) << seed;
    }
    if (count < MAX_EVENTS)
        EXPECT_EQ(s.events.slots[count].hours, -1) << seed;
}

void expectSame(const Settings& a, const Settings& b, unsigned seed)
{
    EXPECT_EQ(std::memcmp(&a, &b, offsetof(Settings, wavePath)), 0) << seed;
    EXPECT_STREQ(a.wavePath, b.wavePath) << seed;
    EXPECT_EQ(std::memcmp(&a.showAlarmDialog, &b.showAlarmDialog,
                          offsetof(Settings, events) - offsetof(Settings, showAlarmDialog)),
              0)
        << seed;
    int count = eventCount(a.events);
    ASSERT_EQ(eventCount(b.events), count) << seed;
    EXPECT_EQ(std::memcmp(&a.events, &b.events, count * sizeof(AlarmEvent)), 0) << seed;
    EXPECT_EQ(std::memcmp(&a.posX, &b.posX, sizeof(Settings) - offsetof(Settings, posX)), 0) << seed;
}

TEST(SettingsFuzz, RandomRegistryContentsLoadInRangeAndSurviveASaveUnchanged)
{
    const RunValue run{"Tockmere", L"Tockmere", L"\"C:\\Tockmere\\tockmere.exe\" -autorun"};
    for (unsigned seed = 1; seed <= 200; ++seed) {
        ValueMaker maker(seed);
        MemoryRegistry registry;
        maker.fill(registry);

        auto loaded = garbageSettings();
        loadSettingsFrom(registry, *loaded, "C:\\Tockmere\\", "Tockmere");
        ASSERT_TRUE(registry.openKeys.empty()) << seed;
        expectInRange(*loaded, seed);

        MemoryRegistry saved;
        ASSERT_EQ(saveSettingsTo(saved, *loaded, loaded->posX, loaded->posY, run), REGISTRY_OK) << seed;
        auto reloaded = garbageSettings();
        ASSERT_TRUE(loadSettingsFrom(saved, *reloaded, "C:\\Tockmere\\", "Tockmere")) << seed;
        expectSame(*loaded, *reloaded, seed);
        if (HasFailure())
            return;
    }
}

}  // namespace
