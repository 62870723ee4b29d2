#pragma once
// The ringing state the clock's tick drives; it starts idle with the process
// and is never stored.
struct RingingState {
    int alarmRinging = 0;     // set when anything fires
    int stopRequested = 0;    // consumed at the end of the next tick
    int ringStartMinute = 0;  // minute of the tick at which something last fired
    // The minute last scanned for alarms (year, month, day, hour, minute
    // packed by minuteKey), so each minute is scanned exactly once even when
    // the timer never reads second 0 or reads it twice. -1: none yet.
    long long lastScannedMinute = -1;
};
