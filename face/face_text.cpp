#include "face/face_text.h"

#include "face/face_runs.h"

namespace {

const std::u16string WIDE_GAP = u"  ";
const std::u16string NARROW_GAP = u" ";

// Puts the blank for the separator's first character in place of each one.
void blankSeparators(std::u16string& text, const std::u16string& separator, const FaceLocale& locale)
{
    if (separator.empty())
        return;
    const std::u16string blank = locale.separatorBlank(separator[0]);
    std::u16string blanked;
    for (char16_t c : text)
        if (c == separator[0])
            blanked += blank;
        else
            blanked += c;
    text = blanked;
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
    text = withoutDirectionMarks(text);
    if (!forMeasure && settings.flashDelimiter && now.second % 2 == 1)
        blankSeparators(text, locale.timeSeparator(), locale);

    if (text.size() > FACE_TEXT_SIZE - 1)
        text.resize(FACE_TEXT_SIZE - 1);
    return text;
}

std::u16string faceWidthKey(const std::u16string& measureText, int scale)
{
    std::u16string key = measureText;
    for (char16_t& c : key)
        if (c >= u'0' && c <= u'9')
            c = u'0';
    key += u'|';
    for (char c : std::to_string(scale))
        key += static_cast<char16_t>(c);
    return key;
}
