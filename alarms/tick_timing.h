#pragma once
// When the clock's timer should come next. A tick aims just after a whole
// second of the local clock, so the face's seconds change with the system
// clock and an alarm rings at its second 0 rather than up to a second later;
// when nothing can change faster, it aims just after the next whole minute
// only, since the alarms and the face without seconds change by the minute.
// Each delay is worked out afresh from the clock's reading, so setting the
// clock either way, or a tick that comes late or early, costs at most one
// tick that lands off its mark.
#include "alarms/ringing_state.h"
#include "app/local_time.h"
#include "settings/settings.h"

// How far past the whole second the tick aims: enough that a timer which
// fires a little early still reads the new second.
constexpr int TICK_MARGIN_MS = 5;
// A tick read at most this much after its aim counts as on its mark, and
// the repeating timer is left as it is.
constexpr int TICK_TOLERANCE_MS = 10;
constexpr unsigned SECOND_MS = 1000;
constexpr unsigned MINUTE_MS = 60 * SECOND_MS;

// Something can change within the minute: a shown second, a blinking
// separator, a ringing (it ends on a second of its own: 7, 60 or 180 seconds
// after it began), a stop not yet carried out, or the first tick still to
// come. Otherwise nothing changes before the next minute.
bool needsEverySecond(const Settings& settings, const RingingState& ringing);

// Milliseconds from `now` to TICK_MARGIN_MS past the next whole second
// (`everySecond`) or the next whole minute: 6..1005, or 6..60005.
unsigned delayToNextTick(const LocalTime& now, bool everySecond);

// After a tick read at `now`, with the timer repeating every `armedMs` (0:
// not set yet): what to set it to, or 0 to leave it. A tick on its mark
// keeps a timer already repeating at the cadence's period, and sets one that
// is not to that period; a tick off its mark sets the delay to the next mark.
unsigned timerToSet(const LocalTime& now, bool everySecond, unsigned armedMs);
