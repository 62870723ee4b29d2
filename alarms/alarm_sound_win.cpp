#include "alarms/alarm_sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include "app/app_state.h"

namespace {

constexpr UINT_PTR BEEP_TIMER_ID = 2;  // its own procedure: the clock's tick never sees it
constexpr UINT BEEP_EVERY_MS = 1000;
constexpr UINT SIMPLE_BEEP = 0xFFFFFFFF;

bool opensAsPlayableWave(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    static unsigned char bytes[WAVE_PROBE_BYTES];
    DWORD read = 0;
    BOOL ok = ReadFile(file, bytes, sizeof bytes, &read, NULL);
    CloseHandle(file);
    return ok && isPlayableWave(bytes, read);
}

void programSoundPath(char (&path)[MAX_PATH])
{
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 12) {
        path[0] = 0;
        return;
    }
    char* name = const_cast<char*>(fileNameOf(path));
    lstrcpyA(name, "rooster.wav");
}

// The file of the current scheme's default sound; empty under "No Sounds".
void systemDefaultPath(char (&path)[MAX_PATH])
{
    path[0] = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return;
    char value[MAX_PATH] = "";
    DWORD type = 0, size = sizeof value - 1;
    if (RegQueryValueExA(key, NULL, NULL, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ))
        ExpandEnvironmentStringsA(value, path, MAX_PATH);
    RegCloseKey(key);
}

bool playFile(const char* path, bool loop)
{
    return opensAsPlayableWave(path) &&
           PlaySoundA(path, NULL, SND_FILENAME | SND_NODEFAULT | SND_ASYNC | (loop ? SND_LOOP : 0)) != FALSE;
}

void CALLBACK beepAgain(HWND, UINT, UINT_PTR, DWORD)
{
    MessageBeep(SIMPLE_BEEP);
}

}  // namespace

SoundLink playAlarmSound(const char* chosenPath, bool loop, const char* ownPath)
{
    stopAlarmSound();
    if (ownPath && ownPath[0] && playFile(ownPath, loop))
        return LINK_OWN_FILE;
    char program[MAX_PATH], systemDefault[MAX_PATH];
    programSoundPath(program);
    systemDefaultPath(systemDefault);
    // Each link is tried only when the one before could not be played.
    bool chosen = playFile(chosenPath, loop);
    bool own = !chosen && playFile(program, loop);
    SoundLink link = firstPlayableLink(chosen, own, !chosen && !own && playFile(systemDefault, loop));
    if (link == LINK_BEEP) {
        MessageBeep(SIMPLE_BEEP);
        if (loop)
            SetTimer(app.hwndMain, BEEP_TIMER_ID, BEEP_EVERY_MS, beepAgain);
    }
    return link;
}

void stopAlarmSound()
{
    KillTimer(app.hwndMain, BEEP_TIMER_ID);
    PlaySoundA(NULL, NULL, 0);
}
