#include "alarms/clock_tick.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "alarms/alarm_match.h"
#include "alarms/snooze.h"

namespace {

void addToText(CountedString& text, const char* line)
{
    if (text.length != 0)
        appendNewLine(text);
    append(text, line);
}

// "07:40", or "yesterday 07:40" for an occurrence on the day before `now`.
void formatDue(char* text, std::size_t size, long long due, long long nowMinute)
{
    LocalTime t = timeOfMinute(due);
    bool yesterday = due / 1440 < nowMinute / 1440;
    std::snprintf(text, size, "%s%02d:%02d", yesterday ? "yesterday " : "", t.hour, t.minute);
}

// An occurrence too late to ring, for the missed list.
struct MissedOccurrence {
    long long due;
    const AlarmEvent* record;
    const char* prefix;
};

struct Scan {
    TickResult& result;
    const Settings& settings;
    RingingState& ringing;
    const ZoneRules& zone;
    long long nowMinute;
    int nowSecond;
    long long utc;
    CountedString missedLines;
    MissedOccurrence missed[MAX_MESSAGE_WINDOWS];
    int missedKept = 0;

    // Rings (or is missed, by how long ago its moment was) one occurrence at
    // local minute `due`.
    void occur(const AlarmEvent& record, long long due, const char* prefix, bool isReminder)
    {
        ring(record, due, utc - zone.utcMinuteOf(due) * 60, prefix, isReminder, "");
    }

    // A snooze that came, shown at the local minute of its moment.
    void ringSnoozed(const AlarmEvent& record, const char* prefix, bool isReminder)
    {
        long long late = utc - record.snoozeUtc;
        long long due = (nowMinute * 60 + nowSecond - late) / 60;
        ring(record, due, late, prefix, isReminder, SNOOZED_HEADING_SUFFIX);
    }

    void ring(const AlarmEvent& record, long long due, long long lateSeconds, const char* prefix, bool isReminder,
              const char* headingSuffix)
    {
        if (lateSeconds > MOST_LATE_SECONDS) {
            miss(record, due, prefix);
            return;
        }
        if (!result.fired)
            result.soundFile = record.sound;
        result.fired = true;
        if (ringing.alarmRinging != 1)
            ringing.rangCount = 0;  // a new ringing
        if (ringing.rangCount < MOST_RANG_RECORDS)
            ringing.rang[ringing.rangCount++] = RangRecord{isReminder, record};
        ringing.alarmRinging = 1;
        ringing.ringStartUtc = utc;
        ringing.pageSoundPlaying = false;  // the alarm's sound replaces it
        addToText(result.alarmText, prefix);
        append(result.alarmText, record.description);
        if (settings.showAlarmDialog && result.messageCount < MAX_MESSAGE_WINDOWS) {
            MessageNote& note = result.messages[result.messageCount++];
            note.record = &record;
            note.isReminder = isReminder;
            std::snprintf(note.heading, sizeof note.heading, "%02d:%02d%s", record.hours, record.minutes, headingSuffix);
        }
    }

    void miss(const AlarmEvent& record, long long due, const char* prefix)
    {
        ++result.missedCount;
        char when[24];
        formatDue(when, sizeof when, due, nowMinute);
        char line[NOTE_HEADING_SIZE + 16];
        std::snprintf(line, sizeof line, "Missed: %s %s", when, prefix);
        addToText(missedLines, line);
        append(missedLines, record.description);
        if (missedKept < MAX_MESSAGE_WINDOWS)
            missed[missedKept++] = {due, &record, prefix};
    }

    // The missed list, oldest first; the scan went slot by slot, and the
    // reminder, met last, keeps its place after alarms of its minute.
    void listMissed()
    {
        if (!settings.showAlarmDialog)
            return;
        std::stable_sort(missed, missed + missedKept,
                         [](const MissedOccurrence& a, const MissedOccurrence& b) { return a.due < b.due; });
        for (int k = 0; k < missedKept; ++k) {
            char line[NOTE_HEADING_SIZE];
            formatDue(line, sizeof line, missed[k].due, nowMinute);
            addToText(result.missedList, line);
            if (*missed[k].prefix || *missed[k].record->description)
                append(result.missedList, " ");
            append(result.missedList, missed[k].prefix);
            append(result.missedList, missed[k].record->description);
        }
    }

    // Every alarm occurrence in the minutes from..to (local), in table order.
    void scanAlarms(long long from, long long to)
    {
        for (int slot = 0; slot < MAX_EVENTS; ++slot) {
            const AlarmEvent& alarm = settings.events.slots[slot];
            if (alarm.hours == -1)
                break;
            if (!alarm.isOn)
                continue;
            for (long long day = from / 1440; day <= to / 1440; ++day) {
                long long due = day * 1440 + alarm.hours * 60 + alarm.minutes;
                if (due >= from && due <= to && isAlarmDue(alarm, timeOfMinute(due))) {
                    occur(alarm, due, "", false);
                    if (alarm.period == PERIOD_ONCE && result.switchOffCount < MAX_EVENTS)
                        result.switchOff[result.switchOffCount++] = slot;
                }
            }
        }
    }

    // The reminder is a moment: once the local clock has reached it, it comes
    // (or is missed, or is dropped when older than a day) and switches itself off.
    void checkReminder(AlarmEvent& reminder)
    {
        if (!reminder.isOn || ringing.reminderDue == NOT_YET || ringing.reminderDue > nowMinute)
            return;
        if (ringing.reminderDue > nowMinute - CATCH_UP_MINUTES)
            occur(reminder, ringing.reminderDue, REMINDER_PREFIX, true);
        reminder.isOn = 0;
        ringing.reminderDue = NOT_YET;
    }

    // Every snooze whose moment has come, whatever the scanned frontier.
    void ringSnoozes(bool windowVisible)
    {
        for (int slot = 0; windowVisible && slot < MAX_EVENTS; ++slot) {
            const AlarmEvent& alarm = settings.events.slots[slot];
            if (alarm.hours == -1)
                break;
            if (alarm.snoozeUtc != 0 && alarm.snoozeUtc <= utc) {
                ringSnoozed(alarm, "", false);
                result.unsnooze[result.unsnoozeCount++] = slot;
            }
        }
        const AlarmEvent& reminder = settings.snoozedReminder;
        if (reminder.snoozeUtc != 0 && reminder.snoozeUtc <= utc) {
            ringSnoozed(reminder, REMINDER_PREFIX, true);
            result.unsnoozeReminder = true;
        }
    }
};

// Whatever rang sounds and shows the balloon, also when every description is
// empty; missed occurrences alone show the balloon, silent.
void announce(TickResult& result, const LocalTime& now, const Settings& settings, const CountedString& missedLines)
{
    if (!result.fired && result.missedCount == 0)
        return;
    result.showBalloon = true;
    result.balloonTitle = result.fired ? BALLOON_TITLE : MISSED_BALLOON_TITLE;
    if (result.fired)
        result.sound = settings.alarmDuration != DURATION_ONCE ? SOUND_PLAY_LOOPING : SOUND_PLAY_ONCE;
    CountedString text = result.alarmText;
    if (result.fired && text.length == 0) {
        char time[8];
        std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
        append(text, time);
    }
    if (missedLines.length != 0)
        addToText(text, missedLines.data);
    int n = std::min(text.length, BALLOON_TEXT_SIZE - 1);
    std::memcpy(result.balloonText, text.data, static_cast<std::size_t>(n));
    result.balloonText[n] = 0;
}

int secondsOf(int duration)
{
    switch (duration) {
    case DURATION_ONE_MINUTE: return 60;
    case DURATION_THREE_MINUTES: return 3 * 60;
    }
    return 0;  // "Once" ends with its single play
}

// The ends of the ringing, looked at on every tick, in UTC seconds from the
// start (which each step back moved back): a gap, a sleep or a clock set
// forward past the end ends it at once.
void applyDurationRules(long long utc, const Settings& settings, RingingState& ringing)
{
    if (ringing.alarmRinging != 1)
        return;
    long long rung = utc - ringing.ringStartUtc;
    if (settings.alarmDuration == DURATION_ONCE) {
        if (rung >= ONCE_PLAY_SECONDS)
            ringing.alarmRinging = 0;  // it runs out by itself: only the state is cleared
        return;
    }
    int duration = secondsOf(settings.alarmDuration);
    if (duration > 0 && rung >= duration)
        ringing.stopRequested = 1;
}

bool applyStop(RingingState& ringing)
{
    if (ringing.stopRequested != 1)
        return false;
    ringing.alarmRinging = 0;
    ringing.stopRequested = 0;
    ringing.pageSoundPlaying = false;
    return true;
}

}  // namespace

void requestStop(RingingState& ringing)
{
    if (ringing.alarmRinging == 1 || ringing.pageSoundPlaying)
        ringing.stopRequested = 1;
}

TickResult runClockTick(const LocalTime& now, long long utc, const ZoneRules& zone, bool windowVisible,
                        const Settings& settings, AlarmEvent& reminder, RingingState& ringing)
{
    TickResult result{};
    result.sound = applyStop(ringing) ? SOUND_STOP : SOUND_NONE;  // what rang before this tick

    long long nowMinute = minuteNumber(now);
    // A step back of the clock is no time rung: the ringing's start moves back as far.
    long long stepBack = ringing.scannedUpTo == NOT_YET ? 0 : ringing.lastUtc - utc;
    if (stepBack > 0)
        ringing.ringStartUtc -= stepBack;
    // Started, or set back by more than a correction: afresh, a minute begun counting as seen.
    if (ringing.scannedUpTo == NOT_YET || stepBack > MOST_CORRECTION_SECONDS)
        ringing.scannedUpTo = nowMinute - (now.second == 0);
    ringing.lastUtc = utc;
    Scan scan{result, settings, ringing, zone, nowMinute, now.second, utc, {}, {}, 0};
    if (nowMinute > ringing.scannedUpTo) {
        long long from = std::max(ringing.scannedUpTo + 1, nowMinute - CATCH_UP_MINUTES + 1);
        if (windowVisible)
            scan.scanAlarms(from, nowMinute);
        ringing.scannedUpTo = nowMinute;
    }
    scan.checkReminder(reminder);
    scan.ringSnoozes(windowVisible);
    scan.listMissed();
    announce(result, now, settings, scan.missedLines);
    applyDurationRules(utc, settings, ringing);
    if (applyStop(ringing))
        result.sound = SOUND_STOP;
    return result;
}
