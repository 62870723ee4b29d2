#include "alarms/event_rows.h"

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

// The index of the first period name equal to the text; Day when none is.
int periodFromName(const char* name)
{
    for (int period = 0; period < 4; ++period)
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
    if (event.period >= 0 && event.period < 4)
        copyText(row.periodName, periodNames[event.period]);
    formatPeriodInfo(event, row.periodInfo);
    return row;
}

AlarmEvent eventFromRow(const EventRow& row)
{
    AlarmEvent event{};
    event.isOn = row.stateImage - 1;
    event.hours = twoCharacterValue(row.time, 0);
    event.minutes = twoCharacterValue(row.time, 3);
    copyText(event.description, row.description);
    event.period = periodFromName(row.periodName);
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
