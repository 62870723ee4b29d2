#include "alarms/clock_tick_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "alarms/alarm_marks_win.h"
#include "alarms/alarm_sound_win.h"
#include "alarms/clock_tick.h"
#include "alarms/message_window_win.h"
#include "alarms/next_alarm.h"
#include "alarms/tick_timing.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "app/struct_sizes_win.h"
#include "face/face_painter_win.h"
#include "res/resource.h"

namespace {

// The local time zone as Windows knows it, for the wake timer's due time.
struct WindowsZone : ZoneRules {
    long long utcMinuteOf(long long localMinute) const override
    {
        SYSTEMTIME local = toSystemTime(timeOfMinute(localMinute)), utc;
        if (!TzSpecificLocalTimeToSystemTime(NULL, &local, &utc))
            return localMinute;
        return minuteNumber(toLocalTime(utc));
    }
};

HANDLE wakeTimer;
long long wakeSetFor = NOT_YET;
long long wakeWorkedOutAt = NOT_YET;  // the local minute it was last worked out in
bool keptAwake;

long long utcNow()
{
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    return secondNumber(toLocalTime(utc));
}

// One waitable timer, set with resume for the next occurrence's UTC moment;
// where the computer cannot be woken it is just a timer nobody waits on.
void setWakeTimer(bool anew)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    long long minute = minuteNumber(toLocalTime(now));
    if (!anew && minute == wakeWorkedOutAt)
        return;
    wakeWorkedOutAt = minute;
    long long due = nextWakeUtc(app, app.reminder, app.ringing, minute, WindowsZone{});
    if (!anew && due == wakeSetFor)
        return;
    wakeSetFor = due;
    if (!wakeTimer)
        wakeTimer = CreateWaitableTimerA(NULL, TRUE, NULL);
    if (!wakeTimer)
        return;
    if (due == NOT_YET) {
        CancelWaitableTimer(wakeTimer);
        return;
    }
    SYSTEMTIME at = toSystemTime(timeOfMinute(due / 60));
    FILETIME file;
    SystemTimeToFileTime(&at, &file);
    LARGE_INTEGER when;
    when.LowPart = file.dwLowDateTime;
    when.HighPart = static_cast<LONG>(file.dwHighDateTime);
    SetWaitableTimer(wakeTimer, &when, 0, NULL, NULL, TRUE);
}

// While an alarm rings the system and the display stay on.
void keepAwakeWhileRinging()
{
    bool ringing = app.ringing.alarmRinging == 1;
    if (ringing == keptAwake)
        return;
    keptAwake = ringing;
    SetThreadExecutionState(ringing ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
}

// What timer 1 repeats at now; 0 until it is first set.
unsigned armedInterval = 0;

void openMessageWindows(const TickResult& result)
{
    for (int k = 0; k < result.messageCount; ++k)
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), app.hwndMain, AlarmMessageWindow,
                           reinterpret_cast<LPARAM>(&result.messages[k]));
}

// Plays down the chain from the first ringing alarm's own file or the chosen
// one; a file that could not be played is named in the balloon.
void performSound(TickResult& result)
{
    switch (result.sound) {
    case SOUND_PLAY_ONCE:
    case SOUND_PLAY_LOOPING:
        if (!playsFirstFile(playAlarmSound(app.wavePath, result.sound == SOUND_PLAY_LOOPING, result.soundFile),
                            result.soundFile)) {
            char notice[SOUND_NOTICE_SIZE];
            formatUnplayableNotice(firstSoundFile(result.soundFile, app.wavePath), notice);
            appendBalloonLine(result.balloonText, sizeof result.balloonText, notice);
        }
        break;
    case SOUND_STOP:
        stopAlarmSound();
        break;
    case SOUND_NONE:
        break;
    }
}

void showBalloon(const char* title, const char* text)
{
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

void tick(bool anew)
{
    GetLocalTime(&app.tickTime);
    bool visible = IsWindowVisible(app.hwndMain) != FALSE;
    TickResult result = runClockTick(toLocalTime(app.tickTime), utcNow(), visible, app, app.reminder, app.ringing);

    carryOutTickMarks(result);
    openMessageWindows(result);
    performSound(result);
    if (result.showBalloon)
        showBalloon(result.balloonTitle, result.balloonText);
    keepAwakeWhileRinging();
    setWakeTimer(anew);
    // Most seconds change nothing on the face (without seconds shown, 59 in
    // 60): those are not painted.
    invalidateChangedFace();
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
    setWakeTimer(true);
}

void armClockTimer()
{
    // Read after the tick's work, so the time that work took is not added.
    SYSTEMTIME now;
    GetLocalTime(&now);
    unsigned interval = timerToSet(toLocalTime(now), needsEverySecond(app, app.ringing), armedInterval);
    if (interval == 0)
        return;
    SetTimer(app.hwndMain, CLOCK_TIMER_ID, interval, NULL);
    armedInterval = interval;
}
