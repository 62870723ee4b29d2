#pragma once
// The alarm editor's rules that need no window: how a number typed into one
// of its four number fields is put right, and where an alarm goes in the
// list, which is kept in time order.
#include <string>
#include <vector>

enum EditorField { FIELD_HOURS, FIELD_MINUTES, FIELD_BASE_DAY, FIELD_BASE_MONTH };

// The values the four number fields read as (an empty field reads 0).
struct EditorNumbers {
    unsigned hours;
    unsigned minutes;
    unsigned baseDay;
    unsigned baseMonth;
};

// One correction: the field is given this value, with a beep.
struct FieldWrite {
    EditorField field;
    unsigned value;
};

// The corrections, in the order they are made, after `changed` was updated:
// - hours above 23 and minutes above 59 become 0;
// - a base day of 0 becomes 1; otherwise, when the base month is not a
//   month, the month and then the day become 1; otherwise a day beyond the
//   month's greatest length becomes that length (29 for February);
// - a new base month first checks the base day again by those rules, then
//   becomes 1 itself when it is still 0 or above 12.
// Nothing when every value is in range.
std::vector<FieldWrite> correctionsAfterUpdate(EditorField changed, EditorNumbers numbers);

using TextCompare = int (*)(const char* left, const char* right);

// The index for a row whose time text is `time` in rows kept in time order:
// before the first row whose time text compares greater, so after the rows
// of the same time, and after the last row when none is greater.
int timeOrderPosition(const std::vector<std::string>& rowTimes, const char* time, TextCompare compare);
