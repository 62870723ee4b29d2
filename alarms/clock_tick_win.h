#pragma once
// The clock's tick over the global AppState: reads the local time, decides
// with runClockTick, then plays or stops the sound, shows the balloon, opens
// the message windows, repaints the face if it changed and sets the timer for
// the next tick.
void clockTick();

// Sets timer 1 of the clock window to come just after the next whole second
// of the local clock. Setting it again replaces it; it is never killed.
void armClockTimer();
