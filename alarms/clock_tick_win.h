#pragma once
// The clock's tick over the global AppState: reads the local time and UTC,
// decides with runClockTick, then plays or stops the sound, shows the
// balloon, opens the message windows, keeps the computer awake while an
// alarm rings, sets the wake timer for the next alarm and the icon's tip to
// it, repaints the face if it changed and sets the timer for the next tick.
void clockTick();

// A tick at once after the clock or the time zone changed, or on resume:
// the face and the catch-up come without waiting, and the wake timer is set
// anew.
void clockTickAfterClockChange();

// Sets the wake timer and the icon's tip anew for the next alarm or the
// reminder (after the alarms or the reminder changed).
void refreshWakeTimer();

// Sets timer 1 of the clock window to come just after the next whole second
// of the local clock, or of the minute when nothing changes faster; left as
// it is when it already repeats on that mark. It is never killed. Called
// after each tick and whenever the settings the cadence depends on change.
void armClockTimer();
