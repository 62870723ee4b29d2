// The tick: what a firing gathers, how long the ringing lasts, and the re-armed
// timer that scans every minute the clock enters once.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <map>
#include <memory>

#include "alarms/clock_tick.h"
#include "alarms/tick_timing.h"

using Records = std::vector<const AlarmEvent*>;

// A clock with daily alarms, ticked by hand from 15 March on.
struct Clock {
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

TEST(ClockTick, TextsAreGatheredInFiringOrderWithTheReminderLastAndOnce)
{
    Clock clock(DURATION_THREE_MINUTES);
    for (auto [hour, description] : {std::pair{9, "Stand-up"}, {8, "Not now"}, {9, ""}, {9, "Call Ann"}})
        clock.add(hour, 0, description);
    clock.reminder = AlarmEvent{1, "Stretch", 9, 0};
    TickResult r = clock.tick(9, 0, 0);
    EXPECT_EQ(text(r), "Stand-up\r\n\r\nCall Ann\r\nReminder. Stretch");
    EXPECT_EQ(r.balloonText, text(r));
    EXPECT_EQ(windows(r), (Records{clock.slots, clock.slots + 2, clock.slots + 3, &clock.reminder}));
    EXPECT_TRUE(r.sound == SOUND_PLAY_LOOPING && r.showBalloon && clock.reminder.isOn == 0);
    EXPECT_EQ(text(clock.tick(24 + 9, 0, 0)), "Stand-up\r\n\r\nCall Ann");
    Clock quiet(DURATION_ONCE);  // a description is not needed, nor are message windows unless asked
    quiet.add(7, 30, "");
    quiet.settings->showAlarmDialog = 0;
    r = quiet.tick(7, 30, 0);
    EXPECT_TRUE(r.sound == SOUND_PLAY_ONCE && r.showBalloon && r.messageCount == 0);
    EXPECT_STREQ(r.balloonText, "07:30");
}

TEST(ClockTick, AHiddenClockFiresOnlyTheReminderAndTheScanEndsAtTheMarkerOrAfterAHundredSlots)
{
    Clock clock(DURATION_ONCE);
    for (int slot = 0; slot < MAX_EVENTS; ++slot)
        clock.add(slot == 1 || slot == MAX_EVENTS - 1 ? 7 : 6, 0, "");
    clock.reminder = AlarmEvent{1, "Go", 7, 0};
    EXPECT_EQ(windows(clock.tick(7, 0, 0, false)), Records{&clock.reminder});
    EXPECT_EQ(windows(clock.tick(24 + 7, 0, 0)), (Records{clock.slots + 1, clock.slots + MAX_EVENTS - 1}));
    clock.slots[50].hours = -1;
    EXPECT_EQ(windows(clock.tick(48 + 7, 0, 0)), Records{clock.slots + 1});
}

// After a firing at second 0: the ticks (hour, minute, second) and the sound each reports; then it is over.
TEST(ClockTick, RingingLastsAsTheDurationSaysAlsoOverSkippedMinutesAndClockChangesOrUntilStopped)
{
    const std::tuple<int, int, int, std::vector<std::array<int, 4>>> cases[] = {
        {DURATION_ONCE, 7, 0, {{7, 0, 6, SOUND_NONE}, {7, 0, 7, SOUND_NONE}}},  // the sound plays out
        {DURATION_ONE_MINUTE, 7, 0, {{7, 0, 59, SOUND_NONE}, {7, 1, 1, SOUND_STOP}}},
        {DURATION_ONE_MINUTE, 7, 0, {{8, 0, 5, SOUND_STOP}}},  // the clock set on
        {DURATION_THREE_MINUTES, 23, 58, {{23, 59, 0, SOUND_NONE}, {24, 0, 0, SOUND_NONE}, {24, 1, 0, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 10,  // the clock set back: the minutes rung still count
         {{7, 11, 0, SOUND_NONE}, {6, 50, 30, SOUND_NONE}, {6, 51, 0, SOUND_NONE}, {6, 52, 0, SOUND_STOP}}}};
    for (const auto& [duration, hour, minute, ticks] : cases) {
        Clock clock(duration);
        clock.add(hour, minute, "Tea");
        EXPECT_EQ(clock.tick(hour, minute, 0).sound, duration ? SOUND_PLAY_LOOPING : SOUND_PLAY_ONCE) << hour;
        for (const auto& [h, m, s, sound] : ticks) {
            EXPECT_EQ(clock.ringing.alarmRinging, 1) << h << ":" << m << ":" << s;
            EXPECT_EQ(clock.tick(h, m, s).sound, sound) << h << ":" << m << ":" << s;
        }
        EXPECT_EQ(clock.ringing.alarmRinging, 0) << hour << ":" << minute;
    }
    Clock stopped(DURATION_THREE_MINUTES);
    stopped.add(7, 0, "Tea");
    stopped.tick(7, 0, 0);
    stopped.ringing.stopRequested = 1;
    EXPECT_EQ(stopped.tick(7, 0, 3).sound, SOUND_STOP);
    EXPECT_TRUE(stopped.ringing.alarmRinging == 0 && stopped.ringing.stopRequested == 0);
}

TEST(TickTimer, TheNextTickIsAFewMillisecondsPastTheNextWholeSecond)
{
    for (auto [milliseconds, delay] : {std::pair{0, 1005u}, {5, 1000u}, {6, 999u}, {500, 505u}, {999, 6u}, {-20, 1005u}})
        EXPECT_EQ(delayToNextTick(milliseconds), delay) << milliseconds;
}

// Four days of the re-armed timer over a hundred daily alarms, coming a few ms
// late, now and then a little early or seconds late, with the clock set on and
// back: each time the clock enters a minute, each alarm due in it rings once.
TEST(TickTimer, EveryMinuteTheClockEntersIsScannedOnceDespiteJitterAndClockChanges)
{
    const long long SECOND = 1000, MINUTE = 60 * SECOND, HOUR = 60 * MINUTE, DAY = 24 * HOUR;
    Clock clock(DURATION_ONCE);
    for (int i = 0; i < MAX_EVENTS; ++i)  // 00:00, 01:07, 02:14, ...
        clock.add(i * 67 % 1440 / 60, i * 67 % 60, "");
    clock.reminder = AlarmEvent{1, "", 15, 20};
    const std::pair<long long, long long> jumps[] = {  // at the clock's reading, by how much
        {DAY + 2 * HOUR, HOUR}, {2 * DAY + 3 * HOUR, -HOUR},           // summer time begins, and ends
        {2 * DAY + 12 * HOUR + 5 * SECOND, -10 * SECOND},              // back over the turn of a minute
        {2 * DAY + 23 * HOUR + 50 * MINUTE, 20 * MINUTE},              // on over midnight
        {3 * DAY + 17 * HOUR + 30 * MINUTE + 40 * SECOND, -20 * SECOND}};  // back within a minute
    std::map<std::pair<int, long long>, int> seen, expected;  // (slot, -1 the reminder; minute) -> rings
    auto enter = [&](long long from, long long to) {           // the minutes begun in (from, to]
        for (long long minute = from / MINUTE + 1; minute * MINUTE <= to && minute < 4 * DAY / MINUTE; ++minute)
            for (int i = 0; i < MAX_EVENTS; ++i)
                if (i * 67 % 1440 == minute % 1440)
                    ++expected[{i, minute}];
    };
    std::size_t jump = 0, tick = 0;
    for (long long now = 30 * SECOND + 250; now < 4 * DAY; ++tick) {  // from 1 March 00:00:30: no scan in it
        LocalTime t{2027, 3, 0, int(now / DAY + 1), int(now / HOUR % 24), int(now / MINUTE % 60),
                    int(now / SECOND % 60), int(now % SECOND)};
        for (const AlarmEvent* record : windows(runClockTick(t, true, *clock.settings, clock.reminder, clock.ringing)))
            ++seen[{record == &clock.reminder ? -1 : int(record - clock.slots), now / MINUTE}];
        long long next = now + delayToNextTick(int(now % SECOND)) + (tick % 211 ? tick % 97 ? tick % 41 : -4 : 2600);
        if (jump < std::size(jumps) && next >= jumps[jump].first) {
            auto [at, by] = jumps[jump++];
            enter(now, at - 1);
            long long landed = (at + by) / MINUTE * MINUTE;  // the start of the minute landed in
            if (landed != (at - 1) / MINUTE * MINUTE)
                enter(landed - 1, landed);
            now = at + by, next += by;
        }
        enter(now, next);
        now = next;
    }
    ++expected[{-1, (15 * HOUR + 20 * MINUTE) / MINUTE}];  // once, on its first day
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(jump, std::size(jumps));
    EXPECT_EQ((expected[{2, (2 * DAY + 134 * MINUTE) / MINUTE}]), 2);  // 02:14, twice on the day summer time ends
}
