// Random registry contents of every type and size against the loader (the
// native tree runs this under AddressSanitizer and UBSan, so an overrun or an
// undefined conversion stops the test): what load accepts stays in range,
// and saving what was loaded and loading it again changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
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
    // Mostly (per mille) the right type for the name, otherwise anything at all.
    void put(MemoryRegistry& registry, const std::string& path, const std::string& name, int rightPerMille)
    {
        bool wantsText = name == "Path to wave file" || name == "Tockmere" || name.ends_with("description");
        static const RegistryType types[] = {REGISTRY_TYPE_NONE, REGISTRY_TYPE_SZ, 2, REGISTRY_TYPE_BINARY,
                                             REGISTRY_TYPE_DWORD, 7, 11};
        if (below(1000) < rightPerMille)
            registry.put(path, name, wantsText ? REGISTRY_TYPE_SZ : REGISTRY_TYPE_DWORD,
                         wantsText ? text(rightPerMille > 900) : number());
        else
            registry.put(path, name, chance(90) ? types[below(std::size(types))] : RegistryType(rng()),
                         chance(50) ? text() : std::vector<unsigned char>(below(9), static_cast<unsigned char>(rng())));
    }
    void fill(MemoryRegistry& registry)
    {
        if (chance(10))
            return;  // the first start
        registry.putDword(PROGRAM_KEY_PATH, "Scale", 100);
        for (const char* name : mainNames)
            if (chance(80))
                put(registry, PROGRAM_KEY_PATH, name, 750);
        // Slot values are nearly always sound so that long tables occur; now
        // and then one is missing or damaged and ends the table there.
        int slots = chance(15) ? 0 : chance(20) ? 100 : below(101);
        for (int slot = 0; slot < slots; ++slot)
            for (const char* suffix : slotSuffixes)
                if (below(1000) != 0)
                    put(registry, EVENTS_KEY_PATH, slotName(slot, suffix), 998);
        if (chance(50))
            put(registry, RUN_KEY_PATH, "Tockmere", 750);
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
        const AlarmEvent& e = s.events.slots[slot];
        bool daysAreFlags = std::all_of(e.days, e.days + 7, [](int d) { return d == 0 || d == 1; });
        EXPECT_TRUE(terminated(e.description) && daysAreFlags &&
                    (e.baseHours | e.baseMinutes | e.periodHours | e.periodMinutes) == 0) << "slot " << slot;
    }
    EXPECT_TRUE(count == MAX_EVENTS || s.events.slots[count].hours == -1);
}

TEST(SettingsFuzz, RandomRegistryContentsLoadInRangeAndSurviveASaveUnchanged)
{
    const RunValue run{"Tockmere", L"Tockmere", L"\"C:\\Tockmere\\tockmere.exe\" -autorun"};
    for (unsigned seed = 1; seed <= 200 && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ValueMaker maker{std::mt19937(seed)};
        MemoryRegistry registry, saved, savedAgain;
        maker.fill(registry);
        auto loaded = garbageSettings(), reloaded = garbageSettings();
        loadSettingsFrom(registry, *loaded, "C:\\Tockmere\\", "Tockmere");
        ASSERT_TRUE(registry.openKeys.empty());
        expectInRange(*loaded);
        // What was loaded, saved and loaded again saves the very same values.
        ASSERT_EQ(saveSettingsTo(saved, *loaded, loaded->posX, loaded->posY, run), REGISTRY_OK);
        ASSERT_TRUE(loadSettingsFrom(saved, *reloaded, "C:\\Tockmere\\", "Tockmere"));
        ASSERT_EQ(saveSettingsTo(savedAgain, *reloaded, reloaded->posX, reloaded->posY, run), REGISTRY_OK);
        EXPECT_TRUE(saved.keys == savedAgain.keys);
    }
}

}  // namespace
