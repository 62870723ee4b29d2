// A week of a real timer's ticks, 990 to 1030 ms apart, over a table of
// alarms of every period: every due alarm rings exactly once, nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "alarms/clock_tick.h"
#include "calendar_walk.h"

namespace {

// A wall clock that moves by milliseconds, carried by the tests' calendar.
struct WallClock {
    LocalTime now;

    void advance(int ms)
    {
        now.milliseconds += ms;
        now.second += now.milliseconds / 1000;
        now.milliseconds %= 1000;
        now.minute += now.second / 60;
        now.second %= 60;
        now.hour += now.minute / 60;
        now.minute %= 60;
        while (now.hour >= 24) {
            now.hour -= 24;
            now.dayOfWeek = (now.dayOfWeek + 1) % 7;
            if (++now.day > calendar::monthDays(now.year, now.month)) {
                now.day = 1;
                if (++now.month > 12) {
                    now.month = 1;
                    ++now.year;
                }
            }
        }
    }
};

// One alarm of the table and, independently, the dates it should ring on.
struct Expectation {
    AlarmEvent alarm;
    std::function<bool(const LocalTime&)> ringsOn;
};

AlarmEvent makeAlarm(int hours, int minutes, int period, const char* description)
{
    AlarmEvent e{};
    e.isOn = 1;
    e.hours = hours;
    e.minutes = minutes;
    e.period = period;
    std::strcpy(e.description, description);
    return e;
}

AlarmEvent withDays(AlarmEvent e, std::vector<int> days)
{
    for (int d : days)
        e.days[d] = 1;
    return e;
}

AlarmEvent withBase(AlarmEvent e, int day, int month)
{
    e.baseDay = day;
    e.baseMonth = month;
    return e;
}

std::vector<Expectation> alarmTable()
{
    auto always = [](const LocalTime&) { return true; };
    auto never = [](const LocalTime&) { return false; };
    AlarmEvent off = withDays(makeAlarm(8, 0, PERIOD_DAY, "switched off"), {0, 1, 2, 3, 4, 5, 6});
    off.isOn = 0;
    std::vector<Expectation> table = {
        {withDays(makeAlarm(7, 30, PERIOD_DAY, "weekdays"), {1, 2, 3, 4, 5}),
         [](const LocalTime& t) { return t.dayOfWeek >= 1 && t.dayOfWeek <= 5; }},
        {withDays(makeAlarm(9, 15, PERIOD_DAY, "weekend"), {0, 6}),
         [](const LocalTime& t) { return t.dayOfWeek == 0 || t.dayOfWeek == 6; }},
        {makeAlarm(10, 0, PERIOD_DAY, "no day ticked"), never},
        {withDays(makeAlarm(0, 0, PERIOD_DAY, "midnight"), {0, 1, 2, 3, 4, 5, 6}), always},
        {withDays(makeAlarm(23, 59, PERIOD_DAY, "last minute"), {0, 1, 2, 3, 4, 5, 6}), always},
        {withDays(makeAlarm(7, 30, PERIOD_DAY, "same minute as weekdays"), {0, 1, 2, 3, 4, 5, 6}), always},
        {withBase(makeAlarm(12, 0, PERIOD_MONTH, "month end"), 31, 0),
         [](const LocalTime& t) { return t.day == std::min(31, calendar::monthDays(t.year, t.month)); }},
        {withBase(makeAlarm(12, 0, PERIOD_MONTH, "first of month"), 1, 0),
         [](const LocalTime& t) { return t.day == 1; }},
        {withBase(makeAlarm(18, 45, PERIOD_QUARTER, "quarter end of Feb/May/Aug/Nov"), 31, 5),
         [](const LocalTime& t) {
             bool month = t.month == 2 || t.month == 5 || t.month == 8 || t.month == 11;
             return month && t.day == std::min(31, calendar::monthDays(t.year, t.month));
         }},
        {withBase(makeAlarm(18, 45, PERIOD_QUARTER, "Jan/Apr/Jul/Oct"), 2, 1),
         [](const LocalTime& t) { return t.day == 2 && (t.month - 1) % 3 == 0; }},
        {withBase(makeAlarm(6, 0, PERIOD_YEAR, "leap day"), 29, 2),
         [](const LocalTime& t) { return t.month == 2 && t.day == 29; }},
        {withBase(makeAlarm(6, 0, PERIOD_YEAR, "third of March"), 3, 3),
         [](const LocalTime& t) { return t.month == 3 && t.day == 3; }},
        {withBase(makeAlarm(6, 0, PERIOD_YEAR, "31 February"), 31, 2), never},
        {off, never},
    };
    // The rest of the table: daily alarms spread over the day, so that a
    // missed or doubled minute anywhere is likely to hit one of them.
    for (int i = 1; table.size() < MAX_EVENTS; ++i) {
        int minuteOfDay = (i * 67) % (24 * 60);
        AlarmEvent daily = makeAlarm(minuteOfDay / 60, minuteOfDay % 60, PERIOD_DAY, "daily");
        table.push_back({withDays(daily, {0, 1, 2, 3, 4, 5, 6}), always});
    }
    return table;
}

using Firing = std::tuple<int, int, int, int, int, int>;  // record, y, m, d, h, min
constexpr int REMINDER = -1;

}  // namespace

TEST(ClockTickWeek, JitteryTimerRingsEveryDueAlarmExactlyOnce)
{
    std::vector<Expectation> table = alarmTable();
    auto settings = std::make_unique<Settings>();
    settings->showAlarmDialog = 1;
    settings->alarmDuration = DURATION_ONE_MINUTE;
    // All 100 slots are taken, so the table has no end marker.
    ASSERT_EQ(table.size(), static_cast<std::size_t>(MAX_EVENTS));
    for (std::size_t i = 0; i < table.size(); ++i)
        settings->events.slots[i] = table[i].alarm;

    AlarmEvent reminder = makeAlarm(15, 20, PERIOD_DAY, "reminder");
    RingingState ringing;

    // Sunday 25 February 2024, half a minute before midnight: the week runs
    // over the leap day and the turn of the month.
    WallClock wall;
    wall.now = calendar::at(2024, 2, 25, 23, 59, 30);
    wall.now.milliseconds = 250;
    const LocalTime end = calendar::at(2024, 3, 4, 0, 0, 0);

    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> interval(990, 1030);
    std::map<Firing, int> seen;
    long ticks = 0;
    while (minuteKey(wall.now) < minuteKey(end)) {
        TickResult r = runClockTick(wall.now, true, *settings, reminder, ringing);
        for (int k = 0; k < r.messageCount; ++k) {
            const AlarmEvent* record = r.messageRecords[k];
            int index = record == &reminder ? REMINDER : static_cast<int>(record - settings->events.slots);
            const LocalTime& t = wall.now;
            ++seen[Firing{index, t.year, t.month, t.day, t.hour, t.minute}];
        }
        wall.advance(interval(random));
        ++ticks;
    }
    ASSERT_GT(ticks, 7 * 24 * 3600 * 1000L / 1030);

    // Every minute from Monday 00:00 to Sunday 23:59, counted apart.
    std::map<Firing, int> expected;
    for (int day = 0; day < 7; ++day) {
        int month = day < 4 ? 2 : 3;
        int dayOfMonth = day < 4 ? 26 + day : day - 3;
        LocalTime date = calendar::at(2024, month, dayOfMonth);
        for (std::size_t i = 0; i < table.size(); ++i) {
            const AlarmEvent& a = table[i].alarm;
            if (a.isOn && table[i].ringsOn(date))
                ++expected[Firing{static_cast<int>(i), 2024, month, dayOfMonth, a.hours, a.minutes}];
        }
    }
    ++expected[Firing{REMINDER, 2024, 2, 26, 15, 20}];  // once, the first day

    EXPECT_EQ(seen, expected);
    // Sanity of the expectation itself: the leap day's alarms are in it.
    EXPECT_EQ(expected.count(Firing{10, 2024, 2, 29, 6, 0}), 1u);
    EXPECT_EQ(expected.count(Firing{6, 2024, 2, 29, 12, 0}), 1u);
    EXPECT_EQ(expected.count(Firing{8, 2024, 2, 29, 18, 45}), 1u);
    // weekdays, weekend, the daily ones, month end, first, quarter, leap
    // day, third of March, reminder
    EXPECT_EQ(expected.size(), 5u + 2u + (3 + 86) * 7u + 1u + 1u + 1u + 1u + 1u + 1u);
}
