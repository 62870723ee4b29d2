#pragma once
// Every timer of the clock window, each id once: SetTimer with an id already
// in use on the window replaces that timer, whatever its procedure.
constexpr unsigned CLOCK_TIMER_ID = 1;       // the tick; its WM_TIMER reaches the window procedure
constexpr unsigned BEEP_TIMER_ID = 2;        // the beep repeated when no sound file can be played
constexpr unsigned TRAY_RETRY_TIMER_ID = 3;  // adding the notification-area icon again
