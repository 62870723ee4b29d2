#pragma once
// What one tick of the clock's timer does with the alarms, the reminder and
// the ringing, decided apart from the platform: the caller performs the
// result (sound, balloon, message windows, repaint).
//
// Each occurrence (an alarm's minute on a local date its period allows, or
// the reminder's event) rings once. The tick remembers the local minute up
// to which it scanned and the UTC time it last read; a tick at any moment
// scans every minute it has not seen, up to 24 hours back, so the rules do
// not depend on how often the timer comes.
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

constexpr int MAX_MESSAGE_WINDOWS = MOST_RANG_RECORDS;
constexpr int BALLOON_TEXT_SIZE = 256;               // 255 characters and a NUL
constexpr int NOTE_HEADING_SIZE = 48;
constexpr const char BALLOON_TITLE[] = "Alarm";
constexpr const char MISSED_BALLOON_TITLE[] = "Missed alarm";
constexpr const char REMINDER_PREFIX[] = "Reminder. ";
constexpr int CATCH_UP_MINUTES = 24 * 60;  // older occurrences are dropped
constexpr int MOST_LATE_SECONDS = 15 * 60;  // later ones are shown as missed, silent
constexpr int MOST_CORRECTION_SECONDS = 5 * 60;  // a step back of UTC up to this rings nothing twice
constexpr int ONCE_PLAY_SECONDS = 7;             // a single play is over by then

// One message window: the record that rang and the line above its
// description ("07:30", or "07:30, snoozed" when its snooze came).
struct MessageNote {
    const AlarmEvent* record;
    char heading[NOTE_HEADING_SIZE];
    bool isReminder;
};

struct TickResult {
    bool fired;  // something rings: sound and balloon
    int missedCount;
    // The descriptions of everything that rang, joined by "\r\n", then one
    // line per missed occurrence ("Missed: 07:40 Stand-up").
    CountedString alarmText;
    // One message window per record that rang, in order (only when the user
    // asked for message windows).
    MessageNote messages[MAX_MESSAGE_WINDOWS];
    int messageCount;
    // What was missed, for the one "Missed alarms" window (only when the user
    // asked for message windows): a line per occurrence, oldest first, the
    // reminder in its place ("07:40 Wake", "yesterday 11:10 Tea"), joined by
    // "\r\n"; empty when nothing was missed.
    CountedString missedList;
    SoundAction sound;  // a stop asked before the tick comes first, a new ringing replaces it
    bool showBalloon;
    const char* balloonTitle;
    // alarmText cut to 255 characters; the time ("07:30") when every record
    // that rang has an empty description, as the shell shows no empty balloon.
    char balloonText[BALLOON_TEXT_SIZE];
    // The wave file of the first alarm in the list that rang; empty: the
    // Alarm page's.
    const char* soundFile;
    // The slots of Once alarms that came (rang or were missed): the table's
    // owner switches them off (applyTickMarks).
    int switchOff[MAX_EVENTS];
    int switchOffCount;
    // The slots whose snooze came (rang or was missed), and whether the
    // reminder's did: their snoozes are over (endRungSnoozes).
    int unsnooze[MAX_EVENTS];
    int unsnoozeCount;
    bool unsnoozeReminder;
};

// One tick at local time `now`, when UTC reads `utc` (secondNumber of the UTC
// time) and the local time zone has the rules `zone`.
//
// A minute once scanned is not scanned again, so what rang or was shown
// missed stays so when local time goes back while UTC goes on (the autumn
// change) and when the clock steps back by at most 5 minutes (a correction:
// UTC reads at most that much before the tick before). A clock set back
// further starts afresh from the new time, and what falls due again rings
// again. The first tick (and the first after such a set-back) scans its
// minute only when it reads second 0.
//
// An occurrence's moment is the UTC moment of its local minute by `zone` (in
// the spring gap, the change; in the repeated autumn hour, its first pass);
// its lateness is `utc` minus that moment. Up to 15 minutes it rings, later
// it is missed. A hidden clock window rings no alarms, but the reminder
// still comes (and then switches itself off).
//
// "1 min." and "3 min." end 60 and 180 seconds of real time after the
// ringing began: UTC seconds, less every step the clock took back meanwhile
// (as far as the tick after the step saw it go back). A single play is over
// 7 seconds after it began.
//
// A snooze whose UTC moment has come rings its record again as the
// occurrence did, its heading marked snoozed, by the same lateness rules
// (lateness from its moment); one older than a day is still shown missed.
// A hidden clock window holds an alarm's snooze until it is shown again;
// the reminder's comes all the same.
TickResult runClockTick(const LocalTime& now, long long utc, const ZoneRules& zone, bool windowVisible,
                        const Settings& settings, AlarmEvent& reminder, RingingState& ringing);

// A click on the clock, the icon or the balloon, or a closed message window:
// stops at the next tick what rings then (or the Alarm page's sound), and is
// not held over to silence a later alarm.
void requestStop(RingingState& ringing);
