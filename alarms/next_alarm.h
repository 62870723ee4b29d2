#pragma once
// When the next alarm or the reminder comes due, as a local minute and as
// the UTC moment the wake timer is set for. The local time zone's rules stay
// in the glue behind ZoneRules, so the core's tests can play daylight-saving
// days in both directions.
#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "settings/settings.h"

struct ZoneRules {
    // The UTC minute (minuteNumber of the UTC time) at which the local clock
    // reads `localMinute` (minuteNumber of the local time).
    virtual long long utcMinuteOf(long long localMinute) const = 0;

protected:
    ~ZoneRules() = default;
};

// Yearly alarms on 29 February come at most this many days apart.
constexpr int LOOK_AHEAD_DAYS = 4 * 366 + 1;

// The first local minute after both `nowMinute` and the scanned frontier at
// which an alarm that is on, or the armed reminder, is due; NOT_YET if none.
long long nextOccurrence(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                         long long nowMinute);

// The first local minute after `afterMinute` at which this alarm is due,
// switched on or not; NOT_YET if it never is.
long long nextOccurrenceOf(const AlarmEvent& alarm, long long afterMinute);

// That occurrence's UTC moment (secondNumber of the UTC time); NOT_YET if none.
long long nextWakeUtc(const Settings& settings, const AlarmEvent& reminder, const RingingState& ringing,
                      long long nowMinute, const ZoneRules& zone);
