#pragma once
// The reminder's arithmetic, apart from its page: the event time that follows
// from the base time and the period, the check an armed reminder must pass
// before it is stored, and the base time as the page shows it ("hh:mm").
#include "alarms/alarm_event.h"
#include "app/local_time.h"

constexpr int REMINDER_MINUTE_STEP = 15;  // the minutes list counts quarter hours
constexpr int CLOCK_TIME_TEXT_SIZE = 24;  // "hh:mm", with room for any two ints

constexpr const char PERIOD_EMPTY_TEXT[] = "Period is empty!";
constexpr const char EVENT_SKIPPED_TEXT[] = "The event has skipped! Please set new base time.";

enum ReminderVerdict {
    REMINDER_STORE,          // store the record as it is
    REMINDER_PERIOD_EMPTY,   // armed with a period of 0 h 0 min
    REMINDER_EVENT_SKIPPED,  // armed, but now is not between base and event
};

// Sets `hours` and `minutes` to the base time plus the period, on the
// 24-hour circle (the period is at most 3 h 45 min).
void computeReminderEvent(AlarmEvent& reminder);

// Whether `now` lies in [base, event) on the 24-hour circle; all three are
// minutes since midnight. A window whose ends meet (event = base) holds
// every minute.
bool isInReminderWindow(int baseMinute, int eventMinute, int nowMinute);

// Decides whether the record read from the page may be stored at the local
// time nowHour:nowMinute, and computes its event time on the way (unless the
// period is empty). A reminder that is off is always stored.
ReminderVerdict checkReminder(AlarmEvent& scratch, int nowHour, int nowMinute);

// The armed reminder's event as a moment: the first local minute after `now`
// (minuteNumber) that reads hours:minutes, within the next 24 hours.
long long reminderEventMinute(const LocalTime& now, int hours, int minutes);

// The message box text of a refusal ("" for REMINDER_STORE).
const char* reminderRefusalText(ReminderVerdict verdict);

// "%02d:%02d".
void formatClockTime(int hours, int minutes, char (&text)[CLOCK_TIME_TEXT_SIZE]);

// Reads the base time back from the text the page shows: the two characters
// before the colon are the hours, everything after it the minutes.
void readBaseTime(const char* text, int& hours, int& minutes);
