#include "settings/page_rules.h"

const char* const BACKGROUND_NAMES[BACKGROUND_NAME_COUNT] = {"Solid", "Soft", "Gradient", "Glass"};

const ColorRef CUSTOM_COLORS[CUSTOM_COLOR_COUNT] = {
    0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF80,  // red, orange, yellow, lime
    0x00FF00, 0x80FF00, 0xFFFF00, 0xFF8000,  // green, spring, cyan, azure
    0xFF0000, 0xFF0080, 0xFF00FF, 0x8000FF,  // blue, violet, magenta, rose
    0x646464, 0x969696, 0xAFAFAF, 0xC8C8C8,  // four greys
};

int trackbarPosition(int storedPercent)
{
    if (storedPercent < PERCENT_TRACK_MIN)
        return PERCENT_TRACK_MIN;
    if (storedPercent > PERCENT_TRACK_MAX)
        return PERCENT_TRACK_MAX;
    return storedPercent;
}

ColorRef storableColor(ColorRef chosen)
{
    constexpr ColorRef PURE_WHITE = 0xFFFFFF;
    constexpr ColorRef ALMOST_WHITE = 0xFEFEFE;
    return chosen == PURE_WHITE ? ALMOST_WHITE : chosen;
}
