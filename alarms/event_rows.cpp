#include "alarms/event_rows.h"

#include "alarms/alarm_marks.h"

#include <cstdio>
#include <cstring>

namespace {

// Length of a row text, never reading past its buffer.
int textLength(const char* text)
{
    const void* end = std::memchr(text, 0, TEXT_SIZE);
    return end ? static_cast<int>(static_cast<const char*>(end) - text) : TEXT_SIZE;
}

// Copies at most 259 characters and always terminates.
void copyText(char (&target)[TEXT_SIZE], const char* source)
{
    int n = textLength(source);
    if (n > TEXT_SIZE - 1)
        n = TEXT_SIZE - 1;
    std::memcpy(target, source, static_cast<std::size_t>(n));
    target[n] = 0;
}

void formatPeriodInfo(const AlarmEvent& event, char (&info)[TEXT_SIZE])
{
    switch (event.period) {
    case PERIOD_DAY:
        for (int k = 0; k < 7; ++k)
            info[k] = event.days[k] ? '+' : '-';
        info[7] = 0;
        break;
    case PERIOD_MONTH:
        std::snprintf(info, sizeof info, "%02d", event.baseDay);
        break;
    case PERIOD_QUARTER:
    case PERIOD_YEAR:
    case PERIOD_ONCE:
        std::snprintf(info, sizeof info, "%02d:%02d", event.baseDay, event.baseMonth);
        break;
    default:
        info[0] = 0;
        break;
    }
}

// The number written by the leading digits of the two characters at
// `position`; 0 when there are none (also when the text ends before).
int twoCharacterValue(const char* text, int position)
{
    if (textLength(text) <= position)
        return 0;
    int value = 0;
    for (int k = position; k < position + 2 && text[k] >= '0' && text[k] <= '9'; ++k)
        value = value * 10 + (text[k] - '0');
    return value;
}

constexpr char SKIP_MARK[] = ", skips ";

// The period's name, then the skipped date as day and month: "Day, skips 18.3.".
void formatPeriodName(const AlarmEvent& event, char (&name)[TEXT_SIZE])
{
    name[0] = 0;
    if (event.period < 0 || event.period >= PERIOD_COUNT)
        return;
    if (isDateCode(event.skipDate))
        std::snprintf(name, sizeof name, "%s%s%d.%d.", periodNames[event.period], SKIP_MARK,
                      dayOfDateCode(event.skipDate), monthOfDateCode(event.skipDate));
    else
        copyText(name, periodNames[event.period]);
}

// A number of one or two digits at `text`, ended by a full stop; -1 if none.
int markNumber(const char*& text)
{
    int value = 0, digits = 0;
    for (; digits < 2 && *text >= '0' && *text <= '9'; ++text, ++digits)
        value = value * 10 + (*text - '0');
    if (digits == 0 || *text != '.')
        return -1;
    ++text;
    return value;
}

// The index of the first period name equal to the text before its skip mark;
// Day when none is. The mark's date, or 0, goes to `skipDate`.
int periodFromName(const char (&text)[TEXT_SIZE], const LocalTime& today, int* skipDate)
{
    char name[TEXT_SIZE];
    copyText(name, text);
    *skipDate = 0;
    if (char* mark = std::strstr(name, SKIP_MARK)) {
        const char* date = mark + sizeof SKIP_MARK - 1;
        int day = markNumber(date), month = markNumber(date);
        if (day > 0 && month > 0 && *date == 0)
            *skipDate = dateCodeFromDayMonth(day, month, today);
        *mark = 0;
    }
    for (int period = 0; period < PERIOD_COUNT; ++period)
        if (std::strncmp(name, periodNames[period], TEXT_SIZE) == 0)
            return period;
    return PERIOD_DAY;
}

}  // namespace

EventRow eventToRow(const AlarmEvent& event)
{
    EventRow row{};
    row.stateImage = event.isOn ? STATE_IMAGE_CHECKED : STATE_IMAGE_UNCHECKED;
    std::snprintf(row.time, sizeof row.time, "%02d:%02d", event.hours, event.minutes);
    copyText(row.description, event.description);
    formatPeriodName(event, row.periodName);
    formatPeriodInfo(event, row.periodInfo);
    copyText(row.sound, event.sound);
    return row;
}

AlarmEvent eventFromRow(const EventRow& row, const LocalTime& today)
{
    AlarmEvent event{};
    event.isOn = row.stateImage - 1;
    event.hours = twoCharacterValue(row.time, 0);
    event.minutes = twoCharacterValue(row.time, 3);
    copyText(event.description, row.description);
    event.period = periodFromName(row.periodName, today, &event.skipDate);
    copyText(event.sound, row.sound);
    if (event.period == PERIOD_DAY) {
        int infoLength = textLength(row.periodInfo);
        for (int k = 0; k < 7 && k < infoLength; ++k)
            event.days[k] = row.periodInfo[k] == '+';
    } else {
        event.baseDay = twoCharacterValue(row.periodInfo, 0);
        if (event.period != PERIOD_MONTH)
            event.baseMonth = twoCharacterValue(row.periodInfo, 3);
    }
    return event;
}
