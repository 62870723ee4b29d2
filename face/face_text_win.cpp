#include "face/face_text_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "app/app_state.h"
#include "app/local_time_win.h"
#include "face/face_font_win.h"
#include "face/face_text.h"

namespace {

constexpr int LOCALE_TEXT_SIZE = 260;

std::u16string fromWide(const wchar_t* text)
{
    return std::u16string(text, text + std::wcslen(text));
}

std::u16string userTimeText(const LocalTime& time, bool withSeconds)
{
    SYSTEMTIME st = toSystemTime(time);
    wchar_t text[LOCALE_TEXT_SIZE] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, withSeconds ? 0 : TIME_NOSECONDS, &st, NULL, text,
                   LOCALE_TEXT_SIZE);
    return fromWide(text);
}

std::u16string userShortDate(const LocalTime& time)
{
    SYSTEMTIME st = toSystemTime(time);
    wchar_t text[LOCALE_TEXT_SIZE] = {};
    // Locale 0 is the neutral locale, which Windows resolves to the user's.
    GetDateFormatW(0, DATE_SHORTDATE, &st, NULL, text, LOCALE_TEXT_SIZE);
    return fromWide(text);
}

std::u16string userTimeSeparator()
{
    wchar_t text[LOCALE_TEXT_SIZE] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, text, LOCALE_TEXT_SIZE);
    return fromWide(text);
}

// Measured between two digits, which share one width: the face font gives
// ":" and the blank one width and "." none. Asked for once per character,
// scale and DPI. A separator of another width keeps showing: better steady than
// moving.
std::u16string faceSeparatorBlank(char16_t separator)
{
    FaceGlue& glue = app.face;
    std::u16string& blank = glue.separatorBlank;
    if (separator == glue.blankSeparator && app.scale == glue.blankScale && app.dpi == glue.blankDpi)
        return blank;
    auto width = [](const wchar_t* text) {
        return measureTextWidth(app.frameDC, FACE_FONT_FAMILY, app.scale, app.dpi, text);
    };
    const wchar_t between[] = {L'0', static_cast<wchar_t>(separator), L'0', L'\0'};
    int withSeparator = width(between);
    if (withSeparator == width(L"0 0"))
        blank = u" ";
    else if (withSeparator == width(L"00"))
        blank = u"";
    else
        blank = std::u16string(1, separator);
    glue.blankSeparator = separator;
    glue.blankScale = app.scale;
    glue.blankDpi = app.dpi;
    return blank;
}

const FaceLocale USER_LOCALE{userTimeText, userShortDate, userTimeSeparator, faceSeparatorBlank};

DayNames appDayNames()
{
    DayNames names;
    for (int day = 0; day < 7; ++day)
        names[day] = fromWide(app.dayNames[day]);
    return names;
}

}  // namespace

const wchar_t* faceTextAt(const SYSTEMTIME& time, int forMeasure)
{
    std::u16string text = composeFaceText(app, toLocalTime(time), forMeasure, USER_LOCALE, appDayNames());
    wchar_t* line = app.face.text;
    std::fill(line, line + FACE_TEXT_SIZE, L'\0');
    std::copy(text.begin(), text.end(), line);
    return line;
}

const wchar_t* getFaceText(int forMeasure)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return faceTextAt(now, forMeasure);
}

void fillFaceDayNames()
{
    const DayNames& names = englishDayNames();
    for (int day = 0; day < 7; ++day) {
        std::fill(std::begin(app.dayNames[day]), std::end(app.dayNames[day]), L'\0');
        std::copy(names[day].begin(), names[day].end(), app.dayNames[day]);
    }
}
