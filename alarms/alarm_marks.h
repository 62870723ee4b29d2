#pragma once
// The marks an alarm carries besides its rule: a skipped occurrence (a local
// date, yyyymmdd) and the switching off of a Once alarm after it came. The
// tick leaves them to the table's owner, which applies them here.
#include "alarms/alarm_event.h"
#include "app/local_time.h"

struct TickResult;

// The local date of a time as yyyymmdd.
int dateCodeOf(const LocalTime& date);

// A date that exists (1601..9999, the day within its month); 0 is no date.
bool isDateCode(int code);

// The day and month of a date code.
int dayOfDateCode(int code);
int monthOfDateCode(int code);

// The date that a day and month written without a year stand for: the first
// such date from the day before `today` on (a mark whose date passed while
// the midnight came stays on that date, and so clears itself).
int dateCodeFromDayMonth(int day, int month, const LocalTime& today);

// Whether the alarm skips its occurrence on the date of `date`.
bool skipsDate(const AlarmEvent& alarm, const LocalTime& date);

// "Skip next": marks the alarm's next occurrence after local minute
// `afterMinute` (minuteNumber) as skipped; on an alarm that has a mark, takes
// it back instead. An alarm that never comes gets no mark.
void toggleSkipNext(AlarmEvent& alarm, long long afterMinute);

// The same alarm, its switch and marks aside: the Alarm page finds the row of
// a table slot by it.
bool isSameAlarm(const AlarmEvent& a, const AlarmEvent& b);

// After a tick: switches off the Once alarms that came and clears the skip
// marks whose date has passed. Returns whether anything changed.
bool applyTickMarks(EventTable& table, const TickResult& result, const LocalTime& now);
