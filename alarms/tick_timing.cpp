#include "alarms/tick_timing.h"

#include <algorithm>

bool needsEverySecond(const Settings& settings, const RingingState& ringing)
{
    // The first tick marks where the clock starts watching: a minute later, a
    // sleep begun meanwhile would hide the alarms it slept over.
    return settings.showSeconds || settings.flashDelimiter || ringing.alarmRinging || ringing.stopRequested ||
           ringing.scannedUpTo == NOT_YET;
}

unsigned delayToNextTick(const LocalTime& now, bool everySecond)
{
    int milliseconds = std::clamp(now.milliseconds, 0, 999);
    if (everySecond)
        return static_cast<unsigned>(1000 - milliseconds + TICK_MARGIN_MS);
    int second = std::clamp(now.second, 0, 59);
    return static_cast<unsigned>((60 - second) * 1000 - milliseconds + TICK_MARGIN_MS);
}

unsigned timerToSet(const LocalTime& now, bool everySecond, unsigned armedMs)
{
    unsigned period = everySecond ? SECOND_MS : MINUTE_MS;
    bool onMark = now.milliseconds <= TICK_MARGIN_MS + TICK_TOLERANCE_MS && (everySecond || now.second == 0);
    if (!onMark)
        return delayToNextTick(now, everySecond);
    return armedMs == period ? 0 : period;
}
