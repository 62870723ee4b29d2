#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "alarms/editor_rules.h"

// Found by argument lookup, so beside FieldWrite.
bool operator==(const FieldWrite& a, const FieldWrite& b)
{
    return a.field == b.field && a.value == b.value;
}

void PrintTo(const FieldWrite& write, std::ostream* out)
{
    static const char* names[] = {"hours", "minutes", "baseDay", "baseMonth"};
    *out << names[write.field] << "=" << write.value;
}

namespace {

using Writes = std::vector<FieldWrite>;

Writes afterBaseDay(unsigned day, unsigned month)
{
    return correctionsAfterUpdate(FIELD_BASE_DAY, {0, 0, day, month});
}

Writes afterBaseMonth(unsigned day, unsigned month)
{
    return correctionsAfterUpdate(FIELD_BASE_MONTH, {0, 0, day, month});
}

TEST(EditorRules, TimeFieldsOutOfRangeBecomeZeroAndOnlyTheirOwnField)
{
    EXPECT_EQ(correctionsAfterUpdate(FIELD_HOURS, {24, 75, 0, 0}), (Writes{{FIELD_HOURS, 0}}));
    EXPECT_EQ(correctionsAfterUpdate(FIELD_HOURS, {99, 0, 1, 1}), (Writes{{FIELD_HOURS, 0}}));
    EXPECT_EQ(correctionsAfterUpdate(FIELD_HOURS, {23, 75, 0, 0}), Writes{});
    EXPECT_EQ(correctionsAfterUpdate(FIELD_MINUTES, {24, 60, 1, 1}), (Writes{{FIELD_MINUTES, 0}}));
    EXPECT_EQ(correctionsAfterUpdate(FIELD_MINUTES, {0, 59, 1, 1}), Writes{});
    // An empty time field reads 0, which is a valid hour and minute.
    EXPECT_EQ(correctionsAfterUpdate(FIELD_HOURS, {0, 0, 0, 0}), Writes{});
}

TEST(EditorRules, BaseDayIsBoundByTheLongestMonthLength)
{
    const unsigned longest[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned month = 1; month <= 12; ++month) {
        EXPECT_EQ(afterBaseDay(longest[month - 1], month), Writes{}) << "month " << month;
        EXPECT_EQ(afterBaseDay(longest[month - 1] + 1, month), (Writes{{FIELD_BASE_DAY, longest[month - 1]}}))
            << "month " << month;
        EXPECT_EQ(afterBaseDay(99, month), (Writes{{FIELD_BASE_DAY, longest[month - 1]}})) << "month " << month;
    }
}

TEST(EditorRules, BaseDayZeroComesFirstThenABadMonthResetsBoth)
{
    EXPECT_EQ(afterBaseDay(0, 5), (Writes{{FIELD_BASE_DAY, 1}}));
    // A zero day is put right alone, even beside a bad month.
    EXPECT_EQ(afterBaseDay(0, 13), (Writes{{FIELD_BASE_DAY, 1}}));
    // Month first, then day, whatever the day was.
    EXPECT_EQ(afterBaseDay(15, 0), (Writes{{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}));
    EXPECT_EQ(afterBaseDay(45, 13), (Writes{{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}));
}

TEST(EditorRules, NewBaseMonthChecksTheDayAgainBeforeItself)
{
    // February: 30 and 31 become 29; April: 31 becomes 30.
    EXPECT_EQ(afterBaseMonth(30, 2), (Writes{{FIELD_BASE_DAY, 29}}));
    EXPECT_EQ(afterBaseMonth(31, 2), (Writes{{FIELD_BASE_DAY, 29}}));
    EXPECT_EQ(afterBaseMonth(31, 4), (Writes{{FIELD_BASE_DAY, 30}}));
    EXPECT_EQ(afterBaseMonth(29, 2), Writes{});
    // Cleared or 13: the day's own check resets month and day; the month is
    // then in range and is not written again.
    EXPECT_EQ(afterBaseMonth(20, 0), (Writes{{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}));
    EXPECT_EQ(afterBaseMonth(20, 13), (Writes{{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}));
    // With a zero day the day is put right first, then the month by its own rule.
    EXPECT_EQ(afterBaseMonth(0, 13), (Writes{{FIELD_BASE_DAY, 1}, {FIELD_BASE_MONTH, 1}}));
}

// The dialog checks a field again whenever a correction writes into it, as
// it does when the user types. Makes that happen to the numbers; returns
// the number of corrections made.
int settle(EditorField typed, EditorNumbers& numbers, int depth = 0)
{
    if (depth > 10)
        return 1000;  // a correction loop
    int made = 0;
    for (const FieldWrite& write : correctionsAfterUpdate(typed, numbers)) {
        (write.field == FIELD_BASE_DAY ? numbers.baseDay : numbers.baseMonth) = write.value;
        made += 1 + settle(write.field, numbers, depth + 1);
    }
    return made;
}

TEST(EditorRules, TypingAnyBaseDateEndsInAValidDate)
{
    const unsigned longest[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned day = 0; day <= 99; ++day)
        for (unsigned month = 0; month <= 99; ++month)
            for (EditorField typed : {FIELD_BASE_DAY, FIELD_BASE_MONTH}) {
                EditorNumbers numbers{0, 0, day, month};
                int made = settle(typed, numbers);
                ASSERT_LT(made, 1000) << day << "/" << month;
                ASSERT_GE(numbers.baseMonth, 1u) << day << "/" << month;
                ASSERT_LE(numbers.baseMonth, 12u) << day << "/" << month;
                ASSERT_GE(numbers.baseDay, 1u) << day << "/" << month;
                ASSERT_LE(numbers.baseDay, longest[numbers.baseMonth - 1]) << day << "/" << month;
                bool wasValid = month >= 1 && month <= 12 && day >= 1 && day <= longest[month - 1];
                ASSERT_EQ(made == 0, wasValid) << day << "/" << month;
            }
    // A bad month loses the day the user gave, even one the first check cut.
    EditorNumbers numbers{0, 0, 45, 13};
    settle(FIELD_BASE_MONTH, numbers);
    EXPECT_EQ(numbers.baseDay, 1u);
    EXPECT_EQ(numbers.baseMonth, 1u);
}

int compareTexts(const char* left, const char* right)
{
    return std::strcmp(left, right);
}

TEST(EditorRules, NewRowGoesAfterRowsOfTheSameTime)
{
    std::vector<std::string> rows = {"06:00", "07:30", "07:30", "08:00"};
    EXPECT_EQ(timeOrderPosition(rows, "07:30", compareTexts), 3);
    EXPECT_EQ(timeOrderPosition(rows, "05:59", compareTexts), 0);
    EXPECT_EQ(timeOrderPosition(rows, "06:00", compareTexts), 1);
    EXPECT_EQ(timeOrderPosition(rows, "07:31", compareTexts), 3);
    EXPECT_EQ(timeOrderPosition(rows, "08:00", compareTexts), 4);
    EXPECT_EQ(timeOrderPosition(rows, "23:59", compareTexts), 4);
    EXPECT_EQ(timeOrderPosition({}, "12:00", compareTexts), 0);
}

TEST(EditorRules, PositionStopsAtTheFirstGreaterRowOfAnUnsortedList)
{
    // Rows stored in another order stay as they are; the new row goes
    // before the first one that is later than it.
    std::vector<std::string> rows = {"09:00", "06:00", "10:00"};
    EXPECT_EQ(timeOrderPosition(rows, "07:00", compareTexts), 0);
    EXPECT_EQ(timeOrderPosition(rows, "09:30", compareTexts), 2);
    EXPECT_EQ(timeOrderPosition(rows, "11:00", compareTexts), 3);
}

}  // namespace
