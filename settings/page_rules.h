#pragma once
// The rules the two display pages apply to what they show and store, apart
// from their controls.
#include "app/color.h"

// Both trackbars (opacity and scale) run over these percentages, one
// keyboard step and one tick mark every 10.
constexpr int PERCENT_TRACK_MIN = 50;
constexpr int PERCENT_TRACK_MAX = 100;
constexpr int PERCENT_TRACK_STEP = 10;

// Where a trackbar shows a stored percentage: values outside the range sit
// at the nearer end, and an Apply then stores that end.
int trackbarPosition(int storedPercent);

// The background types in the order of the page's list: the index is the
// stored code.
constexpr int BACKGROUND_NAME_COUNT = 4;
extern const char* const BACKGROUND_NAMES[BACKGROUND_NAME_COUNT];

// The colour a swatch keeps after the colour dialog: pure white becomes
// 0xFEFEFE, so the page never stores pure white; anything else is kept.
ColorRef storableColor(ColorRef chosen);

// The sixteen custom colours the colour dialog offers, the same every time.
constexpr int CUSTOM_COLOR_COUNT = 16;
extern const ColorRef CUSTOM_COLORS[CUSTOM_COLOR_COUNT];
