// The tick: what a firing gathers, how long the ringing lasts, and the
// re-armed timer scanning every minute the clock enters once.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>
#include <random>

#include "alarms/clock_tick.h"
#include "alarms/tick_timing.h"

// A clock with daily alarms, its reminder and ringing state, ticked by hand.
struct Clock {
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    AlarmEvent reminder{};
    RingingState ringing;

    explicit Clock(int duration)
    {
        settings->alarmDuration = duration, settings->showAlarmDialog = 1, settings->events.slots[0].hours = -1;
    }
    void add(int hour, int minute, const char* description)
    {
        int slot = eventCount(settings->events);
        settings->events.slots[slot] = AlarmEvent{1, "", hour, minute, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}};
        std::strcpy(settings->events.slots[slot].description, description);
        if (slot + 1 < MAX_EVENTS)
            settings->events.slots[slot + 1].hours = -1;
    }
    TickResult tick(int hour, int minute, int second, bool visible = true)  // from 15 March; hour 24 is the 16th
    {
        return runClockTick(LocalTime{2027, 3, 1, 15 + hour / 24, hour % 24, minute, second}, visible, *settings,
                            reminder, ringing);
    }
    std::vector<const AlarmEvent*> records(std::initializer_list<int> slots)  // -1: the reminder
    {
        std::vector<const AlarmEvent*> records;
        for (int slot : slots)
            records.push_back(slot < 0 ? &reminder : &settings->events.slots[slot]);
        return records;
    }
};

static std::string text(const TickResult& r) { return std::string(r.alarmText.data, r.alarmText.length); }
static std::vector<const AlarmEvent*> windows(const TickResult& r) { return {r.messageRecords, r.messageRecords + r.messageCount}; }

TEST(ClockTick, TextsAreGatheredInFiringOrderWithTheReminderLastAndOnce)
{
    Clock clock(DURATION_THREE_MINUTES);
    for (auto [hour, description] : {std::pair{9, "Stand-up"}, {8, "Not now"}, {9, ""}, {9, "Call Ann"}})
        clock.add(hour, 0, description);
    clock.reminder = AlarmEvent{1, "Stretch", 9, 0};
    TickResult r = clock.tick(9, 0, 0);
    EXPECT_EQ(text(r), "Stand-up\r\n\r\nCall Ann\r\nReminder. Stretch");
    EXPECT_EQ(r.balloonText, text(r));
    EXPECT_EQ(windows(r), clock.records({0, 2, 3, -1}));  // one message window per record
    EXPECT_TRUE(r.sound == SOUND_PLAY_LOOPING && r.showBalloon && clock.reminder.isOn == 0);
    EXPECT_EQ(text(clock.tick(24 + 9, 0, 0)), "Stand-up\r\n\r\nCall Ann");
}

TEST(ClockTick, AnAlarmWithoutDescriptionRingsAndTheBalloonShowsTheTime)
{
    Clock clock(DURATION_ONCE);
    clock.add(7, 30, "");
    clock.settings->showAlarmDialog = 0;
    TickResult r = clock.tick(7, 30, 0);
    EXPECT_TRUE(r.sound == SOUND_PLAY_ONCE && r.showBalloon && r.messageCount == 0);  // no windows unless asked
    EXPECT_STREQ(r.balloonText, "07:30");
}

TEST(ClockTick, AHiddenClockFiresOnlyTheReminderAndTheScanEndsAtTheMarkerOrAfterAHundredSlots)
{
    Clock clock(DURATION_ONCE);
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        clock.add(slot == 1 || slot == MAX_EVENTS - 1 ? 7 : 6, 0, "");
    clock.reminder = AlarmEvent{1, "Go", 7, 0};
    TickResult r = clock.tick(7, 0, 0, false);
    EXPECT_EQ(text(r), "Reminder. Go");
    EXPECT_EQ(windows(r), clock.records({-1}));
    EXPECT_EQ(windows(clock.tick(24 + 7, 0, 0)), clock.records({1, MAX_EVENTS - 1}));  // a full table has no marker
    clock.settings->events.slots[50].hours = -1;
    EXPECT_EQ(windows(clock.tick(48 + 7, 0, 0)), clock.records({1}));
}

// The ticks after a firing at second 0 (hour, minute, second) and the sound each reports; then it is over.
TEST(ClockTick, RingingLastsAsTheDurationSaysAlsoOverSkippedMinutesAndClockChanges)
{
    const std::tuple<const char*, int, int, int, std::vector<std::array<int, 4>>> cases[] = {
        {"once: the sound plays out", DURATION_ONCE, 7, 0, {{7, 0, 6, SOUND_NONE}, {7, 0, 7, SOUND_NONE}}},
        {"one minute, second 0 skipped", DURATION_ONE_MINUTE, 7, 0, {{7, 0, 59, SOUND_NONE}, {7, 1, 1, SOUND_STOP}}},
        {"one minute, the clock set on", DURATION_ONE_MINUTE, 7, 0, {{8, 0, 5, SOUND_STOP}}},
        {"three minutes over midnight", DURATION_THREE_MINUTES, 23, 58,
         {{23, 59, 0, SOUND_NONE}, {24, 0, 0, SOUND_NONE}, {24, 1, 0, SOUND_STOP}}},
        {"three minutes, minutes without a tick", DURATION_THREE_MINUTES, 7, 10, {{7, 11, 0, SOUND_NONE}, {7, 13, 30, SOUND_STOP}}},
        {"three minutes, the clock set back: the minutes rung count", DURATION_THREE_MINUTES, 7, 10,
         {{7, 11, 0, SOUND_NONE}, {6, 50, 30, SOUND_NONE}, {6, 51, 0, SOUND_NONE}, {6, 52, 0, SOUND_STOP}}}};
    for (const auto& [what, duration, hour, minute, ticks] : cases) {
        Clock clock(duration);
        clock.add(hour, minute, "Tea");
        EXPECT_EQ(clock.tick(hour, minute, 0).sound, duration == DURATION_ONCE ? SOUND_PLAY_ONCE : SOUND_PLAY_LOOPING) << what;
        for (const auto& [h, m, s, sound] : ticks) {
            EXPECT_EQ(clock.ringing.alarmRinging, 1) << what << " " << m << ":" << s;
            EXPECT_EQ(clock.tick(h, m, s).sound, sound) << what << " " << m << ":" << s;
        }
        EXPECT_EQ(clock.ringing.alarmRinging, 0) << what;
    }
}

TEST(ClockTick, AStopRequestEndsTheRinging)
{
    Clock clock(DURATION_THREE_MINUTES);
    clock.add(7, 0, "Tea");
    clock.tick(7, 0, 0);
    clock.ringing.stopRequested = 1;
    EXPECT_EQ(clock.tick(7, 0, 3).sound, SOUND_STOP);
    EXPECT_TRUE(clock.ringing.alarmRinging == 0 && clock.ringing.stopRequested == 0);
    EXPECT_EQ(clock.tick(7, 3, 0).sound, SOUND_NONE);
}

TEST(TickTimer, TheNextTickIsAFewMillisecondsPastTheNextWholeSecond)
{
    for (auto [milliseconds, delay] : {std::pair{0, 1005u}, {5, 1000u}, {6, 999u}, {500, 505u}, {995, 10u}, {999, 6u}, {-20, 1005u}, {1400, 6u}})
        EXPECT_EQ(delayToNextTick(milliseconds), delay) << milliseconds;
}

// Four days of the re-armed timer over a hundred daily alarms: it comes a few
// milliseconds late, now and then a little early or seconds late, and the
// clock is set on and back. Each minute the clock enters is scanned once each
// time: each alarm due in it rings once, and nothing else rings.
TEST(TickTimer, EveryMinuteTheClockEntersIsScannedOnceDespiteJitterAndClockChanges)
{
    const long long SECOND = 1000, MINUTE = 60 * SECOND, HOUR = 60 * MINUTE, DAY = 24 * HOUR, END = 4 * DAY;
    Clock clock(DURATION_ONCE);
    for (int i = 0; i < MAX_EVENTS; ++i)  // spread over the day: 00:00, 01:07, 02:14, ...
        clock.add(i * 67 % 1440 / 60, i * 67 % 60, "");
    clock.reminder = AlarmEvent{1, "", 15, 20};
    const std::pair<long long, long long> jumps[] = {  // at the clock's reading, by how much
        {DAY + 2 * HOUR, HOUR}, {2 * DAY + 3 * HOUR, -HOUR},  // summer time begins, and ends
        {2 * DAY + 12 * HOUR + 5 * SECOND, -10 * SECOND},   // back over the turn of a minute
        {2 * DAY + 23 * HOUR + 50 * MINUTE, 20 * MINUTE},   // on over midnight
        {3 * DAY + 17 * HOUR + 30 * MINUTE + 40 * SECOND, -20 * SECOND}};  // back within a minute
    std::size_t nextJump = 0;
    std::mt19937 random(20240229);
    std::map<std::pair<int, long long>, int> seen, expected;  // (slot, -1 the reminder; minute) -> rings
    std::vector<long long> entered;                            // each minute entered, each time
    auto enter = [&](long long from, long long to) {           // the minutes begun in (from, to]
        for (long long minute = from / MINUTE + 1; minute * MINUTE <= to; ++minute)
            entered.push_back(minute);
    };
    for (long long now = 30 * SECOND + 250; now < END;) {  // from 1 March 00:00:30: that minute is not scanned
        LocalTime t{2027, 3, 0, int(now / DAY) + 1, int(now / HOUR % 24), int(now / MINUTE % 60), int(now / SECOND % 60), int(now % SECOND)};
        for (const AlarmEvent* record : windows(runClockTick(t, true, *clock.settings, clock.reminder, clock.ringing)))
            ++seen[{record == &clock.reminder ? -1 : int(record - clock.settings->events.slots), now / MINUTE}];
        int draw = std::uniform_int_distribution<int>(0, 999)(random);
        long long next = now + delayToNextTick(int(now % SECOND)) + (draw < 5 ? 1000 + draw * 400 : draw < 15 ? -1 - draw % 4 : draw % 41);
        if (nextJump < std::size(jumps) && next >= jumps[nextJump].first) {
            auto [at, by] = jumps[nextJump++];
            enter(now, at - 1);
            if ((at + by) / MINUTE != (at - 1) / MINUTE)
                entered.push_back((at + by) / MINUTE);
            now = at + by, next += by;
        }
        enter(now, next);
        now = next;
    }
    for (long long minute : entered)
        for (int i = 0; i < MAX_EVENTS && minute < END / MINUTE; ++i)
            expected[{i, minute}] += i * 67 % 1440 == minute % 1440;
    std::erase_if(expected, [](const auto& entry) { return entry.second == 0; });
    ++expected[{-1, (15 * HOUR + 20 * MINUTE) / MINUTE}];  // once, on its first day
    EXPECT_EQ(nextJump, std::size(jumps));
    EXPECT_EQ(seen, expected);
    // What the jumps are for: 02:14 was skipped on the 2nd and rang twice on the 3rd.
    EXPECT_EQ(expected.count({2, (DAY + 134 * MINUTE) / MINUTE}), 0u);
    EXPECT_EQ((expected[{2, (2 * DAY + 134 * MINUTE) / MINUTE}]), 2);
}
