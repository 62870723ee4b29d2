#pragma once
// The ringing state the clock's tick drives; it starts idle with the process
// and is never stored.
constexpr long long NOT_YET = -1;

struct RingingState {
    int alarmRinging = 0;   // set when anything rings
    int stopRequested = 0;  // consumed at the start of the next tick (see requestStop)
    // The minute at which something last rang, counted in minutes from a
    // fixed day (minuteNumber), so that the minutes passed since can be told
    // across hours, days and skipped minutes. When the local clock goes back
    // the start moves back with it: the minutes already rung still count,
    // and the change itself adds none.
    long long ringStartMinute = 0;
    long long ringLatestMinute = 0;  // the latest local minute read while ringing, counted the same way
    long long ringStartUtc = 0;      // the UTC second (secondNumber) at which it last rang
    // The local minute up to which the alarms have been scanned (the
    // frontier, minuteNumber): no minute up to it is scanned again unless
    // the clock itself is set back. NOT_YET before the first tick.
    long long scannedUpTo = NOT_YET;
    long long lastUtc = 0;  // the UTC second (secondNumber) the last tick read
    // The Alarm page plays its sound: a stop may end it.
    bool pageSoundPlaying = false;
    // The armed reminder's event as a local minute (minuteNumber), worked out
    // when it is armed on the Reminder page; NOT_YET when not armed.
    long long reminderDue = NOT_YET;
};
