// One tick of the clock: when minutes are scanned, what the firing gathers,
// and how long the ringing lasts.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "alarms/clock_tick.h"
#include "calendar_walk.h"

namespace {

// A running clock: its settings, reminder and ringing state, ticked by hand.
struct Clock {
    std::unique_ptr<Settings> settings = std::make_unique<Settings>();
    AlarmEvent reminder{};
    RingingState ringing;
    bool visible = true;

    explicit Clock(int duration = DURATION_ONCE)
    {
        settings->events.slots[0].hours = -1;
        settings->showAlarmDialog = 1;
        settings->alarmDuration = duration;
    }
    void addDaily(int hours, int minutes, const char* description)
    {
        int slot = eventCount(settings->events);
        settings->events.slots[slot] = AlarmEvent{1, "", hours, minutes, PERIOD_DAY, {1, 1, 1, 1, 1, 1, 1}};
        std::strcpy(settings->events.slots[slot].description, description);
        if (slot + 1 < MAX_EVENTS)
            settings->events.slots[slot + 1].hours = -1;
    }
    // 2027-03-15 is a Monday; hour 24 and on is the next day.
    TickResult tickAt(int hour, int minute, int second, int day = 15)
    {
        LocalTime now = calendar::at(2027, 3, day + hour / 24, hour % 24, minute, second);
        return runClockTick(now, visible, *settings, reminder, ringing);
    }
};

std::string text(const TickResult& r) { return std::string(r.alarmText.data, r.alarmText.length); }

}  // namespace

TEST(ClockTick, EachMinuteIsScannedOnceOnItsFirstTickAndMissedMinutesAreNotCaughtUp)
{
    Clock clock;
    clock.addDaily(7, 30, "Tea");
    EXPECT_EQ(clock.tickAt(7, 30, 12).messageCount, 0);  // the first tick mid-minute only marks it
    EXPECT_EQ(clock.tickAt(7, 30, 13).messageCount, 0);
    EXPECT_EQ(clock.ringing.alarmRinging, 0);
    clock.tickAt(7, 29, 59, 16);
    EXPECT_EQ(clock.tickAt(7, 30, 1, 16).messageCount, 1);  // a late timer skipped second 0
    EXPECT_EQ(clock.tickAt(7, 30, 2, 16).messageCount, 0);
    clock.tickAt(7, 29, 30, 17);
    EXPECT_EQ(clock.tickAt(7, 31, 10, 17).messageCount, 0);  // slept over 07:30
    clock.tickAt(7, 29, 59, 18);
    EXPECT_EQ(clock.tickAt(7, 30, 0, 18).messageCount, 1);
    EXPECT_EQ(clock.tickAt(7, 30, 0, 18).messageCount, 0);  // second 0 read twice

    Clock fresh;
    fresh.addDaily(7, 30, "Tea");
    TickResult r = fresh.tickAt(7, 30, 0);  // the first tick at second 0 scans
    ASSERT_EQ(r.messageCount, 1);
    EXPECT_EQ(r.messageRecords[0], &fresh.settings->events.slots[0]);
    EXPECT_EQ(text(r), "Tea");
    EXPECT_TRUE(r.sound == SOUND_PLAY_ONCE && r.showBalloon);
    EXPECT_STREQ(r.balloonText, "Tea");
    EXPECT_EQ(fresh.ringing.alarmRinging, 1);
}

TEST(ClockTick, TextsAreGatheredInFiringOrderWithTheReminderLastAndOnce)
{
    Clock clock(DURATION_THREE_MINUTES);
    clock.addDaily(9, 0, "Stand-up");
    clock.addDaily(8, 0, "Not now");
    clock.addDaily(9, 0, "Call Ann");
    clock.reminder = AlarmEvent{1, "Stretch", 9, 0};
    clock.tickAt(8, 59, 59);
    TickResult r = clock.tickAt(9, 0, 0);
    EXPECT_EQ(text(r), "Stand-up\r\nCall Ann\r\nReminder. Stretch");
    EXPECT_STREQ(r.balloonText, "Stand-up\r\nCall Ann\r\nReminder. Stretch");
    ASSERT_EQ(r.messageCount, 3);
    EXPECT_EQ(r.messageRecords[1], &clock.settings->events.slots[2]);
    EXPECT_EQ(r.messageRecords[2], &clock.reminder);
    EXPECT_EQ(r.sound, SOUND_PLAY_LOOPING);
    EXPECT_EQ(clock.reminder.isOn, 0);
    clock.tickAt(9, 0, 59, 16);
    EXPECT_EQ(text(clock.tickAt(9, 0, 0, 17)), "Stand-up\r\nCall Ann");

    // Between two texts an empty one keeps its line break; alone it still
    // rings, and the balloon shows the time.
    Clock quiet;
    quiet.settings->showAlarmDialog = 0;
    quiet.addDaily(7, 0, "A");
    quiet.addDaily(7, 0, "");
    quiet.addDaily(7, 0, "B");
    quiet.addDaily(8, 0, "");
    quiet.tickAt(6, 59, 59);
    r = quiet.tickAt(7, 0, 0);
    EXPECT_EQ(text(r), "A\r\n\r\nB");
    EXPECT_EQ(r.messageCount, 0);  // no message windows unless asked
    quiet.tickAt(7, 59, 59);
    r = quiet.tickAt(8, 0, 0);
    EXPECT_TRUE(r.sound == SOUND_PLAY_ONCE && r.showBalloon && quiet.ringing.alarmRinging == 1);
    EXPECT_STREQ(r.balloonText, "08:00");

    // The balloon takes 255 characters; the message windows get it all.
    Clock wordy;
    wordy.addDaily(7, 0, std::string(200, 'a').c_str());
    wordy.addDaily(7, 0, std::string(200, 'b').c_str());
    r = wordy.tickAt(7, 0, 0);
    EXPECT_EQ(r.alarmText.length, 402);
    EXPECT_EQ(std::string(r.balloonText), std::string(200, 'a') + "\r\n" + std::string(53, 'b'));
}

TEST(ClockTick, HiddenWindowFiresOnlyTheReminderAndTheScanEndsAtTheMarkerOrAHundredSlots)
{
    Clock hidden;
    hidden.visible = false;
    hidden.addDaily(7, 0, "Tea");
    hidden.reminder = AlarmEvent{1, "Go", 7, 0};
    TickResult r = hidden.tickAt(7, 0, 0);
    EXPECT_EQ(text(r), "Reminder. Go");
    EXPECT_TRUE(r.messageCount == 1 && r.messageRecords[0] == &hidden.reminder && hidden.reminder.isOn == 0);

    Clock marked;
    marked.addDaily(7, 0, "before");
    marked.settings->events.slots[2] = marked.settings->events.slots[0];  // behind the marker
    EXPECT_EQ(text(marked.tickAt(7, 0, 0)), "before");

    Clock full;
    for (int i = 0; i < MAX_EVENTS; ++i)
        full.addDaily(i == MAX_EVENTS - 1 ? 7 : 6, 0, i == MAX_EVENTS - 1 ? "last" : "x");
    r = full.tickAt(7, 0, 0);
    EXPECT_EQ(text(r), "last");
    EXPECT_EQ(r.messageRecords[0], &full.settings->events.slots[MAX_EVENTS - 1]);
}

// Each duration: the ticks after the firing (hour, minute, second), the
// sound each reports, and whether it still rings after the last one.
TEST(ClockTick, RingingLastsAsLongAsTheDurationSays)
{
    const struct {
        const char* what;
        int duration, hour, minute;
        std::vector<std::array<int, 4>> ticks;  // hour, minute, second, sound
    } cases[] = {
        {"once ends at second 7, the sound plays out", DURATION_ONCE, 7, 0,
         {{7, 0, 6, SOUND_NONE}, {7, 0, 7, SOUND_NONE}}},
        {"one minute, second 0 of the next skipped", DURATION_ONE_MINUTE, 7, 0,
         {{7, 0, 7, SOUND_NONE}, {7, 0, 59, SOUND_NONE}, {7, 1, 1, SOUND_STOP}}},
        {"three minutes over the hour", DURATION_THREE_MINUTES, 6, 58,
         {{6, 59, 0, SOUND_NONE}, {7, 0, 0, SOUND_NONE}, {7, 1, 0, SOUND_STOP}}},
        {"three minutes mid-hour", DURATION_THREE_MINUTES, 7, 10,
         {{7, 11, 0, SOUND_NONE}, {7, 12, 0, SOUND_NONE}, {7, 13, 0, SOUND_STOP}}},
        {"three minutes over midnight (hour 24 is the next day)", DURATION_THREE_MINUTES, 23, 58,
         {{23, 59, 0, SOUND_NONE}, {24, 0, 0, SOUND_NONE}, {24, 1, 0, SOUND_STOP}}},
        {"one minute, the clock set on by an hour", DURATION_ONE_MINUTE, 7, 0, {{8, 0, 5, SOUND_STOP}}},
        {"three minutes, the clock set on past the end", DURATION_THREE_MINUTES, 7, 10,
         {{7, 11, 0, SOUND_NONE}, {8, 40, 30, SOUND_STOP}}},
        {"three minutes, the clock set back: the minute rung still counts", DURATION_THREE_MINUTES, 7, 10,
         {{7, 11, 0, SOUND_NONE}, {6, 50, 30, SOUND_NONE}, {6, 51, 0, SOUND_NONE}, {6, 52, 0, SOUND_STOP}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Clock clock(c.duration);
        clock.addDaily(c.hour, c.minute, "Tea");
        EXPECT_EQ(clock.tickAt(c.hour, c.minute, 0).sound,
                  c.duration == DURATION_ONCE ? SOUND_PLAY_ONCE : SOUND_PLAY_LOOPING);
        for (const auto& tick : c.ticks) {
            EXPECT_EQ(clock.ringing.alarmRinging, 1) << tick[1] << ":" << tick[2];
            EXPECT_EQ(clock.tickAt(tick[0], tick[1], tick[2]).sound, tick[3]) << tick[1] << ":" << tick[2];
        }
        EXPECT_EQ(clock.ringing.alarmRinging, 0);
        EXPECT_EQ(clock.ringing.stopRequested, 0);
    }
}

TEST(ClockTick, StopRequestsAndNewFiringsWhileRinging)
{
    Clock looping(DURATION_THREE_MINUTES);
    looping.addDaily(7, 0, "Tea");
    looping.tickAt(7, 0, 0);
    for (int second = 3; second < 5; ++second) {  // the user's Stop, then while idle e.g. the page's test sound
        looping.ringing.stopRequested = 1;
        EXPECT_EQ(looping.tickAt(7, 0, second).sound, SOUND_STOP);
        EXPECT_TRUE(looping.ringing.alarmRinging == 0 && looping.ringing.stopRequested == 0);
    }
    EXPECT_EQ(looping.tickAt(7, 0, 5).sound, SOUND_NONE);

    Clock clock(DURATION_THREE_MINUTES);
    clock.addDaily(7, 0, "first");
    clock.addDaily(7, 2, "second");
    clock.tickAt(7, 0, 0);
    EXPECT_EQ(clock.tickAt(7, 2, 0).sound, SOUND_PLAY_LOOPING);  // restarts the duration
    EXPECT_EQ(clock.tickAt(7, 3, 0).sound, SOUND_NONE);  // not the first alarm's end
    EXPECT_EQ(clock.tickAt(7, 4, 0).sound, SOUND_NONE);
    EXPECT_EQ(clock.tickAt(7, 5, 0).sound, SOUND_STOP);
}
