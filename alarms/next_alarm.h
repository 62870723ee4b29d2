#pragma once
// When the next alarm or the reminder comes due, as a local minute and as
// the UTC moment the wake timer is set for (by the zone's rules, so an alarm
// in the hour the spring change skips wakes the computer at the change).
#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "app/local_time.h"
#include "settings/settings.h"

// Yearly alarms on 29 February come at most this many days apart.
constexpr int LOOK_AHEAD_DAYS = 4 * 366 + 1;

// An occurrence to come: its local minute and the record that rings then
// (an alarm slot, or the reminder); NOT_YET and null when none.
struct Occurrence {
    long long minute;
    const AlarmEvent* record;
};

// The first local minute after both `nowMinute` and the scanned frontier at
// which an alarm that is on, or the armed reminder, is due; NOT_YET if none.
// Of several in that minute, the reminder, else the first in the table.
Occurrence nextOccurrenceAndRecord(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                                   long long nowMinute);
// Its minute alone.
long long nextOccurrence(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                         long long nowMinute);

// The first local minute after `afterMinute` at which this alarm is due,
// switched on or not; NOT_YET if it never is.
long long nextOccurrenceOf(const AlarmEvent& alarm, long long afterMinute);

// That occurrence's UTC moment (secondNumber of the UTC time), or a waiting
// snooze's when that comes first; NOT_YET if none.
long long nextWakeUtc(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                      long long nowMinute, const ZoneRules& zone);
