#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <map>

#include "alarms/clock_tick.h"
#include "alarms/tick_timing.h"

using Records = std::vector<const AlarmEvent*>;

struct Clock {  // daily alarms, ticked by hand from 15 March on
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    AlarmEvent reminder{}, *slots = settings->events.slots;
    RingingState ringing;

    Clock(int duration) { settings->alarmDuration = duration, settings->showAlarmDialog = 1, slots->hours = -1; }
    void add(int hour, int minute, const char* description)
    {
        int slot = eventCount(settings->events);
        slots[slot] = AlarmEvent{1, "", hour, minute, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}};
        std::strcpy(slots[slot].description, description);
        if (slot + 1 < MAX_EVENTS)
            slots[slot + 1].hours = -1;
    }
    TickResult tick(int hour, int minute, int second, bool visible = true)  // hour 24 is 0 on the next day
    {
        LocalTime now{2027, 3, 1, 15 + hour / 24, hour % 24, minute, second};
        return runClockTick(now, visible, *settings, reminder, ringing);
    }
};

static std::string text(const TickResult& r) { return std::string(r.alarmText.data, r.alarmText.length); }
static Records windows(const TickResult& r) { return {r.messageRecords, r.messageRecords + r.messageCount}; }

TEST(ClockTick, WhatFiresIsGatheredInOrderRingsWithoutTextAndWhenHiddenOnlyTheReminderFires)
{
    Clock clock(DURATION_THREE_MINUTES);
    for (auto [hour, description] : {std::pair{9, "Stand-up"}, {8, "Not now"}, {9, ""}, {9, "Call Ann"}})
        clock.add(hour, 0, description);
    clock.reminder = AlarmEvent{1, "Stretch", 9, 0};
    TickResult r = clock.tick(9, 0, 0);
    EXPECT_EQ(text(r), "Stand-up\r\n\r\nCall Ann\r\nReminder. Stretch");
    EXPECT_EQ(windows(r), (Records{clock.slots, clock.slots + 2, clock.slots + 3, &clock.reminder}));
    EXPECT_TRUE(r.sound == SOUND_PLAY_LOOPING && r.showBalloon && clock.reminder.isOn == 0);
    EXPECT_EQ(text(clock.tick(24 + 9, 0, 0)), "Stand-up\r\n\r\nCall Ann");
    Clock quiet(DURATION_ONCE);  // a description is not needed, nor are message windows unless asked
    quiet.add(7, 30, "");
    quiet.settings->showAlarmDialog = 0;
    r = quiet.tick(7, 30, 0);
    EXPECT_TRUE(r.sound == SOUND_PLAY_ONCE && r.showBalloon && r.messageCount == 0);
    EXPECT_STREQ(r.balloonText, "07:30");
    Clock hidden(DURATION_ONCE);  // hidden, only the reminder fires; the scan ends at the marker
    hidden.add(7, 0, "");
    hidden.slots[2] = hidden.slots[0];  // behind the marker
    hidden.reminder = AlarmEvent{1, "Go", 7, 0};
    EXPECT_EQ(windows(hidden.tick(7, 0, 0, false)), Records{&hidden.reminder});
    EXPECT_EQ(windows(hidden.tick(24 + 7, 0, 0)), Records{hidden.slots});
}


// After a firing: the ticks and the sound each reports (negative: the user asked to stop before it); then it is over.
TEST(ClockTick, RingingLastsAsTheDurationSaysAlsoOverSkippedMinutesAndClockChangesOrUntilStopped)
{
    const std::tuple<int, int, int, std::vector<std::array<int, 4>>> cases[] = {
        {DURATION_ONCE, 7, 0, {{7, 0, 6, SOUND_NONE}, {7, 0, 7, SOUND_NONE}}},  // the sound plays out
        {DURATION_ONE_MINUTE, 7, 0, {{7, 0, 59, SOUND_NONE}, {7, 1, 1, SOUND_STOP}}},
        {DURATION_ONE_MINUTE, 7, 0, {{8, 0, 5, SOUND_STOP}}},  // the clock set on
        {DURATION_THREE_MINUTES, 23, 58, {{23, 59, 0, SOUND_NONE}, {24, 0, 0, SOUND_NONE}, {24, 1, 0, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 10,  // the clock set back: the minutes rung still count
         {{7, 11, 0, SOUND_NONE}, {6, 50, 30, SOUND_NONE}, {6, 51, 0, SOUND_NONE}, {6, 52, 0, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 0, {{7, 0, 3, -SOUND_STOP}}}};
    for (const auto& [duration, hour, minute, ticks] : cases) {
        Clock clock(duration);
        clock.add(hour, minute, "Tea");
        EXPECT_EQ(clock.tick(hour, minute, 0).sound, duration ? SOUND_PLAY_LOOPING : SOUND_PLAY_ONCE) << hour;
        for (const auto& [h, m, s, sound] : ticks) {
            EXPECT_EQ(clock.ringing.alarmRinging, 1) << h << ":" << m << ":" << s;
            clock.ringing.stopRequested = sound < 0;
            EXPECT_EQ(clock.tick(h, m, s).sound, std::abs(sound)) << h << ":" << m << ":" << s;
        }
        EXPECT_TRUE(clock.ringing.alarmRinging == 0 && clock.ringing.stopRequested == 0) << hour << ":" << minute;
    }
}


// Four days of the clock's timer as Windows keeps it (repeating at the interval last set, a tick a few ms late, at
// times a little early or seconds late, missed periods folded into one), on a local clock that gains 1 ms in 2 s
// and is set on and back. Each quarter day brings other settings: seconds, blinking, nothing (the minute wake), a
// duration of "1 min." or "3 min."; now and then the user stops a ringing, which the clock window ticks at once.
TEST(TickTimer, EveryMinuteEnteredIsScannedOnceAStopIsNeverAMinuteAwayAndAQuietClockWakesOnceAMinute)
{
    const long long S = 1000, M = 60 * S, H = 60 * M, D = 24 * H;
    for (auto [ms, second, every, delay] : {std::array{0, 0, 1, 1005}, {5, 9, 1, 1000}, {999, 59, 1, 6}, {0, 0, 0, 60005},
                                             {300, 30, 0, 29705}, {999, 59, 0, 6}, {-20, 0, 1, 1005}})
        EXPECT_EQ(delayToNextTick(LocalTime{2027, 3, 1, 1, 0, 0, second, ms}, every), unsigned(delay)) << ms;
    Clock clock(DURATION_ONCE);
    for (int i = 0; i < MAX_EVENTS; ++i)  // 00:00, 01:07, 02:14, ...: a full table, without a marker
        clock.add(i * 67 % 1440 / 60, i * 67 % 60, "");
    const std::pair<long long, long long> jumps[] = {  // at the clock's reading, by how much; over the turn of a minute
        {D + 2 * H, H}, {2 * D + 3 * H, -H}, {2 * D + 12 * H + 5 * S, -10 * S}, {3 * D + 9 * H + 40 * S, -20 * S}};
    std::map<std::pair<int, long long>, int> seen, expected;  // (slot, minute) -> rings
    auto enter = [&](long long minute) {  // each minute the clock enters is due to ring
        for (int i = 0; i < MAX_EVENTS; ++i)
            if (i * 67 % 1440 == minute % 1440 && minute < 4 * D / M)
                ++expected[{i, minute}];
    };
    auto run = [&](long long from, long long to) {
        for (long long minute = from / M + 1; minute * M <= to; ++minute)
            enter(minute);
    };
    long long quietTicks = 0, ticks = 0, timerSets = 0, durationStops = 0, lateStops = 0, longestRingingGap = 0;
    unsigned armed = 0;
    bool clicked = false;
    // `real` is the timer's time; the clock reads real + offset + real / 2000.
    for (long long real = 30 * S + 250, expiry = 0, offset = 0, lastMinute = -1, n = 0, jump = 0;; ++n, ++ticks) {
        auto reading = [&](long long at) { return at + offset + at / 2000; };
        long long now = reading(real);
        if (now >= 4 * D)
            break;
        int quarter = int(now / (6 * H) % 4);
        clock.settings->showSeconds = quarter == 0, clock.settings->flashDelimiter = quarter == 1;
        clock.settings->alarmDuration = quarter == 3 ? DURATION_THREE_MINUTES : quarter == 2 ? DURATION_ONE_MINUTE : 0;
        LocalTime t{2027, 3, 0, int(now / D + 1), int(now / H % 24), int(now / M % 60), int(now / S % 60), int(now % S)};
        bool wasRinging = clock.ringing.alarmRinging;
        TickResult r = runClockTick(t, true, *clock.settings, clock.reminder, clock.ringing);
        for (const AlarmEvent* record : windows(r))
            ++seen[{int(record - clock.slots), now / M}];
        if (r.sound == SOUND_STOP && !clicked && clock.settings->alarmDuration != DURATION_ONCE)  // a duration's end
            ++durationStops, lateStops += now / M == lastMinute;  // not on the minute's first tick
        lastMinute = now / M, clicked = false;
        bool everySecond = needsEverySecond(*clock.settings, clock.ringing);
        quietTicks += quarter >= 2 && !wasRinging && !everySecond;
        if (unsigned set = timerToSet(t, everySecond, armed))
            armed = set, expiry = real + set, ++timerSets;
        else
            for (expiry += armed; expiry <= real;)
                expiry += armed;
        if (clock.ringing.alarmRinging)
            longestRingingGap = std::max(longestRingingGap, expiry - real);
        long long next = expiry + (n % 211 ? n % 97 ? n % 5 : -4 : 2600);
        if (clock.ringing.alarmRinging && n % 401 == 0)  // the user's click, 300 ms on: the window ticks at once
            clock.ringing.stopRequested = 1, clicked = true, next = real + 300;
        if (jump < std::ssize(jumps) && reading(next) >= jumps[jump].first) {
            auto [at, by] = jumps[jump++];
            run(now, at - 1);
            long long to = (at + by) / M == (at - 1) / M ? at + by : (at + by) / M * M - 1;  // a new minute is entered
            offset += to - reading(next);
            enter(to / M);
        } else {
            run(now, reading(next));
        }
        real = next;
    }
    EXPECT_EQ(seen, expected);
    // Half of each day is quiet, bar the minutes rung: the clock wakes about once a minute then.
    EXPECT_TRUE(quietTicks > 4 * 12 * 60 * 8 / 10 && quietTicks < 4 * 12 * 60 * 11 / 10) << quietTicks;
    EXPECT_TRUE(durationStops > 20 && lateStops == 0) << durationStops << " " << lateStops;
    EXPECT_LE(longestRingingGap, 1005) << "a ringing is ticked every second";
    EXPECT_LT(timerSets, ticks / 5) << "a tick on its mark leaves the timer alone";
}
