#include "alarms/clock_tick_win.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>

#include "alarms/clock_tick.h"
#include "alarms/message_window_win.h"
#include "alarms/tick_timing.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "app/struct_sizes_win.h"
#include "face/face_painter_win.h"
#include "res/resource.h"

namespace {

// What timer 1 repeats at now; 0 until it is first set.
unsigned armedInterval = 0;

void openMessageWindows(const TickResult& result)
{
    for (int k = 0; k < result.messageCount; ++k)
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MESSAGE), app.hwndMain, AlarmMessageWindow,
                           reinterpret_cast<LPARAM>(result.messageRecords[k]));
}

// wavePath is passed without SND_FILENAME, so a name the system knows as a
// sound alias would play that alias instead.
void performSound(SoundAction sound)
{
    switch (sound) {
    case SOUND_PLAY_ONCE:
        PlaySoundA(app.wavePath, nullptr, SND_ASYNC);
        break;
    case SOUND_PLAY_LOOPING:
        PlaySoundA(app.wavePath, nullptr, SND_ASYNC | SND_LOOP);
        break;
    case SOUND_STOP:
        PlaySoundA(nullptr, nullptr, 0);
        break;
    case SOUND_NONE:
        break;
    }
}

void showBalloon(const char* text)
{
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFY_ICON_DATA_SIZE;
    icon.hWnd = app.hwndMain;
    icon.uID = TRAY_ICON_ID;
    icon.uFlags = NIF_INFO;
    int length = lstrlenA(text);
    lstrcpynA(icon.szInfo, text, length + 1 < BALLOON_TEXT_SIZE ? length + 1 : BALLOON_TEXT_SIZE);
    lstrcpynA(icon.szInfoTitle, BALLOON_TITLE, sizeof icon.szInfoTitle);
    icon.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &icon);
}

}  // namespace

void clockTick()
{
    GetLocalTime(&app.tickTime);
    bool visible = IsWindowVisible(app.hwndMain) != FALSE;
    TickResult result = runClockTick(toLocalTime(app.tickTime), visible, app, app.reminder, app.ringing);

    openMessageWindows(result);
    performSound(result.sound);
    if (result.showBalloon)
        showBalloon(result.balloonText);
    // Most seconds change nothing on the face (without seconds shown, 59 in
    // 60): those are not painted.
    invalidateChangedFace();
    armClockTimer();
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
