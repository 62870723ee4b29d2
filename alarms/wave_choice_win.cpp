#include "alarms/wave_choice_win.h"

#include <commdlg.h>

#include "alarms/alarm_sound.h"
#include "alarms/alarm_sound_win.h"
#include "app/app_state.h"

bool chooseWaveFile(HWND owner, char (&file)[TEXT_SIZE])
{
    file[0] = 0;
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.hInstance = app.hInstance;
    open.lpstrFilter = "Wave file (*.wav)\0*.wav\0";
    open.nFilterIndex = 0;
    open.lpstrFile = file;
    open.nMaxFile = TEXT_SIZE;
    open.lpstrTitle = "Please select a wave file";
    open.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER |
                 OFN_ENABLESIZING;
    return GetOpenFileNameA(&open) != FALSE;
}

void tryWaveFile(HWND owner, const char* chosenPath, const char* ownPath)
{
    SoundLink link = playAlarmSound(chosenPath, false, ownPath);
    app.ringing.pageSoundPlaying = true;
    if (playsFirstFile(link, ownPath))
        return;
    char notice[PLAY_NOTICE_SIZE];
    formatPlayNotice(firstSoundFile(ownPath, chosenPath), link, notice);
    MessageBoxA(owner, notice, app.caption, MB_ICONINFORMATION);
}
