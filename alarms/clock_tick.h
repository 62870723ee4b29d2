#pragma once
// What one tick of the clock's one-second timer does with the alarms, the
// reminder and the ringing, decided apart from the platform: the caller
// performs the result (sound, balloon, message windows, repaint).
#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "app/counted_string.h"
#include "app/local_time.h"
#include "settings/settings.h"

enum SoundAction {
    SOUND_NONE,
    SOUND_PLAY_ONCE,     // "Once": the wave file plays one time
    SOUND_PLAY_LOOPING,  // "1 min.", "3 min." (and any other duration)
    SOUND_STOP,          // stop whatever sound the process plays
};

constexpr int MAX_MESSAGE_WINDOWS = MAX_EVENTS + 1;  // every alarm and the reminder
constexpr int BALLOON_TEXT_SIZE = 256;               // 255 characters and a NUL
constexpr const char BALLOON_TITLE[] = "Alarm";
constexpr const char REMINDER_PREFIX[] = "Reminder. ";

struct TickResult {
    bool fired;  // something came due: it rings and shows the balloon
    // The descriptions of everything that fired, joined by "\r\n".
    CountedString alarmText;
    // One message window per fired record, in firing order (only when the
    // user asked for message windows).
    const AlarmEvent* messageRecords[MAX_MESSAGE_WINDOWS];
    int messageCount;
    // A stop in the same tick silences what the tick started, so only the
    // stop is reported then.
    SoundAction sound;
    bool showBalloon;
    // alarmText cut to 255 characters; the time ("07:30") when every record
    // that fired has an empty description, as the shell shows no empty balloon.
    char balloonText[BALLOON_TEXT_SIZE];
};

// The minute of a local time packed into one number (year, month, day, hour,
// minute), as RingingState::lastScannedMinute keeps it.
long long minuteKey(const LocalTime& time);

// The minutes from a fixed day to the minute of a local time, so that two of
// them subtract to the minutes between, across days, months and years.
long long minuteNumber(const LocalTime& time);

// One tick at local time `now`. Each minute is scanned for due alarms and the
// reminder once, on the first tick that falls in it; minutes in which no tick
// came at all are not caught up. The first tick after start scans only when
// it reads second 0. A hidden clock window fires no alarms, but the reminder
// still fires (and then switches itself off). "1 min." and "3 min." end on
// the first scanned minute at least 1 or 3 minutes after the firing; minutes
// the clock was set back do not count, so a ringing lasts at most a minute
// longer for it.
TickResult runClockTick(const LocalTime& now, bool windowVisible, const Settings& settings,
                        AlarmEvent& reminder, RingingState& ringing);
