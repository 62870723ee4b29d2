#include "alarms/tick_timing.h"

unsigned delayToNextTick(int milliseconds)
{
    if (milliseconds < 0)
        milliseconds = 0;
    if (milliseconds > 999)
        milliseconds = 999;
    return static_cast<unsigned>(1000 - milliseconds + TICK_MARGIN_MS);
}
