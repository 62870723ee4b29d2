// A week of a real timer's ticks, 990 to 1030 ms apart, over a table of
// alarms of every period: every due alarm rings exactly once, nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <tuple>

#include "alarms/clock_tick.h"
#include "calendar_walk.h"

namespace {

void advance(LocalTime& now, int ms)
{
    int milliseconds = now.milliseconds + ms;
    now.milliseconds = milliseconds % 1000;
    if ((now.second += milliseconds / 1000) < 60)
        return;
    now.second -= 60;
    if (++now.minute < 60)
        return;
    now.minute = 0;
    if (++now.hour < 24)
        return;
    bool monthEnds = now.day == calendar::monthDays(now.year, now.month);
    int kept = now.milliseconds;
    now = calendar::at(now.year + (monthEnds && now.month == 12), monthEnds ? now.month % 12 + 1 : now.month,
                       monthEnds ? 1 : now.day + 1);
    now.milliseconds = kept;
}

// One alarm of the table and, worked out apart from the code, the dates it rings on.
struct Expectation {
    AlarmEvent alarm;
    std::function<bool(const LocalTime&)> ringsOn;
};

AlarmEvent alarm(int hours, int minutes, int period, std::vector<int> days, int baseDay = 0, int baseMonth = 0)
{
    AlarmEvent e{1, "alarm", hours, minutes, period, {}, baseDay, baseMonth};
    for (int d : days)
        e.days[d] = 1;
    return e;
}

int lastDay(const LocalTime& t) { return std::min(31, calendar::monthDays(t.year, t.month)); }

std::vector<Expectation> alarmTable()
{
    bool (*always)(const LocalTime&) = [](const LocalTime&) { return true; };
    bool (*never)(const LocalTime&) = [](const LocalTime&) { return false; };
    const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6};
    AlarmEvent off = alarm(8, 0, PERIOD_DAY, all);
    off.isOn = 0;
    std::vector<Expectation> table = {
        {alarm(7, 30, PERIOD_DAY, {1, 2, 3, 4, 5}), [](const LocalTime& t) { return t.dayOfWeek % 6 != 0; }},
        {alarm(9, 15, PERIOD_DAY, {0, 6}), [](const LocalTime& t) { return t.dayOfWeek % 6 == 0; }},
        {alarm(10, 0, PERIOD_DAY, {}), never},
        {alarm(0, 0, PERIOD_DAY, all), always},
        {alarm(23, 59, PERIOD_DAY, all), always},
        {alarm(7, 30, PERIOD_DAY, all), always},  // the same minute as the weekdays one
        {alarm(12, 0, PERIOD_MONTH, {}, 31), [](const LocalTime& t) { return t.day == lastDay(t); }},
        {alarm(12, 0, PERIOD_MONTH, {}, 1), [](const LocalTime& t) { return t.day == 1; }},
        {alarm(18, 45, PERIOD_QUARTER, {}, 31, 5),
         [](const LocalTime& t) { return t.month % 3 == 2 && t.day == lastDay(t); }},
        {alarm(18, 45, PERIOD_QUARTER, {}, 2, 1), [](const LocalTime& t) { return t.day == 2 && t.month % 3 == 1; }},
        {alarm(6, 0, PERIOD_YEAR, {}, 29, 2), [](const LocalTime& t) { return t.month == 2 && t.day == 29; }},
        {alarm(6, 0, PERIOD_YEAR, {}, 3, 3), [](const LocalTime& t) { return t.month == 3 && t.day == 3; }},
        {alarm(6, 0, PERIOD_YEAR, {}, 31, 2), never},
        {off, never},
    };
    // The rest: daily alarms spread over the day, so that a missed or doubled
    // minute anywhere is likely to hit one of them.
    for (int i = 1; table.size() < MAX_EVENTS; ++i)
        table.push_back({alarm((i * 67) % 1440 / 60, (i * 67) % 60, PERIOD_DAY, all), always});
    return table;
}

using Firing = std::tuple<int, int, int, int, int>;  // record (-1: the reminder), month, day, hour, minute

}  // namespace

TEST(ClockTickWeek, JitteryTimerRingsEveryDueAlarmExactlyOnce)
{
    std::vector<Expectation> table = alarmTable();
    auto settings = std::make_unique<Settings>();
    settings->showAlarmDialog = 1;
    settings->alarmDuration = DURATION_ONE_MINUTE;
    for (std::size_t i = 0; i < table.size(); ++i)  // all 100 slots: no end marker
        settings->events.slots[i] = table[i].alarm;
    AlarmEvent reminder = alarm(15, 20, PERIOD_DAY, {});
    RingingState ringing;

    // Sunday 25 February 2024, half a minute before midnight: the week runs
    // over the leap day and the turn of the month.
    LocalTime now = calendar::at(2024, 2, 25, 23, 59, 30);
    now.milliseconds = 250;
    const long long end = minuteKey(calendar::at(2024, 3, 4));
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> interval(990, 1030);
    std::map<Firing, int> seen, expected;
    for (; minuteKey(now) < end; advance(now, interval(random))) {
        TickResult r = runClockTick(now, true, *settings, reminder, ringing);
        for (int k = 0; k < r.messageCount; ++k) {
            int index = r.messageRecords[k] == &reminder ? -1 : int(r.messageRecords[k] - settings->events.slots);
            ++seen[Firing{index, now.month, now.day, now.hour, now.minute}];
        }
    }

    // Every minute from Monday 00:00 to Sunday 23:59.
    for (int day = 0; day < 7; ++day) {
        LocalTime date = calendar::at(2024, day < 4 ? 2 : 3, day < 4 ? 26 + day : day - 3);
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].alarm.isOn && table[i].ringsOn(date))
                ++expected[Firing{int(i), date.month, date.day, table[i].alarm.hours, table[i].alarm.minutes}];
    }
    ++expected[Firing{-1, 2, 26, 15, 20}];  // once, the first day
    EXPECT_EQ(seen, expected);
    // The expectation itself: the leap day's year, month and quarter alarms are in it.
    EXPECT_EQ(expected.count(Firing{10, 2, 29, 6, 0}) + expected.count(Firing{6, 2, 29, 12, 0}) +
                  expected.count(Firing{8, 2, 29, 18, 45}), 3u);
    EXPECT_EQ(expected.size(), 5u + 2u + (3 + 86) * 7u + 6u);
}
