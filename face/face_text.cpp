#include "face/face_text.h"

namespace {

const std::u16string WIDE_GAP = u"  ";
const std::u16string NARROW_GAP = u" ";

// Blanks every character equal to the separator's first one, one for one, so
// the text keeps its length (and, in a fixed-pitch face, its width).
void blankSeparators(std::u16string& text, const std::u16string& separator)
{
    if (separator.empty())
        return;
    for (char16_t& c : text)
        if (c == separator[0])
            c = u' ';
}

}  // namespace

const DayNames& englishDayNames()
{
    static const DayNames names = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
    return names;
}

std::u16string composeFaceText(const Settings& settings, LocalTime now, int forMeasure,
                               const FaceLocale& locale, const DayNames& dayNames)
{
    if (forMeasure)
        now.hour = 23;

    std::u16string text = locale.timeText(now, settings.showSeconds != 0);
    if (settings.showDayOfWeek) {
        text += WIDE_GAP;
        if (now.dayOfWeek >= 0 && now.dayOfWeek < 7)
            text += dayNames[now.dayOfWeek];
    }
    if (settings.showDate) {
        text += settings.showDayOfWeek ? NARROW_GAP : WIDE_GAP;
        text += locale.shortDate(now);
    }
    if (settings.flashDelimiter && now.second % 2 == 1)
        blankSeparators(text, locale.timeSeparator());

    if (text.size() > FACE_TEXT_SIZE - 1)
        text.resize(FACE_TEXT_SIZE - 1);
    return text;
}
