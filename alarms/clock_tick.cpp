#include "alarms/clock_tick.h"

#include <cstdio>
#include <cstring>

#include "alarms/alarm_match.h"

namespace {

void addToText(CountedString& text, const char* description)
{
    if (text.length != 0)
        appendNewLine(text);
    append(text, description);
}

void fire(TickResult& result, RingingState& ringing, const LocalTime& now, const Settings& settings,
          const AlarmEvent& record)
{
    result.fired = true;
    ringing.alarmRinging = 1;
    ringing.ringStartMinute = ringing.ringLatestMinute = minuteNumber(now);
    if (settings.showAlarmDialog && result.messageCount < MAX_MESSAGE_WINDOWS)
        result.messageRecords[result.messageCount++] = &record;
}

void scanAlarms(TickResult& result, const LocalTime& now, bool windowVisible, const Settings& settings,
                RingingState& ringing)
{
    for (int slot = 0; slot < MAX_EVENTS; ++slot) {
        if (!windowVisible)
            break;
        const AlarmEvent& alarm = settings.events.slots[slot];
        if (alarm.hours == -1)
            break;
        if (!isAlarmDue(alarm, now))
            continue;
        fire(result, ringing, now, settings, alarm);
        addToText(result.alarmText, alarm.description);
    }
}

void checkReminder(TickResult& result, const LocalTime& now, const Settings& settings, AlarmEvent& reminder,
                   RingingState& ringing)
{
    if (!reminder.isOn || reminder.hours != now.hour || reminder.minutes != now.minute)
        return;
    fire(result, ringing, now, settings, reminder);
    addToText(result.alarmText, REMINDER_PREFIX);
    append(result.alarmText, reminder.description);
    reminder.isOn = 0;  // the reminder fires once
}

// Whatever fired rings, also when every description is empty.
void announce(TickResult& result, const LocalTime& now, const Settings& settings)
{
    if (!result.fired)
        return;
    result.sound = settings.alarmDuration != DURATION_ONCE ? SOUND_PLAY_LOOPING : SOUND_PLAY_ONCE;
    result.showBalloon = true;
    if (result.alarmText.length == 0) {
        std::snprintf(result.balloonText, sizeof result.balloonText, "%02d:%02d", now.hour, now.minute);
        return;
    }
    int n = result.alarmText.length < BALLOON_TEXT_SIZE - 1 ? result.alarmText.length : BALLOON_TEXT_SIZE - 1;
    std::memcpy(result.balloonText, result.alarmText.data, static_cast<std::size_t>(n));
    result.balloonText[n] = 0;
}

int minutesOf(int duration)
{
    switch (duration) {
    case DURATION_ONE_MINUTE: return 1;
    case DURATION_THREE_MINUTES: return 3;
    }
    return 0;  // "Once" ends with its single play
}

// The ends of "1 min." and "3 min.", looked at once a minute. Minutes are
// counted, not matched, so a minute without a tick or a clock set forward
// cannot miss the end; a clock set back moves the start back with it.
void applyMinuteDurationRules(const LocalTime& now, const Settings& settings, RingingState& ringing)
{
    if (ringing.alarmRinging != 1)
        return;
    long long minute = minuteNumber(now);
    if (minute < ringing.ringLatestMinute)
        ringing.ringStartMinute -= ringing.ringLatestMinute - minute;
    ringing.ringLatestMinute = minute;
    int duration = minutesOf(settings.alarmDuration);
    if (duration > 0 && minute - ringing.ringStartMinute >= duration)
        ringing.stopRequested = 1;
}

// The timer may skip second 0 of a minute or read it twice, so the scan is
// keyed to the minute itself rather than to the second.
bool isNewMinuteToScan(const LocalTime& now, RingingState& ringing)
{
    long long key = minuteKey(now);
    bool firstTick = ringing.lastScannedMinute == -1;
    if (key == ringing.lastScannedMinute)
        return false;
    ringing.lastScannedMinute = key;
    // Started mid-minute: that minute counts as seen, so nothing rings late.
    return !firstTick || now.second == 0;
}

}  // namespace

long long minuteKey(const LocalTime& time)
{
    return (((static_cast<long long>(time.year) * 100 + time.month) * 100 + time.day) * 100 + time.hour) * 100 +
           time.minute;
}

// Days are counted from 1 March of year 0, so that the leap day ends a year.
long long minuteNumber(const LocalTime& time)
{
    long long year = time.year - (time.month <= 2);
    long long days = 365 * year + year / 4 - year / 100 + year / 400 + (153 * ((time.month + 9) % 12) + 2) / 5 +
                     time.day;
    return (days * 24 + time.hour) * 60 + time.minute;
}

TickResult runClockTick(const LocalTime& now, bool windowVisible, const Settings& settings,
                        AlarmEvent& reminder, RingingState& ringing)
{
    TickResult result{};
    result.sound = SOUND_NONE;

    if (isNewMinuteToScan(now, ringing)) {
        scanAlarms(result, now, windowVisible, settings, ringing);
        checkReminder(result, now, settings, reminder, ringing);
        announce(result, now, settings);
        applyMinuteDurationRules(now, settings, ringing);
    }

    // A single play runs out by itself; only the state is cleared.
    if (ringing.alarmRinging == 1 && now.second == 7 && settings.alarmDuration == DURATION_ONCE)
        ringing.alarmRinging = 0;

    if (ringing.stopRequested == 1) {
        ringing.alarmRinging = 0;
        ringing.stopRequested = 0;
        result.sound = SOUND_STOP;
    }

    return result;
}
