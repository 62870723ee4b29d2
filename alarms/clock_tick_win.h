#pragma once
// The clock's tick over the global AppState: reads the local time, decides
// with runClockTick, then plays or stops the sound, shows the balloon, opens
// the message windows, repaints the face if it changed and sets the timer for
// the next tick.
void clockTick();

// Sets timer 1 of the clock window to come just after the next whole second
// of the local clock, or of the minute when nothing changes faster; left as
// it is when it already repeats on that mark. It is never killed. Called
// after each tick and whenever the settings the cadence depends on change.
void armClockTimer();
