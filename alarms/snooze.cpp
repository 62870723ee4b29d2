#include "alarms/snooze.h"

#include <cstdio>

#include "alarms/alarm_marks.h"
#include "alarms/clock_tick.h"
#include "app/local_time.h"

bool isSnoozeLength(int minutes)
{
    return minutes >= 1 && minutes <= MOST_SNOOZE_MINUTES;
}

int snoozeChoiceList(int remembered, int (&list)[SNOOZE_CHOICE_COUNT + 1])
{
    int count = 0;
    bool placed = !isSnoozeLength(remembered);
    for (int minutes : SNOOZE_CHOICES) {
        if (!placed && remembered <= minutes) {
            if (remembered < minutes)
                list[count++] = remembered;
            placed = true;
        }
        list[count++] = minutes;
    }
    if (!placed)
        list[count++] = remembered;
    return count;
}

long long snoozeMoment(long long utc, int minutes)
{
    return (utc / 60 + minutes) * 60;
}

void snoozeRecord(Settings& settings, const RangRecord& rang, long long moment)
{
    if (rang.isReminder) {
        settings.snoozedReminder = rang.record;
        settings.snoozedReminder.isOn = 0;  // it came, and switched itself off; the copy is as stored
        settings.snoozedReminder.snoozeUtc = moment;
        return;
    }
    for (int slot = 0; slot < MAX_EVENTS && settings.events.slots[slot].hours != -1; ++slot) {
        AlarmEvent& alarm = settings.events.slots[slot];
        if (isSameAlarm(alarm, rang.record)) {
            alarm.snoozeUtc = moment;
            return;
        }
    }
}

bool carrySnoozes(const EventTable& before, EventTable& after)
{
    int waiting = 0, carried = 0;
    for (int old = 0; old < MAX_EVENTS && before.slots[old].hours != -1; ++old)
        waiting += before.slots[old].snoozeUtc != 0;
    for (int slot = 0; slot < MAX_EVENTS && after.slots[slot].hours != -1; ++slot) {
        AlarmEvent& alarm = after.slots[slot];
        for (int old = 0; old < MAX_EVENTS && before.slots[old].hours != -1; ++old) {
            const AlarmEvent& was = before.slots[old];
            // A Once alarm switches itself off when it comes: only the user's switch ends a snooze.
            if (was.snoozeUtc != 0 && isSameAlarm(was, alarm) && (alarm.isOn || !was.isOn)) {
                alarm.snoozeUtc = was.snoozeUtc;
                ++carried;
                break;
            }
        }
    }
    return carried < waiting;
}

bool endRungSnoozes(Settings& settings, const TickResult& result)
{
    for (int k = 0; k < result.unsnoozeCount; ++k)
        settings.events.slots[result.unsnooze[k]].snoozeUtc = 0;
    if (result.unsnoozeReminder)
        settings.snoozedReminder.snoozeUtc = 0;
    return result.unsnoozeCount > 0 || result.unsnoozeReminder;
}

const AlarmEvent* firstWaitingSnooze(const Settings& settings)
{
    const AlarmEvent* first = settings.snoozedReminder.snoozeUtc != 0 ? &settings.snoozedReminder : nullptr;
    for (int slot = 0; slot < MAX_EVENTS && settings.events.slots[slot].hours != -1; ++slot) {
        const AlarmEvent& alarm = settings.events.slots[slot];
        if (alarm.snoozeUtc != 0 && (first == nullptr || alarm.snoozeUtc < first->snoozeUtc))
            first = &alarm;
    }
    return first;
}

long long nextSnoozeUtc(const Settings& settings)
{
    const AlarmEvent* first = firstWaitingSnooze(settings);
    return first ? first->snoozeUtc : NOT_YET;
}

void formatSnoozeMoment(long long utc, char (&text)[SNOOZE_MOMENT_SIZE])
{
    LocalTime t = timeOfMinute(utc / 60);
    char full[64];  // room for any year: one beyond 9999 is then cut, and reads back as damaged
    std::snprintf(full, sizeof full, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  static_cast<int>(utc % 60));
    std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof text - 1), full);
}

bool parseSnoozeMoment(const char* text, long long* utc, std::size_t* used)
{
    LocalTime t;
    int length = 0;
    if (std::sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d%n", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second,
                    &length) != 6 ||
        length != static_cast<int>(SNOOZE_MOMENT_SIZE - 1))
        return false;
    if (!isDateCode(dateCodeOf(t)) || t.hour > 23 || t.minute > 59 || t.second > 59 || t.hour < 0 || t.minute < 0 ||
        t.second < 0)
        return false;
    *utc = secondNumber(t);
    *used = static_cast<std::size_t>(length);
    return true;
}
