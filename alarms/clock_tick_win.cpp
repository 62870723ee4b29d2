#include "alarms/clock_tick_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "alarms/alarm_marks_win.h"
#include "alarms/alarm_sound_win.h"
#include "alarms/clock_tick.h"
#include "alarms/message_window_win.h"
#include "alarms/missed_window_win.h"
#include "alarms/next_alarm.h"
#include "alarms/tick_timing.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "app/struct_sizes_win.h"
#include "app/tray_icon_win.h"
#include "face/face_layout_win.h"
#include "face/face_painter_win.h"
#include "res/resource.h"

namespace {

// The local time zone as Windows knows it, for the wake timer's due time and
// an alarm's lateness. TzSpecificLocalTimeToSystemTime does not document the
// two cases ZoneRules defines. It takes every local time from the spring
// change up to the autumn change as daylight time (measured under Wine): a
// minute of the repeated hour comes out as its first pass, as ZoneRules
// asks, but one inside the spring gap as a moment before the change (02:30
// as 00:30 UTC where the change is at 01:00 UTC), which reads back as
// another minute. Such a minute is moved to the change, the first UTC minute
// that reads it or later, found between the moments its two offsets give.
// Should a Windows give the second pass of a repeated hour, the minute an
// hour earlier reads the same and is taken instead.
struct WindowsZone : ZoneRules {
    static long long convert(long long minute, bool fromLocal)
    {
        SYSTEMTIME in = toSystemTime(timeOfMinute(minute)), out;
        BOOL done = fromLocal ? TzSpecificLocalTimeToSystemTime(NULL, &in, &out)
                              : SystemTimeToTzSpecificLocalTime(NULL, &in, &out);
        return done ? minuteNumber(toLocalTime(out)) : minute;
    }
    long long utcMinuteOf(long long localMinute) const override
    {
        long long utc = convert(localMinute, true), reading = convert(utc, false);
        if (reading == localMinute)
            return convert(utc - 60, false) == localMinute ? utc - 60 : utc;
        long long other = utc + localMinute - reading;  // by the other offset
        long long before = utc < other ? utc : other, after = utc + other - before;
        while (after - before > 1) {  // before reads earlier than localMinute, after not
            long long middle = before + (after - before) / 2;
            (convert(middle, false) < localMinute ? before : after) = middle;
        }
        return after;
    }
};

// One waitable timer, made on first use; where the computer cannot be woken
// it is just a timer nobody waits on.
HANDLE wakeTimerHandle()
{
    TickGlue& glue = app.tick;
    if (!glue.wakeTimer)
        glue.wakeTimer = CreateWaitableTimerA(NULL, TRUE, NULL);
    return glue.wakeTimer;
}

// Set with resume for the UTC second `due`, or cancelled for NOT_YET.
void setWakeTimerTo(long long due)
{
    HANDLE timer = wakeTimerHandle();
    if (!timer)
        return;
    if (due == NOT_YET) {
        CancelWaitableTimer(timer);
        return;
    }
    SYSTEMTIME at = toSystemTime(timeOfMinute(due / 60));
    FILETIME file;
    SystemTimeToFileTime(&at, &file);
    LARGE_INTEGER when;
    when.LowPart = file.dwLowDateTime;
    when.HighPart = static_cast<LONG>(file.dwHighDateTime);
    SetWaitableTimer(timer, &when, 0, NULL, NULL, TRUE);
}

// The next occurrence's UTC moment, worked out once in each local `minute`
// unless asked `anew` (the alarms or the clock changed); the timer is set
// only when that moment moved.
void updateWakeTimer(long long minute, bool anew)
{
    TickGlue& glue = app.tick;
    if (!anew && minute == glue.wakeWorkedOutAt)
        return;
    glue.wakeWorkedOutAt = minute;
    long long due = nextWakeUtc(app, app.reminder, app.ringing, minute, WindowsZone{});
    if (!anew && due == glue.wakeSetFor)
        return;
    glue.wakeSetFor = due;
    setWakeTimerTo(due);
}

// While an alarm rings the system and the display stay on.
void keepAwakeWhileRinging()
{
    bool ringing = app.ringing.alarmRinging == 1;
    if (ringing == app.tick.keptAwake)
        return;
    app.tick.keptAwake = ringing;
    SetThreadExecutionState(ringing ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

// One window per record that rang, and one listing all that was missed.
void openMessageWindows(const TickResult& result)
{
    for (int k = 0; k < result.messageCount; ++k)
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), app.hwndMain, AlarmMessageWindow,
                           reinterpret_cast<LPARAM>(&result.messages[k]));
    if (result.missedList.length != 0)
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MISSED_ALARMS), app.hwndMain, MissedAlarmsWindow,
                           reinterpret_cast<LPARAM>(&result.missedList));
}

// Plays down the chain from the first ringing alarm's own file or the chosen
// one; a file that could not be played is named in the balloon.
void playSound(TickResult& result)
{
    SoundLink link = playAlarmSound(app.wavePath, result.sound == SOUND_PLAY_LOOPING, result.soundFile);
    if (playsFirstFile(link, result.soundFile))
        return;
    char notice[SOUND_NOTICE_SIZE];
    formatUnplayableNotice(firstSoundFile(result.soundFile, app.wavePath), notice);
    appendBalloonLine(result.balloonText, sizeof result.balloonText, notice);
}

void performSound(TickResult& result)
{
    if (result.sound == SOUND_STOP)
        stopAlarmSound();
    else if (result.sound != SOUND_NONE)
        playSound(result);
}

void showBalloon(const TickResult& result)
{
    if (!result.showBalloon)
        return;
    const char* title = result.balloonTitle;
    const char* text = result.balloonText;
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFY_ICON_DATA_SIZE;
    icon.hWnd = app.hwndMain;
    icon.uID = TRAY_ICON_ID;
    icon.uFlags = NIF_INFO;
    int length = lstrlenA(text);
    lstrcpynA(icon.szInfo, text, length + 1 < BALLOON_TEXT_SIZE ? length + 1 : BALLOON_TEXT_SIZE);
    lstrcpynA(icon.szInfoTitle, title, sizeof icon.szInfoTitle);
    icon.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &icon);
}

// A face whose text now measures differently is laid out; most seconds
// change nothing on it (without seconds shown, 59 in 60): those are not
// painted.
void repaintChangedFace()
{
    followFaceText(app.tickTime);
    invalidateChangedFace(app.tickTime);
}

// The core decides from one reading of the clocks; each step performs a part
// of what it decided.
void tick(bool anew)
{
    GetLocalTime(&app.tickTime);
    bool visible = IsWindowVisible(app.hwndMain) != FALSE || app.fullScreen.hidden;
    TickResult result = runClockTick(toLocalTime(app.tickTime), utcSecondNow(), WindowsZone{}, visible, app, app.reminder, app.ringing);

    carryOutTickMarks(result, app.tickTime);
    openMessageWindows(result);
    performSound(result);
    showBalloon(result);
    keepAwakeWhileRinging();
    updateWakeTimer(minuteNumber(toLocalTime(app.tickTime)), anew);
    refreshTrayTip(minuteNumber(toLocalTime(app.tickTime)), anew);
    repaintChangedFace();
    armClockTimer();
}

}  // namespace

void clockTick()
{
    tick(false);
}

void clockTickAfterClockChange()
{
    tick(true);
}

void refreshWakeTimer()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    updateWakeTimer(minuteNumber(toLocalTime(now)), true);
    refreshTrayTip(minuteNumber(toLocalTime(now)), true);
}

void armClockTimer()
{
    // Read after the tick's work, so the time that work took is not added.
    SYSTEMTIME now;
    GetLocalTime(&now);
    unsigned interval = timerToSet(toLocalTime(now), needsEverySecond(app, app.ringing), app.tick.armedInterval);
    if (interval == 0)
        return;
    SetTimer(app.hwndMain, CLOCK_TIMER_ID, interval, NULL);
    app.tick.armedInterval = interval;
}
