#pragma once
// Whether an alarm slot (or the reminder's time) falls due at a local time.
#include "alarms/alarm_event.h"
#include "app/local_time.h"

// The slot is on and its time and period match `now`.
bool isAlarmDue(const AlarmEvent& event, const LocalTime& now);

// Only the period rule: whether the slot rings on the date of `now` (not on
// the date it skips).
bool periodAllowsDate(const AlarmEvent& event, const LocalTime& now);
