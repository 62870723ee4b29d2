#pragma once
// The one line the clock face shows: the time, optionally the day of the week
// and the short date, with the time separator blanked on odd seconds when the
// user wants it to blink. The user's locale decides how time and date read;
// the Win32 glue supplies those pieces, so the composition itself is portable.
#include <array>
#include <string>

#include "app/local_time.h"
#include "settings/settings.h"

// The face text buffer: 259 characters and a terminating NUL.
constexpr int FACE_TEXT_SIZE = 260;

// The locale-dependent pieces of the face line.
struct FaceLocale {
    // The user's time format for `time`, with or without the seconds.
    std::u16string (*timeText)(const LocalTime& time, bool withSeconds);
    // The user's short date format for `time`.
    std::u16string (*shortDate)(const LocalTime& time);
    // The user's time separator (usually ":"); only its first character blinks.
    std::u16string (*timeSeparator)();
    // What stands in for that character while it blinks off: a blank as wide
    // in the face font, or nothing where it takes no width (a full stop), so
    // the blinking never moves nor widens the line.
    std::u16string (*separatorBlank)(char16_t separator);
};

using DayNames = std::array<std::u16string, 7>;

// "Sun" .. "Sat", indexed by day of week (0 = Sunday), whatever the locale.
const DayNames& englishDayNames();

// The face line for `now`. A nonzero `forMeasure` asks for the widest form of
// the current text: the hour is forced to 23 (11 in a 12-hour format) and
// the separator never blinks. The direction marks the user's formats may
// carry are left out. At most FACE_TEXT_SIZE - 1 characters.
std::u16string composeFaceText(const Settings& settings, LocalTime now, int forMeasure,
                               const FaceLocale& locale, const DayNames& dayNames);

// What the face's width depends on: the measuring text with every digit as
// "0" (the face font's digits share one width) and the scale. While it stays
// the same the face keeps its size; when it changes (the date gains a digit,
// another format) the face is measured again before the text is shown.
std::u16string faceWidthKey(const std::u16string& measureText, int scale);
