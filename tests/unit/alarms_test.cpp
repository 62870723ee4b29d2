#include <gtest/gtest.h>

#include <cstring>

#include "alarms/alarm_match.h"
#include "alarms/editor_rules.h"
#include "alarms/event_rows.h"
#include "alarms/reminder_schedule.h"

using Dates = std::vector<std::string>;

// The dates ("month-day") on which the alarm rings in the year; a wrong month length shows in the dates expected.
static Dates ringingDates(int period, int baseDay, int baseMonth, int year)
{
    Dates dates;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= daysInMonth(year, month); ++day)
            if (isAlarmDue({1, "", 9, 0, period, {}, baseDay, baseMonth}, {year, month, 0, day, 9, 0}))
                dates.push_back(std::to_string(month) + "-" + std::to_string(day));
    return dates;
}

TEST(AlarmMatch, SwitchTimeWeekdayAndThePeriodsWithLateBaseDaysAndGregorianLeapYears)
{
    const int cases[][6] = {  // switch, period, hour, minute, day of the week (0 Sunday), due
        {1, PERIOD_DAY, 7, 30, 1, 1}, {5, PERIOD_DAY, 7, 30, 5, 1}, {0, PERIOD_DAY, 7, 30, 1, 0},
        {1, PERIOD_DAY, 7, 31, 1, 0}, {1, PERIOD_DAY, 7, 30, 0, 0}, {1, PERIOD_DAY, 7, 30, 6, 0}, {1, 4, 7, 30, 1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(isAlarmDue({c[0], "", 7, 30, c[1], {0, 1, 1, 1, 1, 1, 0}}, {2027, 3, c[4], 15, c[2], c[3]}), c[5])
            << c[0] << " " << c[1] << " " << c[2] << ":" << c[3] << " on " << c[4];
    EXPECT_EQ(ringingDates(PERIOD_MONTH, 31, 0, 2023), (Dates{"1-31", "2-28", "3-31", "4-30", "5-31", "6-30", "7-31",
                                                               "8-31", "9-30", "10-31", "11-30", "12-31"}));  // moved
    EXPECT_EQ(ringingDates(PERIOD_QUARTER, 15, 11, 2027), (Dates{"2-15", "5-15", "8-15", "11-15"}));
    EXPECT_EQ(ringingDates(PERIOD_QUARTER, 31, 2, 2024), (Dates{"2-29", "5-31", "8-31", "11-30"}));
    for (auto [year, leap] : {std::pair{2000, true}, {2400, true}, {2024, true}, {2100, false}, {2200, false}}) {
        EXPECT_EQ(isLeapYear(year), leap) << year;
        EXPECT_EQ(ringingDates(PERIOD_YEAR, 29, 2, year), leap ? Dates{"2-29"} : Dates{}) << year;
    }
}

TEST(AlarmMatch, ABaseDateThePeriodReachesIsADateOnWhichItRingsAndAnyOtherIsNone)
{
    for (int period : {int(PERIOD_MONTH), int(PERIOD_QUARTER), int(PERIOD_YEAR), int(PERIOD_ONCE)})
        for (int day = -1; day <= 33; ++day)
            for (int month = -1; month <= 14; ++month) {
                bool date = day >= 1 && day <= 31 && (period == PERIOD_MONTH || (month >= 1 && month <= 12));
                EXPECT_EQ(periodReachesBaseDate({1, "", 9, 0, period, {}, day, month}),
                          date && !ringingDates(period, day, month, 2024).empty())  // a leap year
                    << period << ": " << day << "/" << month;
            }
    EXPECT_TRUE(periodReachesBaseDate({1, "", 9, 0, PERIOD_DAY, {}, 0, 0}));  // no days set is the user's choice
}

static AlarmEvent withMarks(AlarmEvent event, int skipDate, const char* sound)
{
    event.skipDate = skipDate;
    std::strcpy(event.sound, sound);
    return event;
}

TEST(EventRows, EachPeriodsTextsBothWaysWithSkipMarkAndSoundAndDamagedTextsReadByPosition)
{
    const LocalTime today{2027, 3, 3, 17, 9, 0};
    const std::pair<AlarmEvent, const char*> cases[] = {
        {{1, "Tea", 7, 5, PERIOD_DAY, {0, 1, 1, 1, 1, 1, 0}}, "2 07:05|Tea|Day|-+++++-|"},
        {{0, "", 0, 5, PERIOD_MONTH, {}, 7}, "1 00:05||Month|07|"},
        {{1, "Tea", 7, 5, PERIOD_QUARTER, {}, 15, 3}, "2 07:05|Tea|Quarter|15:03|"},
        {{1, "Tea", 23, 59, PERIOD_YEAR, {}, 15, 3}, "2 23:59|Tea|Year|15:03|"},
        {withMarks({1, "Tea", 7, 5, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}}, 20270318, "C:\\w\\own.wav"),
         "2 07:05|Tea|Day, skips 18.3.|+++++++|C:\\w\\own.wav"},
        {withMarks({0, "Trip", 6, 0, PERIOD_ONCE, {}, 29, 2}, 20280229, ""), "1 06:00|Trip|Once, skips 29.2.|29:02|"},
        {withMarks({1, "Late", 23, 0, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}}, 20270316, ""),  // midnight passed: stays
         "2 23:00|Late|Day, skips 16.3.|+++++++|"}};
    for (const auto& [event, texts] : cases) {
        EventRow r = eventToRow(event);
        AlarmEvent back = eventFromRow(r, today);
        EXPECT_EQ(std::to_string(r.stateImage) + " " + r.time + "|" + r.description + "|" + r.periodName + "|" +
                      r.periodInfo + "|" + r.sound, texts);
        EXPECT_EQ(std::memcmp(&back, &event, sizeof back), 0) << texts;
    }
    AlarmEvent back = eventFromRow(eventToRow({1, "", 123, 5, PERIOD_YEAR, {}, 100, 3}), today);  // "123:05", "100:03"
    EXPECT_TRUE(back.hours == 12 && back.minutes == 0 && back.baseDay == 10 && back.baseMonth == 0);  // by position
    const std::pair<const char*, int> marks[] = {  // a mark shows no year: the first such date from yesterday on
        {"Year, skips 15.3.", 20280315}, {"Day, skips 1.1.", 20280101}, {"Day, skips 31.12.", 20271231},
        {"Day, skips 30.2.", 0}, {"Day, skips 18.3", 0}, {"Day, skips x.3.", 0}, {"Daily, skips 18.3.", 20270318}};
    for (const auto& [name, skipDate] : marks) {
        EventRow r = eventToRow({1, "", 7, 0, PERIOD_DAY});
        std::strcpy(r.periodName, name);
        back = eventFromRow(r, today);
        EXPECT_EQ(back.skipDate, skipDate) << name;
        EXPECT_EQ(back.period, std::string(name).rfind("Year", 0) == 0 ? PERIOD_YEAR : PERIOD_DAY) << name;
    }
}

bool operator==(const FieldWrite& a, const FieldWrite& b) { return a.field == b.field && a.value == b.value; }

// The dialog checks a field again whenever a correction writes into it; the corrections made, 1000 for a loop.
static int settle(EditorField typed, EditorNumbers& numbers, int depth = 0)
{
    int made = 0;
    for (const FieldWrite& write : correctionsAfterUpdate(typed, numbers)) {
        (write.field == FIELD_BASE_DAY ? numbers.baseDay : numbers.baseMonth) = write.value;
        made += depth > 10 ? 1000 : 1 + settle(write.field, numbers, depth + 1);
    }
    return made;
}

TEST(EditorRules, CorrectionsInOrderAValidBaseDateLeftAloneAnyOtherEndsValidAndRowsInTimeOrder)
{
    const std::tuple<EditorField, EditorNumbers, std::vector<FieldWrite>> cases[] = {
        {FIELD_HOURS, {24, 75, 0, 0}, {{FIELD_HOURS, 0}}}, {FIELD_HOURS, {23, 75, 0, 0}, {}},  // only the typed field
        {FIELD_MINUTES, {24, 60, 1, 1}, {{FIELD_MINUTES, 0}}}, {FIELD_MINUTES, {0, 59, 1, 1}, {}},
        {FIELD_BASE_DAY, {0, 0, 32, 1}, {{FIELD_BASE_DAY, 31}}}, {FIELD_BASE_DAY, {0, 0, 0, 13}, {{FIELD_BASE_DAY, 1}}},
        {FIELD_BASE_DAY, {0, 0, 45, 13}, {{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}},
        {FIELD_BASE_MONTH, {0, 0, 31, 4}, {{FIELD_BASE_DAY, 30}}},  // the day is checked again first
        {FIELD_BASE_MONTH, {0, 0, 20, 13}, {{FIELD_BASE_MONTH, 1}, {FIELD_BASE_DAY, 1}}},
        {FIELD_BASE_MONTH, {0, 0, 0, 13}, {{FIELD_BASE_DAY, 1}, {FIELD_BASE_MONTH, 1}}}};
    for (const auto& [typed, n, writes] : cases)
        EXPECT_TRUE(correctionsAfterUpdate(typed, n) == writes)
            << typed << ": " << n.hours << ":" << n.minutes << " " << n.baseDay << "/" << n.baseMonth;
    const unsigned last[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned day = 0; day <= 99; ++day)
        for (unsigned month = 0; month <= 99; ++month)
            for (EditorField typed : {FIELD_BASE_DAY, FIELD_BASE_MONTH}) {
                EditorNumbers n{0, 0, day, month};
                int made = settle(typed, n);
                ASSERT_TRUE(made < 1000 && n.baseMonth >= 1 && n.baseMonth <= 12 && n.baseDay >= 1 &&
                            n.baseDay <= last[n.baseMonth] && (made == 0) == (month <= 12 && day && day <= last[month]))
                    << day << "/" << month << " typed " << typed << " -> " << n.baseDay << "/" << n.baseMonth;
            }
    const std::vector<std::string> rows = {"06:00", "07:30", "07:30", "08:00", "06:30"};  // a new row's place
    auto compare = [](const char* a, const char* b) { return std::strcmp(a, b); };
    for (auto [time, position] : {std::pair{"05:59", 0}, {"06:00", 1}, {"07:30", 3}, {"07:45", 3}, {"23:59", 5}})
        EXPECT_EQ(timeOrderPosition(rows, time, compare), position) << time;
}


TEST(ReminderSchedule, EventIsBasePlusPeriodAndAnArmedOneNeedsAPeriodAndItsEventAhead)
{
    const char* const REFUSALS[] = {"", "Period is empty!", "The event has skipped! Please set new base time."};
    const int cases[][10] = {  // on; base, period, now, event; refusal (0 none, 1 period empty, 2 event skipped)
        {0, 22, 59, 1, 0, 0, 0, 23, 59, 0}, {0, 23, 45, 3, 45, 0, 0, 3, 30, 0},  // off: stored at any time
        {1, 10, 0, 1, 0, 11, 0, 11, 0, 2}, {1, 23, 30, 0, 45, 23, 30, 0, 15, 0},
        {1, 23, 30, 0, 45, 0, 14, 0, 15, 0}, {1, 23, 30, 0, 45, 0, 15, 0, 15, 2},
        {1, 23, 30, 0, 45, 23, 29, 0, 15, 2}, {1, 10, 0, 1, 0, 9, 59, 11, 0, 2},
        {1, 10, 0, 1, 0, 10, 59, 11, 0, 0}, {1, 10, 0, 0, 0, 10, 0, -1, -1, 1}};
    for (const auto& c : cases) {
        AlarmEvent r{c[0], "Stretch", -1, -1, 0, {}, 0, 0, c[1], c[2], c[3], c[4]};
        EXPECT_STREQ(reminderRefusalText(checkReminder(r, c[5], c[6])), REFUSALS[c[9]]) << "row " << (&c - cases);
        EXPECT_EQ(r.hours * 100 + r.minutes, c[7] * 100 + c[8]) << "row " << (&c - cases);
    }
    char text[CLOCK_TIME_TEXT_SIZE];  // the base time as the page shows it, read back
    int hours = -1, minutes = -1;
    formatClockTime(7, 5, text), readBaseTime(text, hours, minutes);
    EXPECT_TRUE(std::string(text) == "07:05" && hours == 7 && minutes == 5) << text;
}
