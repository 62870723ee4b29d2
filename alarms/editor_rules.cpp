#include "alarms/editor_rules.h"

#include "alarms/alarm_event.h"

namespace {

constexpr unsigned LAST_HOUR = 23;
constexpr unsigned LAST_MINUTE = 59;

bool isMonth(unsigned month)
{
    return month >= 1 && month <= 12;
}

// Records a correction and makes it in the working copy, so that later
// rules see the field as corrected.
void correct(std::vector<FieldWrite>& writes, EditorNumbers& numbers, EditorField field, unsigned value)
{
    writes.push_back({field, value});
    switch (field) {
    case FIELD_HOURS: numbers.hours = value; break;
    case FIELD_MINUTES: numbers.minutes = value; break;
    case FIELD_BASE_DAY: numbers.baseDay = value; break;
    case FIELD_BASE_MONTH: numbers.baseMonth = value; break;
    }
}

void checkBaseDay(std::vector<FieldWrite>& writes, EditorNumbers& numbers)
{
    if (numbers.baseDay == 0) {
        correct(writes, numbers, FIELD_BASE_DAY, 1);
    } else if (!isMonth(numbers.baseMonth)) {
        correct(writes, numbers, FIELD_BASE_MONTH, 1);
        correct(writes, numbers, FIELD_BASE_DAY, 1);
    } else {
        unsigned longest = static_cast<unsigned>(monthLengths[numbers.baseMonth - 1]);
        if (numbers.baseDay > longest)
            correct(writes, numbers, FIELD_BASE_DAY, longest);
    }
}

void checkBaseMonth(std::vector<FieldWrite>& writes, EditorNumbers& numbers)
{
    checkBaseDay(writes, numbers);
    if (!isMonth(numbers.baseMonth))
        correct(writes, numbers, FIELD_BASE_MONTH, 1);
}

}  // namespace

std::vector<FieldWrite> correctionsAfterUpdate(EditorField changed, EditorNumbers numbers)
{
    std::vector<FieldWrite> writes;
    switch (changed) {
    case FIELD_HOURS:
        if (numbers.hours > LAST_HOUR)
            correct(writes, numbers, FIELD_HOURS, 0);
        break;
    case FIELD_MINUTES:
        if (numbers.minutes > LAST_MINUTE)
            correct(writes, numbers, FIELD_MINUTES, 0);
        break;
    case FIELD_BASE_DAY: checkBaseDay(writes, numbers); break;
    case FIELD_BASE_MONTH: checkBaseMonth(writes, numbers); break;
    }
    return writes;
}

int timeOrderPosition(const std::vector<std::string>& rowTimes, const char* time, TextCompare compare)
{
    int count = static_cast<int>(rowTimes.size());
    for (int index = 0; index < count; ++index)
        if (compare(rowTimes[index].c_str(), time) > 0)
            return index;
    return count;
}
