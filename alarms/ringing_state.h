#pragma once
// The ringing state the clock's tick drives; it starts idle with the process
// and is never stored.
#include "alarms/alarm_event.h"

constexpr long long NOT_YET = -1;
constexpr int MOST_RANG_RECORDS = MAX_EVENTS + 1;  // every alarm and the reminder

// One record that rang, as it rang: an alarm of the table (found again by
// isSameAlarm, as the table may be rebuilt meanwhile) or the reminder.
struct RangRecord {
    bool isReminder;
    AlarmEvent record;
};

struct RingingState {
    int alarmRinging = 0;   // set when anything rings
    int stopRequested = 0;  // consumed at the start of the next tick (see requestStop)
    // The UTC second (secondNumber) at which something last rang. Each step
    // of the clock back moves it back as far, so "1 min." and "3 min." count
    // the seconds of real time rung, whatever the clock does meanwhile.
    long long ringStartUtc = 0;
    // The local minute up to which the alarms have been scanned (the
    // frontier, minuteNumber): no minute up to it is scanned again unless
    // the clock is set back by more than a correction. NOT_YET before the
    // first tick.
    long long scannedUpTo = NOT_YET;
    long long lastUtc = 0;  // the UTC second (secondNumber) the last tick read
    // The Alarm page plays its sound: a stop may end it.
    bool pageSoundPlaying = false;
    // The armed reminder's event as a local minute (minuteNumber), worked out
    // when it is armed on the Reminder page; NOT_YET when not armed.
    long long reminderDue = NOT_YET;
    // What rang since the ringing last began, for a snooze of them all.
    RangRecord rang[MOST_RANG_RECORDS];
    int rangCount = 0;
};
