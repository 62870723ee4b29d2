#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "alarms/alarm_marks.h"
#include "alarms/alarm_sound.h"
#include "alarms/clock_tick.h"
#include "alarms/next_alarm.h"
#include "alarms/reminder_schedule.h"
#include "alarms/snooze.h"
#include "alarms/tick_timing.h"
#include "app/tray_tip.h"

using Records = std::vector<const AlarmEvent*>;

static long long minuteOf(int year, int month, int day, int hour, int minute)
{
    return minuteNumber(LocalTime{year, month, 0, day, hour, minute});
}

// A zone at UTC+0, and UTC+1 in summer: from local 02:00 of the spring day (on to 03:00) to local 03:00 of the
// autumn day (back to 02:00). A minute of the gap gives the change; one of the repeated hour, its first pass.
struct SummerTime : ZoneRules {
    long long spring, autumn;
    SummerTime(long long spring, long long autumn) : spring(spring), autumn(autumn) {}
    long long utcMinuteOf(long long local) const override
    {
        return local < spring || local >= autumn ? local : local < spring + 60 ? spring : local - 60;
    }
};
static const SummerTime zone2027(minuteOf(2027, 3, 28, 2, 0), minuteOf(2027, 10, 31, 3, 0));

struct Clock {  // daily alarms, ticked by hand from a day of 2027 on (15 March unless told), in zone2027
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    AlarmEvent reminder{}, *slots = settings->events.slots;
    RingingState ringing;
    int month, day;

    Clock(int duration, int month = 3, int day = 15) : month(month), day(day)
    {
        settings->alarmDuration = duration, settings->showAlarmDialog = 1, slots->hours = -1;
    }
    void add(int hour, int minute, const char* description)
    {
        int slot = eventCount(settings->events);
        slots[slot] = AlarmEvent{1, "", hour, minute, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}};
        std::strcpy(slots[slot].description, description);
        if (slot + 1 < MAX_EVENTS)
            slots[slot + 1].hours = -1;
    }
    // Hour 24 on: the next day. UTC as the zone has it, later by `utcShift` (3600: the repeated hour's second pass).
    TickResult tick(int hour, int minute, int second, bool visible = true, long long utcShift = 0)
    {
        LocalTime now{2027, month, 0, day + hour / 24, hour % 24, minute, second};
        long long utc = zone2027.utcMinuteOf(minuteNumber(now)) * 60 + second + utcShift;
        return runClockTick(now, utc, zone2027, visible, *settings, reminder, ringing);
    }
    void arm(const char* description, int hour, int minute)  // the reminder, on the clock's day at hour:minute
    {
        reminder = AlarmEvent{1, "", hour, minute};
        std::strcpy(reminder.description, description);
        ringing.reminderDue = minuteOf(2027, month, day, hour, minute);
    }
};

static std::string text(const TickResult& r) { return std::string(r.alarmText.data, r.alarmText.length); }
static Records windows(const TickResult& r)
{
    Records records;
    for (int k = 0; k < r.messageCount; ++k)
        records.push_back(r.messages[k].record);
    return records;
}

TEST(ClockTick, WhatFiresIsGatheredInOrderRingsWithoutTextAndWhenHiddenOnlyTheReminderFires)
{
    Clock clock(DURATION_THREE_MINUTES);
    for (auto [hour, description] : {std::pair{9, "Stand-up"}, {8, "Not now"}, {9, ""}, {9, "Call Ann"}})
        clock.add(hour, 0, description);
    clock.arm("Stretch", 9, 0);
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
    hidden.arm("Go", 7, 0);
    EXPECT_EQ(windows(hidden.tick(7, 0, 0, false)), Records{&hidden.reminder});
    EXPECT_EQ(windows(hidden.tick(24 + 7, 0, 0)), Records{hidden.slots});
}


// After a firing at the moment given (its alarm due that minute, the clock ticked at 06:00): the ticks, with how far
// UTC is on from the zone's (3600: the local clock went back an hour), and the sound each reports (negative: the user
// asked to stop before it); then it is over.
TEST(ClockTick, RingingLastsItsDurationInRealTimeWhateverTheClockDoesOrUntilStopped)
{
    const std::tuple<int, int, int, int, std::vector<std::array<int, 5>>> cases[] = {
        {DURATION_ONCE, 7, 0, 0, {{7, 0, 6, 0, SOUND_NONE}, {7, 0, 7, 0, SOUND_NONE}}},  // the sound plays out
        {DURATION_ONE_MINUTE, 7, 0, 50, {{7, 1, 0, 0, SOUND_NONE}, {7, 1, 49, 0, SOUND_NONE}, {7, 1, 50, 0, SOUND_STOP}}},
        {DURATION_ONE_MINUTE, 7, 0, 0, {{8, 0, 5, 0, SOUND_STOP}}},  // the clock set on
        {DURATION_ONE_MINUTE, 7, 0, 0, {{6, 0, 30, 3600, SOUND_NONE}, {6, 0, 59, 3600, SOUND_NONE}, {6, 1, 0, 3600, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 0, 0,  // corrected back 10 s: 180 s all the same
         {{7, 1, 5, 0, SOUND_NONE}, {7, 0, 55, 0, SOUND_NONE}, {7, 2, 49, 0, SOUND_NONE}, {7, 2, 50, 0, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 10, 0,  // set back 20 minutes
         {{7, 11, 0, 0, SOUND_NONE}, {6, 51, 0, 0, SOUND_NONE}, {6, 52, 59, 0, SOUND_NONE}, {6, 53, 0, 0, SOUND_STOP}}},
        {DURATION_THREE_MINUTES, 7, 0, 0, {{7, 0, 3, 0, -SOUND_STOP}}}};
    for (const auto& [duration, hour, minute, second, ticks] : cases) {
        Clock clock(duration);
        clock.add(hour, minute, "Tea");
        clock.tick(6, 0, 0);
        EXPECT_EQ(clock.tick(hour, minute, second).sound, duration ? SOUND_PLAY_LOOPING : SOUND_PLAY_ONCE) << minute;
        for (const auto& [h, m, s, utcShift, sound] : ticks) {
            EXPECT_EQ(clock.ringing.alarmRinging, 1) << h << ":" << m << ":" << s;
            clock.ringing.stopRequested = sound < 0;
            EXPECT_EQ(clock.tick(h, m, s, true, utcShift).sound, std::abs(sound)) << h << ":" << m << ":" << s;
        }
        EXPECT_TRUE(clock.ringing.alarmRinging == 0 && clock.ringing.stopRequested == 0) << hour << ":" << minute;
    }
}


// Four days of the clock's timer as Windows keeps it (repeating at the interval last set, a tick a few ms late, at
// times a little early or seconds late, missed periods folded into one), on a local clock that gains 1 ms in 2 s
// and moved on and back, by daylight saving (local time moves, UTC goes on) and by the user (UTC moves too: steps
// back of 10 s and 5 minutes are corrections, 30 minutes start afresh). Each quarter day brings other settings:
// seconds, blinking, nothing (the minute wake), a duration of "1 min." or "3 min." (in real time); now and then the
// user stops a ringing, which the clock window ticks at once.
TEST(TickTimer, EveryMinuteEnteredRingsOnceThroughClockChangesADurationEndsOnItsSecondAndAQuietClockWakesOnceAMinute)
{
    const long long S = 1000, M = 60 * S, H = 60 * M, D = 24 * H;
    for (auto [ms, second, every, delay] : {std::array{0, 0, 1, 1005}, {5, 9, 1, 1000}, {999, 59, 1, 6}, {0, 0, 0, 60005},
                                             {300, 30, 0, 29705}, {999, 59, 0, 6}, {-20, 0, 1, 1005}})
        EXPECT_EQ(delayToNextTick(LocalTime{2027, 3, 1, 1, 0, 0, second, ms}, every), unsigned(delay)) << ms;
    Clock clock(DURATION_ONCE);
    EXPECT_TRUE(needsEverySecond(Settings{}, clock.ringing)) << "the first tick, which starts the watch, waits no minute";
    for (int i = 0; i < MAX_EVENTS; ++i)  // 00:00, 01:07, 02:14, ...: a full table, without a marker
        clock.add(i * 67 % 1440 / 60, i * 67 % 60, "");
    const std::tuple<long long, long long, bool> jumps[] = {  // at the local reading, by how much, daylight saving
        {D + 2 * H, H, true}, {2 * D + 3 * H, -H, true}, {2 * D + 12 * H + 5 * S, -10 * S, false},
        {3 * D + 9 * H + 40 * S, -5 * M, false}, {3 * D + 15 * H + 30 * S, -30 * M, false}};
    const SummerTime zone(minuteOf(2027, 3, 2, 2, 0), minuteOf(2027, 3, 3, 3, 0));
    std::map<std::pair<int, long long>, int> seen, expected;  // (slot, minute) -> rings
    long long frontier = 0;  // the last local minute due to ring: each minute entered past it rings once
    auto run = [&](long long to, long long ringsAt = -1) {
        for (long long minute = frontier + 1; minute <= to / M && minute < 4 * D / M; ++minute)
            for (int i = 0; i < MAX_EVENTS; ++i)
                if (i * 67 % 1440 == minute % 1440)
                    ++expected[{i, ringsAt < 0 ? minute : ringsAt}];
        frontier = std::max(frontier, to / M);
    };
    long long quietTicks = 0, ticks = 0, timerSets = 0, durationStops = 0, offStops = 0, longestRingingGap = 0;
    unsigned armed = 0;
    bool clicked = false;
    // `real` is the timer's time; the clock reads real + offset + real / 2000, UTC that less `saved`.
    for (long long real = 30 * S + 250, expiry = 0, offset = 0, saved = 0, rangAt = 0, lastTick = 0, n = 0, jump = 0;;
         ++n, ++ticks) {
        auto reading = [&](long long at) { return at + offset + at / 2000; };
        long long now = reading(real);
        if (now >= 4 * D)
            break;
        int quarter = int(now / (6 * H) % 4);
        clock.settings->showSeconds = quarter == 0, clock.settings->flashDelimiter = quarter == 1;
        clock.settings->alarmDuration = quarter == 3 ? DURATION_THREE_MINUTES : quarter == 2 ? DURATION_ONE_MINUTE : 0;
        LocalTime t{2027, 3, 0, int(now / D + 1), int(now / H % 24), int(now / M % 60), int(now / S % 60), int(now % S)};
        bool wasRinging = clock.ringing.alarmRinging;
        TickResult r = runClockTick(t, secondNumber(t) - saved / S, zone, true, *clock.settings, clock.reminder, clock.ringing);
        for (const AlarmEvent* record : windows(r))
            ++seen[{int(record - clock.slots), now / M}];
        long long duration = clock.settings->alarmDuration == DURATION_THREE_MINUTES ? 3 * M : M;
        if (r.sound == SOUND_STOP && !clicked && clock.settings->alarmDuration != DURATION_ONCE)  // a duration's end
            ++durationStops, offStops += real - rangAt <= duration - S || lastTick - rangAt > duration;  // on its second
        rangAt = r.fired ? real : rangAt, lastTick = real, clicked = false;
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
        if (jump < std::ssize(jumps) && reading(next) >= std::get<0>(jumps[jump])) {
            auto [at, by, daylightSaving] = jumps[jump++];
            run(at - 1);
            offset += by, saved += daylightSaving ? by : 0;
            long long to = reading(next);
            if (by > 0)
                run(to, to / M);  // the skipped hour rings at the first tick after it
            else if (!daylightSaving && by < -5 * M)
                frontier = to / M - (to / S % 60 == 0);  // set back: afresh from then on
        } else {
            run(reading(next));
        }
        real = next;
    }
    EXPECT_EQ(seen, expected);
    // Half of each day is quiet, bar the minutes rung: the clock wakes about once a minute then.
    EXPECT_TRUE(quietTicks > 4 * 12 * 60 * 8 / 10 && quietTicks < 4 * 12 * 60 * 11 / 10) << quietTicks;
    EXPECT_TRUE(durationStops > 20 && offStops == 0) << durationStops << " " << offStops;
    EXPECT_LE(longestRingingGap, 1005) << "a ringing is ticked every second";
    EXPECT_LT(timerSets, ticks / 5) << "a tick on its mark leaves the timer alone";
}

// Ticks of a clock at UTC+0 after one at 07:00:00, the alarms at 07:40 "Wake" and 11:10 "Tea": what the last tick
// shows, once what rang before was stopped.
struct Gap {
    std::vector<std::array<int, 3>> ticks;  // hour (24 on: the days after), minute, second
    const char* title;                      // of the balloon, "" for none
    const char* balloon;
    int sound;
};

TEST(CatchUp, MinutesNotSeenRingUpTo15MinutesLateAreMissedLaterAndDroppedAfterADayAndACorrectionRingsNothingTwice)
{
    const Gap gaps[] = {
        {{{7, 38, 0}, {7, 43, 0}}, "Alarm", "Wake", SOUND_PLAY_LOOPING},  // a sleep over the alarm
        {{{7, 38, 0}, {7, 55, 0}}, "Alarm", "Wake", SOUND_PLAY_LOOPING},  // 15 minutes late
        {{{7, 38, 0}, {7, 55, 1}}, "Missed alarm", "Missed: 07:40 Wake", SOUND_NONE},
        {{{7, 38, 0}, {11, 20, 0}}, "Alarm", "Tea\r\nMissed: 07:40 Wake", SOUND_PLAY_LOOPING},
        {{{7, 38, 0}, {48 + 7, 45, 0}}, "Alarm", "Wake\r\nMissed: yesterday 11:10 Tea", SOUND_PLAY_LOOPING},  // two days
        {{{7, 39, 59}, {7, 40, 0}}, "Alarm", "Wake", SOUND_PLAY_LOOPING},  // on time
        {{{7, 40, 0}, {7, 40, 1}, {7, 39, 59}, {7, 40, 0}}, "", "", SOUND_NONE},  // rang, stopped, corrected back 2 s
        {{{7, 45, 0}, {7, 40, 0}}, "", "", SOUND_NONE},                          // corrected back 5 minutes
        {{{7, 40, 0}, {7, 41, 0}, {7, 37, 0}, {7, 40, 0}}, "", "", SOUND_NONE},  // the same, between two ticks
        {{{7, 46, 0}, {7, 40, 0}}, "Alarm", "Wake", SOUND_PLAY_LOOPING},        // set back 6 minutes: afresh
    };
    for (const Gap& gap : gaps) {
        Clock clock(DURATION_ONE_MINUTE);
        clock.add(7, 40, "Wake");
        clock.add(11, 10, "Tea");
        clock.tick(7, 0, 0);
        for (std::size_t k = 0; k + 1 < gap.ticks.size(); ++k)
            clock.tick(gap.ticks[k][0], gap.ticks[k][1], gap.ticks[k][2]);
        clock.ringing.stopRequested = clock.ringing.alarmRinging = 0;  // what rang before is over
        auto [hour, minute, second] = gap.ticks.back();
        TickResult r = clock.tick(hour, minute, second);
        std::string at = std::to_string(gap.ticks[0][1]) + " to " + std::to_string(hour) + ":" + std::to_string(minute);
        EXPECT_EQ(r.showBalloon ? r.balloonTitle : "", std::string(gap.title)) << at;
        EXPECT_STREQ(r.balloonText, gap.balloon) << at;
        EXPECT_EQ(r.sound, gap.sound) << at;
        EXPECT_EQ(r.messageCount, r.fired ? 1 : 0) << at;  // what was missed has no window of its own
    }
    // What was missed at one tick is one list, oldest first, the reminder in its place.
    Clock sleep(DURATION_ONCE);
    for (auto [hour, minute, description] : {std::tuple{11, 10, "Tea"}, {7, 40, "Wake"}, {9, 15, "Call"}})
        sleep.add(hour, minute, description);
    sleep.tick(7, 0, 0);
    sleep.arm("Stretch", 9, 15);
    TickResult r = sleep.tick(12, 0, 0);
    EXPECT_EQ(std::string(r.missedList.data), "07:40 Wake\r\n09:15 Call\r\n09:15 Reminder. Stretch\r\n11:10 Tea");
    EXPECT_EQ(r.messageCount, 0);
}

// Asleep over the spring change (28 March: 02:00 on to 03:00), alarms at 01:59 and 02:30 and the reminder at 02:25.
TEST(CatchUp, LatenessIsRealTimeTheSkippedHourDueAtTheSpringChangeAndTheRepeatedAutumnHourRingsOnce)
{
    const std::tuple<int, int, int, int, int, const char*> sleeps[] = {
        {1, 30, 3, 0, 5, "Before\r\nSkipped\r\nReminder. Stretch"},  // woken by the wake timer, set for the change
        {1, 50, 3, 10, 0, "Before\r\nSkipped\r\nReminder. Stretch"},  // 11, 10 and 10 minutes late
        {1, 50, 3, 16, 0, "Missed: 01:59 Before\r\nMissed: 02:30 Skipped\r\nMissed: 02:25 Reminder. Stretch"}};
    for (const auto& [fromHour, fromMinute, hour, minute, second, balloon] : sleeps) {
        Clock spring(DURATION_ONCE, 3, 28);
        spring.add(1, 59, "Before");
        spring.add(2, 30, "Skipped");
        spring.arm("Stretch", 2, 25);
        spring.tick(fromHour, fromMinute, 0);
        EXPECT_STREQ(spring.tick(hour, minute, second).balloonText, balloon) << hour << ":" << minute;
    }
    Clock autumn(DURATION_ONCE, 10, 31);  // 03:00 back to 02:00
    autumn.add(2, 30, "Twice?");
    autumn.add(3, 0, "Three");
    EXPECT_EQ(text(autumn.tick(2, 30, 0)), "Twice?");
    autumn.tick(2, 59, 59);
    for (int minute = 0; minute < 60; ++minute)  // the hour again, UTC an hour on
        EXPECT_FALSE(autumn.tick(2, minute, 0, true, 3600).fired) << minute;
    EXPECT_EQ(text(autumn.tick(3, 0, 0)), "Three");
}

TEST(CatchUp, TheReminderIsAMomentThatComesOnceOrIsMissedAndNeverADayLater)
{
    Clock late(DURATION_ONCE), missed(DURATION_ONCE);
    late.tick(9, 10, 0);
    late.arm("Stretch", 9, 15);
    TickResult r = late.tick(9, 20, 0);  // woken 5 minutes after
    EXPECT_EQ(text(r), "Reminder. Stretch");
    EXPECT_EQ(late.reminder.isOn, 0);
    missed.tick(9, 0, 0);
    missed.arm("Stretch", 9, 15);
    r = missed.tick(11, 20, 0);
    EXPECT_STREQ(r.balloonText, "Missed: 09:15 Reminder. Stretch");
    EXPECT_TRUE(!r.fired && r.sound == SOUND_NONE && missed.reminder.isOn == 0);
    EXPECT_FALSE(missed.tick(24 + 9, 15, 0).showBalloon) << "a day later";
    LocalTime base{2027, 3, 1, 15, 23, 50};
    EXPECT_EQ(reminderEventMinute(base, 0, 15) - minuteNumber(base), 25);  // past midnight
}

static long long march(int day, int hour, int minute) { return minuteNumber(LocalTime{2027, 3, 0, day, hour, minute}); }

TEST(Marks, ASkippedOccurrenceNeitherRingsNorIsMissedOverASleepOrDaylightSavingAndClearsOnceItsDayHasPassed)
{
    Clock sleep(DURATION_ONCE), spring(DURATION_ONCE, 3, 28), autumn(DURATION_ONCE, 10, 31);
    sleep.add(7, 40, "Wake");
    sleep.add(11, 10, "Tea");
    toggleSkipNext(sleep.slots[0], march(15, 7, 0));
    EXPECT_EQ(sleep.slots[0].skipDate, 20270315);
    toggleSkipNext(sleep.slots[1], march(15, 11, 10));  // the next after the minute that rings now
    EXPECT_EQ(sleep.slots[1].skipDate, 20270316);
    toggleSkipNext(sleep.slots[1], march(15, 12, 0));  // pressed again: taken back
    EXPECT_EQ(sleep.slots[1].skipDate, 0);
    sleep.tick(7, 0, 0);
    TickResult r = sleep.tick(11, 20, 0);  // slept over both
    EXPECT_STREQ(r.balloonText, "Tea");
    EXPECT_FALSE(applyTickMarks(sleep.settings->events, r, LocalTime{2027, 3, 1, 15, 11, 20}));  // still its day
    EXPECT_EQ(nextOccurrence(*sleep.settings, sleep.reminder, sleep.ringing, march(15, 11, 20)), march(16, 7, 40));
    r = sleep.tick(24 + 7, 40, 0);
    EXPECT_EQ(text(r), "Wake");
    EXPECT_TRUE(applyTickMarks(sleep.settings->events, r, LocalTime{2027, 3, 2, 16, 7, 40}));
    EXPECT_EQ(sleep.slots[0].skipDate, 0);
    spring.add(2, 30, "Skipped hour");
    spring.slots[0].skipDate = 20270328;
    spring.tick(1, 59, 59);
    r = spring.tick(3, 0, 0);  // UTC went on by a second
    EXPECT_TRUE(!r.showBalloon && r.missedCount == 0);
    EXPECT_EQ(text(spring.tick(24 + 2, 30, 0)), "Skipped hour");
    autumn.add(2, 30, "Twice?");
    autumn.slots[0].skipDate = 20271031;
    autumn.tick(2, 29, 0);
    EXPECT_FALSE(autumn.tick(2, 30, 0).showBalloon);
    autumn.tick(2, 59, 59);
    for (int minute = 0; minute < 60; minute += 10)  // the hour again, UTC an hour on
        EXPECT_FALSE(autumn.tick(2, minute, 0, true, 3600).showBalloon) << minute;
    EXPECT_EQ(text(autumn.tick(24 + 2, 30, 0)), "Twice?");
}

TEST(Marks, OnceComesOnItsNextDateLateOrMissedAndIsThenSwitchedOffAndTheFirstAlarmRingingGivesTheSound)
{
    auto once = [](int day, int month) { return AlarmEvent{1, "Trip", 7, 40, PERIOD_ONCE, {}, day, month}; };
    EXPECT_EQ(nextOccurrenceOf(once(29, 2), march(15, 7, 0)), minuteNumber(LocalTime{2028, 2, 0, 29, 7, 40}));
    EXPECT_EQ(nextOccurrenceOf(once(10, 3), march(15, 7, 0)), minuteNumber(LocalTime{2028, 3, 0, 10, 7, 40}));
    EXPECT_EQ(nextOccurrenceOf(once(15, 3), march(15, 7, 0)), march(15, 7, 40));
    for (auto [minute, rings] : {std::pair{50, true}, {59, false}}) {  // 10 minutes late, then 19
        Clock clock(DURATION_ONCE);
        clock.add(7, 40, "Wake");
        clock.slots[1] = once(15, 3);
        clock.slots[2].hours = -1;
        clock.tick(7, 38, 0);
        TickResult r = clock.tick(7, minute, 0);
        EXPECT_EQ(r.fired, rings);
        EXPECT_EQ(r.missedCount, rings ? 0 : 2);
        ASSERT_EQ(r.switchOffCount, 1);
        EXPECT_EQ(r.switchOff[0], 1);
        EXPECT_TRUE(applyTickMarks(clock.settings->events, r, LocalTime{2027, 3, 1, 15, 7, minute}));
        EXPECT_TRUE(clock.slots[0].isOn && !clock.slots[1].isOn);
        EXPECT_EQ(nextOccurrence(*clock.settings, clock.reminder, clock.ringing, march(15, 8, 0)), march(16, 7, 40));
    }
    Clock clock(DURATION_ONCE);  // the sound: the first alarm in the list that rings gives it
    clock.add(7, 30, "Missed");
    clock.add(7, 50, "Own");
    clock.add(7, 50, "Other");
    std::strcpy(clock.slots[0].sound, "missed.wav");
    std::strcpy(clock.slots[2].sound, "other.wav");
    clock.tick(7, 0, 0);
    EXPECT_STREQ(clock.tick(7, 50, 0).soundFile, "");  // "Own" has none: the Alarm page's
    std::strcpy(clock.slots[1].sound, "own.wav");
    EXPECT_STREQ(clock.tick(24 + 7, 50, 0).soundFile, "own.wav");
    EXPECT_STREQ(firstSoundFile("", "page.wav"), "page.wav");
    EXPECT_TRUE(playsFirstFile(LINK_OWN_FILE, "own.wav") && !playsFirstFile(LINK_CHOSEN_FILE, "own.wav"));
    EXPECT_TRUE(playsFirstFile(LINK_CHOSEN_FILE, ""));
}

TEST(Stop, OnlyWhatRingsStopsAndAStopAskedBeforeAnAlarmDoesNotSilenceIt)
{
    Clock clock(DURATION_THREE_MINUTES);
    clock.add(7, 30, "Up");
    clock.add(7, 31, "Now");
    clock.tick(7, 29, 0);
    requestStop(clock.ringing);  // a click in the second before: nothing rings
    EXPECT_EQ(clock.ringing.stopRequested, 0);
    EXPECT_EQ(clock.tick(7, 30, 0).sound, SOUND_PLAY_LOOPING);
    requestStop(clock.ringing);  // asked while "Up" rings, taken at the tick that starts "Now"
    EXPECT_EQ(clock.tick(7, 31, 0).sound, SOUND_PLAY_LOOPING);
    EXPECT_EQ(clock.ringing.alarmRinging, 1);
    requestStop(clock.ringing);
    EXPECT_EQ(clock.tick(7, 31, 1).sound, SOUND_STOP);
    clock.ringing.pageSoundPlaying = true;  // the Alarm page's Play
    requestStop(clock.ringing);
    EXPECT_EQ(clock.tick(7, 31, 2).sound, SOUND_STOP);
}

TEST(NextAlarm, TheWakeMomentIsTheNextOccurrenceInUtcAfterTheFrontierAcrossDaysYearsAndDaylightSaving)
{
    Clock clock(DURATION_ONCE);
    EXPECT_EQ(nextOccurrence(*clock.settings, clock.reminder, clock.ringing, minuteOf(2027, 3, 26, 8, 0)), NOT_YET);
    clock.add(7, 30, "Weekdays");
    std::fill(clock.slots[0].days + 0, clock.slots[0].days + 7, 0);
    clock.slots[0].days[1] = 1;  // Mondays
    clock.slots[1] = AlarmEvent{1, "", 6, 0, PERIOD_YEAR, {}, 29, 2};
    clock.slots[2].hours = -1;
    long long friday = minuteOf(2027, 3, 26, 8, 0);  // Friday; the Monday after is in summer time
    EXPECT_EQ(nextWakeUtc(*clock.settings, clock.reminder, clock.ringing, friday, zone2027),
              minuteOf(2027, 3, 29, 6, 30) * 60);
    clock.ringing.scannedUpTo = minuteOf(2027, 3, 29, 7, 30);  // the frontier past it (the clock went back)
    EXPECT_EQ(nextOccurrence(*clock.settings, clock.reminder, clock.ringing, minuteOf(2027, 3, 29, 7, 0)),
              minuteOf(2027, 4, 5, 7, 30));
    clock.slots[0].isOn = 0;
    EXPECT_EQ(nextOccurrence(*clock.settings, clock.reminder, clock.ringing, friday), minuteOf(2028, 2, 29, 6, 0));
    clock.reminder.isOn = 1;
    clock.ringing.reminderDue = minuteOf(2027, 3, 26, 9, 0);
    EXPECT_EQ(nextWakeUtc(*clock.settings, clock.reminder, clock.ringing, friday, zone2027), minuteOf(2027, 3, 26, 9, 0) * 60);
    for (long long m = minuteOf(1999, 12, 25, 13, 7); m < minuteOf(2101, 3, 2, 0, 0); m += 1440 * 7 + 61) {
        LocalTime t = timeOfMinute(m);  // the inverse of minuteNumber, with the day of the week
        EXPECT_EQ(minuteNumber(t), m);
        EXPECT_EQ(t.dayOfWeek, (timeOfMinute(minuteOf(2027, 3, 15, 0, 0)).dayOfWeek + (m / 1440 - minuteOf(2027, 3, 15, 0, 0) / 1440) % 7 + 7) % 7);
    }
    EXPECT_EQ(timeOfMinute(minuteOf(2027, 3, 15, 0, 0)).dayOfWeek, 1);  // a Monday
}

static std::vector<std::string> headings(const TickResult& r)
{
    std::vector<std::string> list;
    for (int k = 0; k < r.messageCount; ++k)
        list.push_back(r.messages[k].heading);
    return list;
}

// What rang is snoozed at the second given of its minute, for `minutes`; then the ringing is stopped.
static void snoozeAll(Clock& clock, int hour, int minute, int second, int minutes)
{
    long long utc = zone2027.utcMinuteOf(minuteOf(2027, 3, 15, hour, minute)) * 60 + second;
    for (int k = 0; k < clock.ringing.rangCount; ++k)
        snoozeRecord(*clock.settings, clock.ringing.rang[k], snoozeMoment(utc, minutes));
    requestStop(clock.ringing);
    clock.tick(hour, minute, second);
}

static TickResult tickAndEnd(Clock& clock, int hour, int minute, int second, bool visible = true)
{
    TickResult r = clock.tick(hour, minute, second, visible);
    endRungSnoozes(*clock.settings, r);
    return r;
}

TEST(Snooze, RingsAgainInFullAtTheMinuteItsLengthEndsInByTheCatchUpRulesOnceAndHiddenHoldsOnlyTheAlarms)
{
    Clock clock(DURATION_ONE_MINUTE);
    clock.add(7, 30, "Tea");
    clock.arm("Stretch", 7, 30);
    clock.tick(7, 0, 0);
    clock.tick(7, 30, 0);
    snoozeAll(clock, 7, 30, 20, 5);
    EXPECT_FALSE(tickAndEnd(clock, 7, 34, 59).fired);
    TickResult r = tickAndEnd(clock, 7, 35, 0);
    EXPECT_TRUE(r.fired && r.sound == SOUND_PLAY_LOOPING && r.showBalloon && clock.ringing.rangCount == 2);
    EXPECT_EQ(text(r), "Tea\r\nReminder. Stretch");
    EXPECT_EQ(headings(r), (std::vector<std::string>{"07:30, snoozed", "07:30, snoozed"}));
    EXPECT_EQ(windows(r), (Records{clock.slots, &clock.settings->snoozedReminder}));
    EXPECT_FALSE(tickAndEnd(clock, 7, 35, 1).fired) << "it came, and is over";
    snoozeAll(clock, 7, 35, 5, 10);  // again; 15 minutes late it still rings
    EXPECT_TRUE(tickAndEnd(clock, 8, 0, 0).fired);
    snoozeAll(clock, 8, 0, 5, 10);
    r = tickAndEnd(clock, 8, 25, 1);  // later: shown missed, silent
    EXPECT_TRUE(!r.fired && r.missedCount == 2 && r.sound == SOUND_NONE);
    EXPECT_TRUE(r.messageCount == 0 && std::string(r.missedList.data) == "08:10 Tea\r\n08:10 Reminder. Stretch");
    snoozeAll(clock, 8, 30, 0, 5);
    EXPECT_EQ(windows(tickAndEnd(clock, 8, 35, 0, false)), Records{&clock.settings->snoozedReminder});
    EXPECT_EQ(windows(tickAndEnd(clock, 8, 40, 0)), Records{clock.slots}) << "held while hidden";
}

TEST(Snooze, EditingDeletingOrSwitchingOffItsAlarmEndsItAndTheWakeTimerCoversAWaitingOne)
{
    Clock clock(DURATION_ONCE);
    clock.add(7, 30, "Tea");
    clock.add(7, 30, "Once");
    clock.slots[1].period = PERIOD_ONCE, clock.slots[1].isOn = 0;  // it switched itself off when it came
    const long long moment = minuteOf(2027, 3, 15, 7, 35) * 60;
    snoozeRecord(*clock.settings, RangRecord{false, clock.slots[1]}, moment);
    snoozeRecord(*clock.settings, RangRecord{false, clock.slots[0]}, moment + 60);
    EXPECT_EQ(nextWakeUtc(*clock.settings, clock.reminder, clock.ringing, minuteOf(2027, 3, 15, 7, 31), zone2027), moment);
    const EventTable before = clock.settings->events;
    EventTable after = before;  // rebuilt by the Alarm page, a new alarm first: the snoozes follow their alarms
    after.slots[0] = AlarmEvent{1, "New", 6, 0};
    std::copy(before.slots, before.slots + 3, after.slots + 1);
    for (AlarmEvent& alarm : after.slots)
        alarm.snoozeUtc = 0;
    EventTable kept = after;
    EXPECT_FALSE(carrySnoozes(before, kept));
    EXPECT_TRUE(kept.slots[0].snoozeUtc == 0 && kept.slots[1].snoozeUtc == moment + 60 && kept.slots[2].snoozeUtc == moment);
    // Switched off, edited, deleted: that snooze ends, the other one stays.
    for (auto [change, tea, once] : {std::tuple{+[](EventTable& t) { t.slots[1].isOn = 0; }, 0LL, moment},
                                     {+[](EventTable& t) { t.slots[2].minutes = 31; }, moment + 60, 0LL},
                                     {+[](EventTable& t) { t.slots[1] = t.slots[2], t.slots[2].hours = -1; }, 0LL, moment}}) {
        EventTable changed = after;
        change(changed);
        EXPECT_TRUE(carrySnoozes(before, changed));
        for (int slot = 1; changed.slots[slot].hours != -1; ++slot)
            EXPECT_EQ(changed.slots[slot].snoozeUtc, changed.slots[slot].period == PERIOD_ONCE ? once : tea) << slot;
    }
    int list[SNOOZE_CHOICE_COUNT + 1];
    for (auto [remembered, expected] : {std::pair{10, std::vector{5, 10, 15, 20, 30, 60}}, {7, {5, 7, 10, 15, 20, 30, 60}},
                                        {1, {1, 5, 10, 15, 20, 30, 60}}, {120, {5, 10, 15, 20, 30, 60, 120}}})
        EXPECT_EQ(std::vector(list, list + snoozeChoiceList(remembered, list)), expected) << remembered;
}

// The icon's tip on Monday 15 March 2027 at 08:00, after the alarms and the reminder were set as each case says.
TEST(TrayTip, ShowsWhatRingsNextOverSkipMarksOnceTheReminderAndASnoozeAndIsCutAfterAWholeCharacter)
{
    auto tip = [](Clock& clock, const SnoozedOccurrence* snoozed = nullptr,
                  bool (*lead)(unsigned char) = [](unsigned char) { return false; }) {
        char text[TRAY_TIP_SIZE];
        composeTrayTip("Tockmere", *clock.settings, clock.reminder, clock.ringing, march(15, 8, 0), snoozed, lead, text);
        return std::string(text);
    };
    Clock clock(DURATION_ONCE);
    clock.add(7, 40, "Wake");
    clock.add(11, 10, "Tea");
    clock.slots[0].isOn = clock.slots[1].isOn = 0;
    EXPECT_EQ(tip(clock), "Tockmere");
    clock.slots[0].isOn = clock.slots[1].isOn = 1;
    EXPECT_EQ(tip(clock), "Tockmere\nNext: Mon 11:10 Tea");
    clock.slots[1].skipDate = 20270315;
    EXPECT_EQ(tip(clock), "Tockmere\nNext: Tue 07:40 Wake");
    clock.slots[0].isOn = clock.slots[1].isOn = 0;
    clock.add(6, 0, "");
    clock.slots[2].period = PERIOD_ONCE, clock.slots[2].baseDay = 17, clock.slots[2].baseMonth = 3;
    EXPECT_EQ(tip(clock), "Tockmere\nNext: Wed 06:00");
    clock.arm("Stretch", 9, 15);
    EXPECT_EQ(tip(clock), "Tockmere\nNext: Mon 09:15 Reminder. Stretch");
    SnoozedOccurrence soon{LocalTime{2027, 3, 1, 15, 8, 10}, "Stretch", true}, late{LocalTime{2027, 3, 1, 15, 9, 20}, "Wake"};
    EXPECT_EQ(tip(clock, &soon), "Tockmere\nSnoozed until 08:10 Reminder. Stretch");
    EXPECT_EQ(tip(clock, &late), "Tockmere\nNext: Mon 09:15 Reminder. Stretch");
    std::string wide = "a";  // after "Tockmere\nNext: Mon 09:15 Reminder. ", double-byte characters
    while (wide.size() < 200)
        wide += "\x81\x40";
    std::strcpy(clock.reminder.description, wide.c_str());
    EXPECT_EQ(tip(clock).size(), 127u);
    EXPECT_EQ(tip(clock, nullptr, [](unsigned char byte) { return byte == 0x81; }).size(), 126u);
}
