#pragma once
// The ringing state the clock's tick drives; it starts idle with the process
// and is never stored.
struct RingingState {
    int alarmRinging = 0;   // set when anything fires
    int stopRequested = 0;  // consumed at the end of the next tick
    // The minute at which something last fired, counted in minutes from a
    // fixed day (minuteNumber), so that the minutes passed since can be told
    // across hours, days and skipped minutes. When the clock is set back the
    // start moves back with it: the minutes already rung still count, and
    // the change itself adds none.
    long long ringStartMinute = 0;
    long long ringLatestMinute = 0;  // the latest minute scanned while ringing, counted the same way
    // The minute last scanned for alarms (year, month, day, hour, minute
    // packed by minuteKey), so each minute is scanned exactly once even when
    // the timer never reads second 0 or reads it twice. -1: none yet.
    long long lastScannedMinute = -1;
};
