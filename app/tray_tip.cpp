#include "app/tray_tip.h"

#include <cstdio>
#include <cstring>

#include "alarms/clock_tick.h"
#include "alarms/next_alarm.h"
#include "app/whole_characters.h"

namespace {

const char* const DAY_NAMES[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// "Next: Wed 07:30 Wake up" (the reminder's description after "Reminder. ").
void describeNext(const Occurrence& next, const AlarmEvent& reminder, char* line, std::size_t size)
{
    LocalTime at = timeOfMinute(next.minute);
    const char* prefix = next.record == &reminder ? REMINDER_PREFIX : "";
    std::snprintf(line, size, "Next: %s %02d:%02d %s%s", DAY_NAMES[at.dayOfWeek], at.hour, at.minute, prefix,
                  next.record->description);
}

void describeSnoozed(const SnoozedOccurrence& snoozed, char* line, std::size_t size)
{
    std::snprintf(line, size, "Snoozed until %02d:%02d %s%s", snoozed.at.hour, snoozed.at.minute,
                  snoozed.isReminder ? REMINDER_PREFIX : "", snoozed.description);
}

}  // namespace

void composeTrayTip(const char* title, const Settings& settings, const AlarmEvent& reminder,
                    const RingingState& ringing, long long nowMinute, const SnoozedOccurrence* snoozed,
                    bool (*isLeadByte)(unsigned char), char (&tip)[TRAY_TIP_SIZE])
{
    Occurrence next = nextOccurrenceAndRecord(settings, reminder, ringing, nowMinute);
    bool snoozeFirst = snoozed && (next.record == nullptr || minuteNumber(snoozed->at) < next.minute);
    char line[TEXT_SIZE + 48] = "";
    if (snoozeFirst)
        describeSnoozed(*snoozed, line, sizeof line);
    else if (next.record)
        describeNext(next, reminder, line, sizeof line);
    // An empty description leaves no blank after the time.
    std::size_t length = std::strlen(line);
    while (length > 0 && line[length - 1] == ' ')
        line[--length] = 0;

    char whole[sizeof line + 128];
    std::snprintf(whole, sizeof whole, length ? "%s\n%s" : "%s", title, line);
    std::size_t kept = wholeCharactersFitting(whole, std::strlen(whole), TRAY_TIP_SIZE - 1, isLeadByte);
    std::memcpy(tip, whole, kept);
    tip[kept] = 0;
}
