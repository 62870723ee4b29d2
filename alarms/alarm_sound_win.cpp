#include "alarms/alarm_sound_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

#include "app/app_state.h"
#include "app/timer_ids.h"

namespace {

constexpr UINT BEEP_EVERY_MS = 1000;
constexpr UINT SIMPLE_BEEP = 0xFFFFFFFF;

// The open file, read where the wave check asks.
struct OpenWaveFile : WaveFile {
    HANDLE handle;
    explicit OpenWaveFile(HANDLE file) : handle(file) {}
    bool readAt(std::uint32_t offset, void* bytes, std::uint32_t count) override
    {
        LARGE_INTEGER at{};
        at.QuadPart = offset;
        DWORD read = 0;
        return SetFilePointerEx(handle, at, NULL, FILE_BEGIN) && ReadFile(handle, bytes, count, &read, NULL) &&
               read == count;
    }
};

// Whether this machine can play the format: PlaySound itself reports a wave
// file whose format no codec here plays as played, and plays nothing.
bool formatPlaysHere(const WaveFormat& format)
{
    union {
        WAVEFORMATEX header;
        unsigned char bytes[WAVE_FORMAT_MAX_SIZE];
    } asked;
    std::memcpy(asked.bytes, format.bytes, sizeof asked.bytes);
    return waveOutOpen(NULL, WAVE_MAPPER, &asked.header, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

bool opensAsPlayableWave(const char* path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // A RIFF file ends within 4 GiB; a larger one is walked that far.
    LARGE_INTEGER size{};
    bool known = GetFileSizeEx(file, &size) != FALSE;
    std::uint32_t walked = size.QuadPart > 0xFFFFFFFF ? 0xFFFFFFFF : static_cast<std::uint32_t>(size.QuadPart);
    OpenWaveFile wave(file);
    WaveFormat format;
    bool playable = known && readWaveFormat(wave, walked, format) && formatPlaysHere(format);
    CloseHandle(file);
    return playable;
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
            SetTimer(app.hwndMain, BEEP_TIMER_ID, BEEP_EVERY_MS, beepAgain);  // its own procedure: no tick
    }
    return link;
}

void stopAlarmSound()
{
    KillTimer(app.hwndMain, BEEP_TIMER_ID);
    PlaySoundA(NULL, NULL, 0);
}
