#pragma once
// The notification-area icon's tip: the program's title, then what rings
// next ("Next: Wed 07:30 Wake up", or "Snoozed until 07:40 Wake up"),
// nothing more when no alarm is on.
#include "alarms/alarm_event.h"
#include "alarms/ringing_state.h"
#include "app/local_time.h"
#include "settings/settings.h"

constexpr int TRAY_TIP_SIZE = 128;  // the shell's ANSI tip: 127 characters and a NUL

// A snoozed alarm or reminder waiting to ring again: when (local), and what.
struct SnoozedOccurrence {
    LocalTime at;
    const char* description;
    bool isReminder;
};

// The tip at local minute `nowMinute` (minuteNumber): the next occurrence
// that will ring (an alarm that is on and not skipped for that date, or the
// armed reminder), or `snoozed` (may be null) when it comes before that; cut
// to 127 bytes after a whole character of the code page whose lead bytes
// `isLeadByte` tells.
void composeTrayTip(const char* title, const Settings& settings, const AlarmEvent& reminder,
                    const RingingState& ringing, long long nowMinute, const SnoozedOccurrence* snoozed,
                    bool (*isLeadByte)(unsigned char), char (&tip)[TRAY_TIP_SIZE]);
