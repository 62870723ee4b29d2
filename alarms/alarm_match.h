#pragma once
// Whether an alarm slot (or the reminder's time) falls due at a local time.
#include "alarms/alarm_event.h"
#include "app/local_time.h"

// The slot is on and its time and period match `now`.
bool isAlarmDue(const AlarmEvent& event, const LocalTime& now);

// Only the period rule: whether the slot rings on the date of `now` (not on
// the date it skips).
bool periodAllowsDate(const AlarmEvent& event, const LocalTime& now);

// Whether the period ever comes to the slot's base date: a Day alarm always
// (its days decide); a monthly base day 1..31 (each month's last day for one
// past its end); a quarterly one with a base month 1..12; a yearly base
// date that some year has (29 February in leap years).
bool periodReachesBaseDate(const AlarmEvent& event);
