// The alarm editor's corrections of typed numbers, in their order, and where
// a new row goes in the list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "alarms/editor_rules.h"

// Found by argument lookup, so beside FieldWrite.
bool operator==(const FieldWrite& a, const FieldWrite& b) { return a.field == b.field && a.value == b.value; }
void PrintTo(const FieldWrite& write, std::ostream* out)
{
    static const char* names[] = {"hours", "minutes", "baseDay", "baseMonth"};
    *out << names[write.field] << "=" << write.value;
}

namespace {

using Writes = std::vector<FieldWrite>;
const unsigned longest[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

TEST(EditorRules, CorrectionsAndTheirOrder)
{
    const struct {
        EditorField typed;
        EditorNumbers numbers;
        Writes expected;
    } cases[] = {
        {FIELD_HOURS, {24, 75, 0, 0}, {{FIELD_HOURS, 0}}},  // only the typed field is checked
        {FIELD_HOURS, {23, 75, 0, 0}, {}},
        {FIELD_HOURS, {0, 0, 0, 0}, {}},  // an empty field reads 0, a valid hour
        {FIELD_MINUTES, {24, 60, 1, 1}, {{FIELD_MINUTES, 0}}},
        {FIELD_MINUTES, {0, 59, 1, 1}, {}},
        {FIELD_BASE_DAY, {0, 0, 32, 1}, {{FIELD_BASE_DAY, 31}}},
        {FIELD_BASE_DAY, {0, 0, 99, 2}, {{FIELD_BASE_DAY, 29}}},
        {FIELD_BASE_DAY, {0, 0, 30, 4}, {}},
        {FIELD_BASE_DAY, {0, 0, 0, 13}, {{FIELD_BASE_DAY, 1}}},  // a zero day is put right alone
        {FIELD_BASE_DAY, {0, 0, 15, 0}, {{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}},  // month first, then day
        {FIELD_BASE_DAY, {0, 0, 45, 13}, {{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}},
        {FIELD_BASE_MONTH, {0, 0, 30, 2}, {{FIELD_BASE_DAY, 29}}},  // the day is checked again first
        {FIELD_BASE_MONTH, {0, 0, 31, 4}, {{FIELD_BASE_DAY, 30}}},
        {FIELD_BASE_MONTH, {0, 0, 29, 2}, {}},
        {FIELD_BASE_MONTH, {0, 0, 20, 13}, {{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}},  // not written twice
        {FIELD_BASE_MONTH, {0, 0, 0, 13}, {{FIELD_BASE_DAY, 1}, {FIELD_BASE_MONTH, 1}}},
    };
    for (const auto& c : cases) {
        const EditorNumbers& n = c.numbers;
        EXPECT_EQ(correctionsAfterUpdate(c.typed, n), c.expected)
            << "field " << c.typed << ": " << n.hours << ":" << n.minutes << " " << n.baseDay << "/" << n.baseMonth;
    }
}

// The dialog checks a field again whenever a correction writes into it, as
// when the user types; returns the number of corrections made.
int settle(EditorField typed, EditorNumbers& numbers, int depth = 0)
{
    int made = 0;
    for (const FieldWrite& write : correctionsAfterUpdate(typed, numbers)) {
        (write.field == FIELD_BASE_DAY ? numbers.baseDay : numbers.baseMonth) = write.value;
        made += depth > 10 ? 1000 : 1 + settle(write.field, numbers, depth + 1);  // 1000: a loop
    }
    return made;
}

TEST(EditorRules, TypingAnyBaseDateEndsInAValidDateChangingOnlyInvalidOnes)
{
    for (unsigned day = 0; day <= 99; ++day)
        for (unsigned month = 0; month <= 99; ++month)
            for (EditorField typed : {FIELD_BASE_DAY, FIELD_BASE_MONTH}) {
                EditorNumbers n{0, 0, day, month};
                int made = settle(typed, n);
                bool wasValid = month >= 1 && month <= 12 && day >= 1 && day <= longest[month - 1];
                ASSERT_TRUE(made < 1000 && n.baseMonth >= 1 && n.baseMonth <= 12 && n.baseDay >= 1 &&
                            n.baseDay <= longest[n.baseMonth - 1] && (made == 0) == wasValid)
                    << day << "/" << month << " typed " << typed << " -> " << n.baseDay << "/" << n.baseMonth;
            }
}

TEST(EditorRules, NewRowGoesBeforeTheFirstLaterRowSoAfterRowsOfTheSameTime)
{
    auto compare = [](const char* left, const char* right) { return std::strcmp(left, right); };
    const std::vector<std::string> sorted = {"06:00", "07:30", "07:30", "08:00"};
    const std::pair<const char*, int> cases[] = {{"05:59", 0}, {"06:00", 1}, {"07:30", 3}, {"08:00", 4}, {"23:59", 4}};
    for (const auto& [time, position] : cases)
        EXPECT_EQ(timeOrderPosition(sorted, time, compare), position) << time;
    EXPECT_EQ(timeOrderPosition({}, "12:00", compare), 0);
    // Rows stored in another order stay as they are.
    const std::vector<std::string> unsorted = {"09:00", "06:00", "10:00"};
    EXPECT_EQ(timeOrderPosition(unsorted, "07:00", compare), 0);
    EXPECT_EQ(timeOrderPosition(unsorted, "09:30", compare), 2);
    EXPECT_EQ(timeOrderPosition(unsorted, "11:00", compare), 3);
}

}  // namespace
