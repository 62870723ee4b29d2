#pragma once
// When the clock's timer should come next. The timer is set anew on every
// tick for just after the next whole second of the local clock, so the face's
// seconds change with the system clock and an alarm rings at its second 0
// rather than up to a second later. Each delay is worked out afresh from the
// clock's reading, so setting the clock either way, or a tick that comes late
// or early, costs at most one tick that lands off the second.

// How far past the whole second the tick aims: enough that a timer which
// fires a little early still reads the new second.
constexpr int TICK_MARGIN_MS = 5;

// Milliseconds from a local time `milliseconds` past its second to
// TICK_MARGIN_MS past the next whole second: between TICK_MARGIN_MS + 1 and
// 1000 + TICK_MARGIN_MS.
unsigned delayToNextTick(int milliseconds);
