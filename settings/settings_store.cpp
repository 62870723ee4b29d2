#include "settings/settings_store.h"

#include "alarms/alarm_marks.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "alarms/alarm_match.h"
#include "alarms/snooze.h"
#include "app/whole_characters.h"

const char PROGRAM_KEY_PATH[] = "Software\\Vellomar\\Tockmere";
const char EVENTS_KEY_PATH[] = "Software\\Vellomar\\Tockmere\\Events";
const char RUN_KEY_PATH[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char DEFAULT_SOUND_NAME[] = "rooster.wav";

namespace {

constexpr std::uint32_t DWORD_SIZE = 4;
constexpr int PERCENT_MIN = 50;
constexpr int PERCENT_MAX = 100;
constexpr int SLOT_VALUE_COUNT = 8;
constexpr std::size_t VALUE_NAME_SIZE = 64;

// The eight values of an alarm slot: seven numbers (the days as a mask)
// and the description.
enum SlotValueKind { SLOT_NUMBER, SLOT_DAYS, SLOT_TEXT };
struct SlotValue {
    const char* suffix;
    SlotValueKind kind;
    int AlarmEvent::*number;
};

constexpr SlotValue IS_ON{"is_on", SLOT_NUMBER, &AlarmEvent::isOn};
constexpr SlotValue HOURS{"hours", SLOT_NUMBER, &AlarmEvent::hours};
constexpr SlotValue MINUTES{"minutes", SLOT_NUMBER, &AlarmEvent::minutes};
constexpr SlotValue PERIOD{"period", SLOT_NUMBER, &AlarmEvent::period};
constexpr SlotValue DAYS{"days", SLOT_DAYS, nullptr};
constexpr SlotValue BASE_DAY{"base_date_day", SLOT_NUMBER, &AlarmEvent::baseDay};
constexpr SlotValue BASE_MONTH{"base_date_month", SLOT_NUMBER, &AlarmEvent::baseMonth};
constexpr SlotValue DESCRIPTION{"description", SLOT_TEXT, nullptr};

const SlotValue slotReadOrder[SLOT_VALUE_COUNT] = {IS_ON, HOURS, MINUTES, PERIOD, DAYS, BASE_DAY, BASE_MONTH, DESCRIPTION};
const SlotValue slotWriteOrder[SLOT_VALUE_COUNT] = {IS_ON, HOURS, MINUTES, DESCRIPTION, PERIOD, DAYS, BASE_DAY, BASE_MONTH};

void copyText(char* target, std::size_t targetSize, const char* text)
{
    std::size_t length = std::strlen(text);
    if (length >= targetSize)
        length = targetSize - 1;
    std::memcpy(target, text, length);
    target[length] = '\0';
}

void slotValueName(char (&name)[VALUE_NAME_SIZE], int slot, const char* suffix)
{
    std::snprintf(name, sizeof name, "Event_%02d_%s", slot, suffix);
}

bool acceptAny(std::uint32_t)
{
    return true;
}

bool acceptSnoozeLength(std::uint32_t value)
{
    return value >= 1 && value <= MOST_SNOOZE_MINUTES;
}

bool acceptPercent(std::uint32_t value)
{
    return value >= PERCENT_MIN && value <= PERCENT_MAX;
}

bool acceptBackgroundType(std::uint32_t value)
{
    return value <= BACKGROUND_GLASS;
}

// Any other number would ring with no end and show no choice on the Alarm page.
bool acceptDuration(std::uint32_t value)
{
    return value <= DURATION_THREE_MINUTES;
}

// A REG_DWORD of exactly four bytes; anything shorter or of another type is
// not a number of ours.
bool readDword(Registry& registry, RegistryKey key, const char* name, std::uint32_t* value)
{
    unsigned char data[DWORD_SIZE] = {};
    RegistryType type = REGISTRY_TYPE_NONE;
    std::uint32_t size = DWORD_SIZE;
    if (registry.queryValue(key, name, &type, data, &size) != REGISTRY_OK)
        return false;
    if (type != REGISTRY_TYPE_DWORD || size != DWORD_SIZE)
        return false;
    *value = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16 |
             std::uint32_t(data[3]) << 24;
    return true;
}

template <class Field>
void loadDword(Registry& registry, RegistryKey key, const char* name, Field& field,
               bool (*accept)(std::uint32_t) = acceptAny)
{
    std::uint32_t value = 0;
    if (readDword(registry, key, name, &value) && accept(value))
        field = static_cast<Field>(value);
}

std::size_t fittingLength(Registry& registry, const char* text, std::size_t length, std::size_t room)
{
    return wholeCharactersFitting(text, length, room, [&](unsigned char byte) { return registry.isLeadByte(byte); });
}

// A longer path would name some other file; a longer description is cut.
enum LongText { LONG_TEXT_REFUSED, LONG_TEXT_CUT };

// A REG_SZ up to its first NUL, never past the bytes the query returned and
// never more than the N - 1 characters the buffer holds.
template <std::size_t N>
bool readText(Registry& registry, RegistryKey key, const char* name, char (&text)[N], LongText longText)
{
    std::string data(N, '\0');
    RegistryType type = REGISTRY_TYPE_NONE;
    std::uint32_t size = N;
    RegistryStatus status = registry.queryValue(key, name, &type, data.data(), &size);
    if (status == REGISTRY_MORE_DATA && type == REGISTRY_TYPE_SZ && longText == LONG_TEXT_CUT) {
        data.resize(size);
        status = registry.queryValue(key, name, &type, data.data(), &size);
    }
    if (status != REGISTRY_OK || type != REGISTRY_TYPE_SZ)
        return false;
    std::size_t length = 0;
    while (length < size && length < data.size() && data[length] != '\0')
        ++length;
    length = fittingLength(registry, data.data(), length, N - 1);
    std::memcpy(text, data.data(), length);
    text[length] = '\0';
    return true;
}

void writeDword(Registry& registry, RegistryKey key, const char* name, std::uint32_t value)
{
    const unsigned char data[DWORD_SIZE] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24),
    };
    registry.setValue(key, name, REGISTRY_TYPE_DWORD, data, DWORD_SIZE);
}

// The text with its NUL counted; a buffer that lost its NUL is cut at N - 1.
template <std::size_t N>
void writeText(Registry& registry, RegistryKey key, const char* name, const char (&text)[N])
{
    std::size_t length = 0;
    while (length < N - 1 && text[length] != '\0')
        ++length;
    char data[N];
    std::memcpy(data, text, length);
    data[length] = '\0';
    registry.setValue(key, name, REGISTRY_TYPE_SZ, data, static_cast<std::uint32_t>(length + 1));
}

// The nineteen values of the program key, in the order they are read and
// written. Exactly one of number, color and text names the field; X and Y
// are read into posX and posY but written from the window's place.
struct MainValue {
    const char* name;
    int Settings::*number;
    ColorRef Settings::*color;
    bool text;
    bool (*accept)(std::uint32_t);
};

const MainValue MAIN_VALUES[] = {
    {"Scale", &Settings::scale, nullptr, false, acceptPercent},
    {"UnTransparent", &Settings::opacity, nullptr, false, acceptPercent},
    {"Show seconds", &Settings::showSeconds, nullptr, false, acceptAny},
    {"Show flash delimiter", &Settings::flashDelimiter, nullptr, false, acceptAny},
    {"Show date", &Settings::showDate, nullptr, false, acceptAny},
    {"Show day of the week", &Settings::showDayOfWeek, nullptr, false, acceptAny},
    {"Show shadow", &Settings::showShadow, nullptr, false, acceptAny},
    {"Background type", &Settings::backgroundType, nullptr, false, acceptBackgroundType},
    {"Always on top", &Settings::alwaysOnTop, nullptr, false, acceptAny},
    {"X", &Settings::posX, nullptr, false, acceptAny},
    {"Y", &Settings::posY, nullptr, false, acceptAny},
    {"Color of text", nullptr, &Settings::colorText, false, acceptAny},
    {"Color base", nullptr, &Settings::colorBase, false, acceptAny},
    {"Color border", nullptr, &Settings::colorBorder, false, acceptAny},
    {"Duration of alarm", &Settings::alarmDuration, nullptr, false, acceptDuration},
    {"Show dialog box for alarm", &Settings::showAlarmDialog, nullptr, false, acceptAny},
    {"Path to wave file", nullptr, nullptr, true, acceptAny},
    {"Hide for full screen", &Settings::hideForFullScreen, nullptr, false, acceptAny},
    {"Snooze minutes", &Settings::snoozeMinutes, nullptr, false, acceptSnoozeLength},
};

void loadMainValues(Registry& registry, RegistryKey key, Settings& settings)
{
    for (const MainValue& v : MAIN_VALUES) {
        if (v.text)
            readText(registry, key, v.name, settings.wavePath, LONG_TEXT_REFUSED);
        else if (v.color)
            loadDword(registry, key, v.name, settings.*v.color, v.accept);
        else
            loadDword(registry, key, v.name, settings.*v.number, v.accept);
    }
}

// Reads one slot value into the event; false at a missing or mistyped value.
bool loadSlotValue(Registry& registry, RegistryKey key, int slot, const SlotValue& slotValue, AlarmEvent& event)
{
    char name[VALUE_NAME_SIZE];
    slotValueName(name, slot, slotValue.suffix);
    if (slotValue.kind == SLOT_TEXT)
        return readText(registry, key, name, event.description, LONG_TEXT_CUT);
    std::uint32_t value = 0;
    if (!readDword(registry, key, name, &value))
        return false;
    if (slotValue.kind == SLOT_DAYS && value > 0x7F)
        return false;  // days beyond Saturday: not a mask of ours
    if (slotValue.kind == SLOT_DAYS)
        daysFromMask(value, event.days);
    else
        event.*slotValue.number = static_cast<int>(value);
    return true;
}

// A time of day and a known period, as the editor gives them; whether the
// base date can ever come is asked apart (periodReachesBaseDate).
bool isInEditorRanges(const AlarmEvent& event)
{
    return event.hours >= 0 && event.hours <= 23 && event.minutes >= 0 && event.minutes <= 59 &&
           event.period >= PERIOD_DAY && event.period < PERIOD_COUNT;
}

// The values a slot gained later ("_skip", "_sound", "_snooze"): a table
// written before has none, and a missing or damaged one leaves its field at
// none.
constexpr char SKIP_SUFFIX[] = "skip";
constexpr char SOUND_SUFFIX[] = "sound";
constexpr char SNOOZE_SUFFIX[] = "snooze";
const char* const MARK_SUFFIXES[] = {SKIP_SUFFIX, SOUND_SUFFIX, SNOOZE_SUFFIX};

// A snooze moment alone, the whole value.
void loadSnooze(Registry& registry, RegistryKey key, const char* name, AlarmEvent& event)
{
    char text[SNOOZE_MOMENT_SIZE + 1];
    long long moment = 0;
    std::size_t used = 0;
    if (readText(registry, key, name, text, LONG_TEXT_REFUSED) && parseSnoozeMoment(text, &moment, &used) &&
        text[used] == '\0')
        event.snoozeUtc = moment;
}

// The empty text when none waits, as a skip of 0.
void saveSnooze(Registry& registry, RegistryKey key, const char* name, long long moment)
{
    char text[SNOOZE_MOMENT_SIZE] = "";
    if (moment != 0)
        formatSnoozeMoment(moment, text);
    writeText(registry, key, name, text);
}

void loadSlotMarks(Registry& registry, RegistryKey key, int slot, AlarmEvent& event)
{
    char name[VALUE_NAME_SIZE];
    std::uint32_t skip = 0;
    slotValueName(name, slot, SKIP_SUFFIX);
    if (readDword(registry, key, name, &skip) && isDateCode(static_cast<int>(skip)))
        event.skipDate = static_cast<int>(skip);
    slotValueName(name, slot, SOUND_SUFFIX);
    if (!readText(registry, key, name, event.sound, LONG_TEXT_REFUSED))  // a path cut short names another file
        event.sound[0] = '\0';
    slotValueName(name, slot, SNOOZE_SUFFIX);
    loadSnooze(registry, key, name, event);
}

void saveSlotMarks(Registry& registry, RegistryKey key, int slot, const AlarmEvent& event)
{
    char name[VALUE_NAME_SIZE];
    slotValueName(name, slot, SKIP_SUFFIX);
    writeDword(registry, key, name, isDateCode(event.skipDate) ? static_cast<std::uint32_t>(event.skipDate) : 0);
    slotValueName(name, slot, SOUND_SUFFIX);
    writeText(registry, key, name, event.sound);
    slotValueName(name, slot, SNOOZE_SUFFIX);
    saveSnooze(registry, key, name, event.snoozeUtc);
}

void deleteSlotMarks(Registry& registry, RegistryKey key, int slot)
{
    char name[VALUE_NAME_SIZE];
    for (const char* suffix : MARK_SUFFIXES) {
        slotValueName(name, slot, suffix);
        registry.deleteValue(key, name);
    }
}

// A slot whose period can never come to its base date (31 November for a
// yearly alarm, day 0) stays in its place switched off, for the user to
// mend on the Alarm page, rather than being lost or left on to ring never.
bool loadSlot(Registry& registry, RegistryKey key, int slot, AlarmEvent& event)
{
    event = AlarmEvent{};
    for (const SlotValue& slotValue : slotReadOrder)
        if (!loadSlotValue(registry, key, slot, slotValue, event))
            return false;
    loadSlotMarks(registry, key, slot, event);
    if (!isInEditorRanges(event))
        return false;
    if (!periodReachesBaseDate(event))
        event.isOn = 0;
    return true;
}

// Every slot index is read: a damaged slot (a value missing or mistyped, a
// time or period out of range) is left out and the ones after it move up,
// so one damaged slot costs no other alarm. A full table has no end marker.
void loadEvents(Registry& registry, RegistryKey key, EventTable& table)
{
    int count = 0;
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        if (loadSlot(registry, key, slot, table.slots[count]))
            ++count;
    if (count < MAX_EVENTS) {
        table.slots[count] = AlarmEvent{};
        table.slots[count].hours = -1;
    }
}

void saveSlot(Registry& registry, RegistryKey key, int slot, const AlarmEvent& event)
{
    char name[VALUE_NAME_SIZE];
    for (const SlotValue& slotValue : slotWriteOrder) {
        slotValueName(name, slot, slotValue.suffix);
        if (slotValue.kind == SLOT_TEXT)
            writeText(registry, key, name, event.description);
        else if (slotValue.kind == SLOT_DAYS)
            writeDword(registry, key, name, daysMask(event.days));
        else
            writeDword(registry, key, name, event.*slotValue.number);
    }
    saveSlotMarks(registry, key, slot, event);
}

void deleteSlot(Registry& registry, RegistryKey key, int slot)
{
    char name[VALUE_NAME_SIZE];
    for (const SlotValue& slotValue : slotWriteOrder) {
        slotValueName(name, slot, slotValue.suffix);
        registry.deleteValue(key, name);
    }
    deleteSlotMarks(registry, key, slot);
}

// The current slots are written before the old ones beyond them go, so an
// interrupted save never leaves the alarms out of the registry.
void saveEvents(Registry& registry, RegistryKey key, const EventTable& table)
{
    int count = eventCount(table);
    for (int slot = 0; slot < count; ++slot)
        saveSlot(registry, key, slot, table.slots[slot]);
    for (int slot = count; slot < MAX_EVENTS; ++slot)
        deleteSlot(registry, key, slot);
}

void saveMainValues(Registry& registry, RegistryKey key, const Settings& settings, int windowLeft, int windowTop)
{
    for (const MainValue& v : MAIN_VALUES) {
        if (v.text)
            writeText(registry, key, v.name, settings.wavePath);
        else if (v.color)
            writeDword(registry, key, v.name, settings.*v.color);
        else if (v.number == &Settings::posX)
            writeDword(registry, key, v.name, static_cast<std::uint32_t>(windowLeft));
        else if (v.number == &Settings::posY)
            writeDword(registry, key, v.name, static_cast<std::uint32_t>(windowTop));
        else
            writeDword(registry, key, v.name, static_cast<std::uint32_t>(settings.*v.number));
    }
}

// The reminder as it rang, after its moment: "2027-03-15 07:35:00 07:30 Tea".
constexpr char REMINDER_SNOOZE_VALUE[] = "Reminder snooze";
constexpr std::size_t REMINDER_SNOOZE_SIZE = SNOOZE_MOMENT_SIZE + 7 + TEXT_SIZE;

void loadReminderSnooze(Registry& registry, RegistryKey key, AlarmEvent& reminder)
{
    char text[REMINDER_SNOOZE_SIZE];
    long long moment = 0;
    std::size_t used = 0;
    int hours = 0, minutes = 0, timeLength = 0;
    if (!readText(registry, key, REMINDER_SNOOZE_VALUE, text, LONG_TEXT_REFUSED) ||
        !parseSnoozeMoment(text, &moment, &used) ||
        std::sscanf(text + used, " %2d:%2d%n", &hours, &minutes, &timeLength) != 2 || timeLength != 6 ||
        hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return;
    const char* description = text + used + timeLength;
    if (*description == ' ')
        ++description;
    else if (*description != '\0')
        return;
    reminder = AlarmEvent{};
    reminder.hours = hours;
    reminder.minutes = minutes;
    copyText(reminder.description, sizeof reminder.description, description);
    reminder.snoozeUtc = moment;
}

void saveReminderSnooze(Registry& registry, RegistryKey key, const AlarmEvent& reminder)
{
    char text[REMINDER_SNOOZE_SIZE] = "";  // none waits
    if (reminder.snoozeUtc != 0) {
        char moment[SNOOZE_MOMENT_SIZE];
        formatSnoozeMoment(reminder.snoozeUtc, moment);
        std::snprintf(text, sizeof text, "%s %02d:%02d %.*s", moment, reminder.hours, reminder.minutes,
                      TEXT_SIZE - 1, reminder.description);
    }
    writeText(registry, key, REMINDER_SNOOZE_VALUE, text);
}

// Only presence and type count: a long command is still our Run value.
bool runValueExists(Registry& registry, const char* runValueName)
{
    RegistryKey key = nullptr;
    if (registry.openKey(RUN_KEY_PATH, ACCESS_READ, &key) != REGISTRY_OK)
        return false;
    RegistryType type = REGISTRY_TYPE_NONE;
    std::uint32_t size = 0;
    RegistryStatus status = registry.queryValue(key, runValueName, &type, nullptr, &size);
    registry.closeKey(key);
    return status == REGISTRY_OK && type == REGISTRY_TYPE_SZ;
}

RegistryStatus saveRunValue(Registry& registry, int autoRun, const RunValue& run)
{
    RegistryKey key = nullptr;
    RegistryStatus status = registry.createKey(RUN_KEY_PATH, ACCESS_SET_VALUE, &key);
    if (status != REGISTRY_OK)
        return status;
    if (autoRun == 0)
        registry.deleteValue(key, run.name);
    else if (run.command && run.command[0] != L'\0')
        registry.setWideString(key, run.wideName, run.command);
    return registry.closeKey(key);
}

}  // namespace

void programFolderOf(const char* modulePath, char* folder, std::size_t folderSize)
{
    if (folderSize == 0)
        return;
    folder[0] = '\0';
    if (!modulePath)
        return;
    const char* lastBackslash = std::strrchr(modulePath, '\\');
    if (!lastBackslash)
        return;
    std::size_t length = static_cast<std::size_t>(lastBackslash - modulePath) + 1;
    if (length >= folderSize)
        return;
    std::memcpy(folder, modulePath, length);
    folder[length] = '\0';
}

void setDefaults(Settings& settings, const char* programFolder)
{
    settings.autoRun = 1;
    settings.alwaysOnTop = 1;
    settings.showSeconds = 0;
    settings.flashDelimiter = 0;
    settings.showDate = 0;
    settings.showDayOfWeek = 0;
    settings.showShadow = 0;
    settings.opacity = 100;
    settings.backgroundType = BACKGROUND_SOFT;

    const char* folder = programFolder ? programFolder : "";
    if (std::strlen(folder) + std::strlen(DEFAULT_SOUND_NAME) < sizeof settings.wavePath)
        std::snprintf(settings.wavePath, sizeof settings.wavePath, "%s%s", folder, DEFAULT_SOUND_NAME);
    else
        copyText(settings.wavePath, sizeof settings.wavePath, DEFAULT_SOUND_NAME);

    settings.alarmDuration = DURATION_ONCE;
    settings.showAlarmDialog = 0;
    settings.colorText = 0;
    settings.colorBase = DEFAULT_COLOR_BASE;
    settings.colorBorder = DEFAULT_COLOR_BORDER;
    settings.scale = 100;
    settings.posY = -1;
    settings.posX = -1;
    settings.hideForFullScreen = 1;
    settings.snoozeMinutes = DEFAULT_SNOOZE_MINUTES;
    settings.snoozedReminder = AlarmEvent{};
}

std::uint32_t daysMask(const int days[7])
{
    std::uint32_t mask = 0;
    for (int day = 0; day < 7; ++day)
        if (days[day] != 0)
            mask |= 1u << day;
    return mask;
}

void daysFromMask(std::uint32_t mask, int days[7])
{
    for (int day = 0; day < 7; ++day)
        days[day] = (mask >> day) & 1u;
}

bool buildRunCommand(const wchar_t* modulePath, wchar_t* command, std::size_t commandSize)
{
    static const wchar_t argument[] = L" -autorun";
    if (commandSize == 0)
        return false;
    command[0] = L'\0';
    if (!modulePath || modulePath[0] == L'\0')
        return false;
    std::size_t pathLength = std::wcslen(modulePath);
    std::size_t argumentLength = std::wcslen(argument);
    if (pathLength + 2 + argumentLength >= commandSize)
        return false;
    wchar_t* out = command;
    *out++ = L'"';
    std::wmemcpy(out, modulePath, pathLength);
    out += pathLength;
    *out++ = L'"';
    std::wmemcpy(out, argument, argumentLength);
    out += argumentLength;
    *out = L'\0';
    return true;
}

bool loadSettingsFrom(Registry& registry, Settings& settings, const char* programFolder, const char* runValueName)
{
    setDefaults(settings, programFolder);
    settings.events = EventTable{};
    settings.events.slots[0].hours = -1;

    RegistryKey key = nullptr;
    if (registry.openKey(PROGRAM_KEY_PATH, ACCESS_ALL, &key) != REGISTRY_OK)
        return false;
    loadMainValues(registry, key, settings);
    loadReminderSnooze(registry, key, settings.snoozedReminder);
    registry.closeKey(key);

    if (registry.openKey(EVENTS_KEY_PATH, ACCESS_ALL, &key) == REGISTRY_OK) {
        loadEvents(registry, key, settings.events);
        registry.closeKey(key);
    }

    // An empty name would be the Run key's default value, which is not ours.
    settings.autoRun = runValueName && runValueName[0] != '\0' && runValueExists(registry, runValueName);
    return true;
}

RegistryStatus saveSettingsTo(Registry& registry, const Settings& settings, int windowLeft, int windowTop,
                              const RunValue& run)
{
    RegistryKey key = nullptr;
    RegistryStatus status = registry.createKey(PROGRAM_KEY_PATH, ACCESS_ALL, &key);
    if (status != REGISTRY_OK)
        return status;
    saveMainValues(registry, key, settings, windowLeft, windowTop);
    saveReminderSnooze(registry, key, settings.snoozedReminder);
    registry.closeKey(key);

    status = registry.createKey(EVENTS_KEY_PATH, ACCESS_ALL, &key);
    if (status != REGISTRY_OK)
        return status;
    saveEvents(registry, key, settings.events);
    status = registry.closeKey(key);

    if (!run.name || run.name[0] == '\0' || !run.wideName || run.wideName[0] == L'\0')
        return status;
    return saveRunValue(registry, settings.autoRun, run);
}
