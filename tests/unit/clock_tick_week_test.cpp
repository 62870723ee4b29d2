// A week of the clock's timer over a table of alarms of every period. The
// timer is set anew on each tick for just after the next whole second; it
// comes a few milliseconds late, now and then a little early and now and then
// seconds late (a busy machine), and the clock is set forward and back a few
// times. Every minute the clock passes through is scanned exactly once: every
// due alarm rings once in it, nothing else rings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <tuple>

#include "alarms/clock_tick.h"
#include "alarms/tick_timing.h"
#include "calendar_walk.h"

namespace {

// `t` moved by `ms` milliseconds, forward or back, across days and months.
LocalTime moved(const LocalTime& t, long long ms)
{
    const long long DAY = 86400000;
    long long total = ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.milliseconds + ms;
    int year = t.year, month = t.month, day = t.day;
    for (; total < 0; total += DAY)
        if (--day == 0) {
            month = month == 1 ? 12 : month - 1;
            year -= month == 12;
            day = calendar::monthDays(year, month);
        }
    for (; total >= DAY; total -= DAY)
        if (++day > calendar::monthDays(year, month)) {
            day = 1;
            year += month == 12;
            month = month % 12 + 1;
        }
    LocalTime r = calendar::at(year, month, day, int(total / 3600000), int(total / 60000 % 60), int(total / 1000 % 60));
    r.milliseconds = int(total % 1000);
    return r;
}

long long msKey(const LocalTime& t) { return (minuteKey(t) * 60 + t.second) * 1000 + t.milliseconds; }

// Adds each minute the clock enters while it runs from `from` to `to` (an
// entry at `to` itself only if `toIncluded`), up to the minute `end`.
void passMinutes(std::vector<LocalTime>& minutes, const LocalTime& from, const LocalTime& to, bool toIncluded,
                 long long end)
{
    LocalTime m = from;
    m.second = m.milliseconds = 0;
    for (m = moved(m, 60000); msKey(m) < msKey(to) || (toIncluded && msKey(m) == msKey(to)); m = moved(m, 60000))
        if (minuteKey(m) < end)
            minutes.push_back(m);
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

// The clock set forward or back by `ms` at the local time `at`.
struct ClockJump {
    LocalTime at;
    long long ms;
};

// How late the timer comes: mostly a few milliseconds, sometimes a little
// early, now and then seconds late.
int lateness(std::mt19937& random)
{
    int draw = std::uniform_int_distribution<int>(0, 999)(random);
    if (draw < 5)
        return std::uniform_int_distribution<int>(1000, 3000)(random);
    if (draw < 15)
        return -std::uniform_int_distribution<int>(1, 4)(random);
    return std::uniform_int_distribution<int>(0, 40)(random);
}

}  // namespace

TEST(ClockTickTimer, TheNextTickIsAFewMillisecondsPastTheNextWholeSecond)
{
    const struct {
        int milliseconds;
        unsigned delay;
    } cases[] = {{0, 1005}, {5, 1000}, {6, 999}, {500, 505}, {995, 10}, {999, 6}, {-20, 1005}, {1400, 6}};
    for (const auto& c : cases)
        EXPECT_EQ(delayToNextTick(c.milliseconds), c.delay) << c.milliseconds;
}

TEST(ClockTickWeek, ReArmedJitteryTimerOverClockChangesScansEveryMinuteOnce)
{
    std::vector<Expectation> table = alarmTable();
    auto settings = std::make_unique<Settings>();
    settings->showAlarmDialog = 1;
    settings->alarmDuration = DURATION_ONE_MINUTE;
    for (std::size_t i = 0; i < table.size(); ++i)  // all 100 slots: no end marker
        settings->events.slots[i] = table[i].alarm;
    AlarmEvent reminder = alarm(15, 20, PERIOD_DAY, {});
    RingingState ringing;

    const ClockJump jumps[] = {
        {calendar::at(2024, 2, 26, 2, 0, 0), 3600000},    // an hour skipped, as summer time begins
        {calendar::at(2024, 2, 27, 3, 0, 0), -3600000},   // an hour lived twice, as it ends
        {calendar::at(2024, 2, 28, 12, 0, 5), -10000},    // set back over the turn of a minute
        {calendar::at(2024, 2, 29, 17, 30, 40), -20000},  // set back within a minute
        {calendar::at(2024, 3, 1, 8, 0, 30), 6 * 3600000},
        {calendar::at(2024, 3, 2, 23, 50, 10), 20 * 60000},  // over midnight
    };
    std::size_t nextJump = 0;

    // Sunday 25 February 2024, half a minute before midnight: the week runs
    // over the leap day and the turn of the month.
    LocalTime now = calendar::at(2024, 2, 25, 23, 59, 30);
    now.milliseconds = 250;
    const long long end = minuteKey(calendar::at(2024, 3, 4));
    std::mt19937 random(20240229);
    std::map<Firing, int> seen, expected;
    // The minutes the clock passed through, each time it did, followed apart
    // from the ticks. The clock stays at least five seconds in each of them.
    std::vector<LocalTime> minutesPassed;
    while (minuteKey(now) < end) {
        TickResult r = runClockTick(now, true, *settings, reminder, ringing);
        for (int k = 0; k < r.messageCount; ++k) {
            int index = r.messageRecords[k] == &reminder ? -1 : int(r.messageRecords[k] - settings->events.slots);
            ++seen[Firing{index, now.month, now.day, now.hour, now.minute}];
        }
        LocalTime next = moved(now, delayToNextTick(now.milliseconds) + lateness(random));
        if (nextJump < std::size(jumps) && msKey(next) >= msKey(jumps[nextJump].at)) {
            const ClockJump& jump = jumps[nextJump++];
            passMinutes(minutesPassed, now, jump.at, false, end);
            LocalTime landed = moved(jump.at, jump.ms);
            if (minuteKey(landed) != minuteKey(moved(jump.at, -1)))
                minutesPassed.push_back(landed);
            now = landed;
            next = moved(next, jump.ms);
        }
        passMinutes(minutesPassed, now, next, true, end);
        now = next;
    }
    ASSERT_EQ(nextJump, std::size(jumps));

    // The clock started half way through Sunday 23:59, which therefore rings nothing.
    for (const LocalTime& minute : minutesPassed)
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].alarm.isOn && table[i].alarm.hours == minute.hour &&
                table[i].alarm.minutes == minute.minute && table[i].ringsOn(minute))
                ++expected[Firing{int(i), minute.month, minute.day, minute.hour, minute.minute}];
    ++expected[Firing{-1, 2, 26, 15, 20}];  // once, the first day
    EXPECT_EQ(seen, expected);
    // The expectation itself: the leap day's year, month and quarter alarms
    // are in it, and the daily 02:14 (slot 15) was skipped on Monday and rang
    // twice on Tuesday.
    EXPECT_EQ(expected.count(Firing{10, 2, 29, 6, 0}) + expected.count(Firing{6, 2, 29, 12, 0}) +
                  expected.count(Firing{8, 2, 29, 18, 45}), 3u);
    EXPECT_EQ(expected.count(Firing{15, 2, 26, 2, 14}), 0u);
    EXPECT_EQ((expected[Firing{15, 2, 27, 2, 14}]), 2);
    EXPECT_EQ((expected[Firing{15, 2, 28, 2, 14}]), 1);
}
