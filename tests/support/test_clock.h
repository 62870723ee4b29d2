#pragma once
// Moves the clock of every program started by the harness (the test itself
// and the programs it starts) through the tests' clock file: the preloaded
// shifter adds the offset in nanoseconds written there to the realtime clock,
// and reads the file again at most every 20 ms.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testclock {

constexpr DWORD SETTLE_MS = 40;

inline std::string clockFilePath()  // on drive Z:, where Wine maps the Linux root
{
    std::string path = std::getenv("TOCKMERE_CLOCK_FILE") ? std::string("Z:") + std::getenv("TOCKMERE_CLOCK_FILE") : "";
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

// Written whole and then renamed, so that no shifter reads half a file.
// The wait is not Sleep: Wine's Sleep measures on the realtime clock, and
// a Sleep that meets the clock set back would wait that much longer.
inline bool writeOffset(long long offsetNs, DWORD settleMs)
{
    std::string path = clockFilePath(), written = path + ".new";
    FILE* f = path.empty() ? nullptr : std::fopen(written.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "%lld\n", offsetNs);
    std::fclose(f);
    bool moved = MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    WaitForSingleObject(GetCurrentProcess(), settleMs);  // signalled only when this process ends
    // As Windows tells every window when the time is set.
    SendMessageTimeoutA(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    return moved;
}

// Sets the local time of this process and its children to `target` now;
// false when the harness gave no clock file.
inline bool setLocalTime(const SYSTEMTIME& target, DWORD settleMs = SETTLE_MS)
{
    long long offsetNs = 0;
    if (FILE* f = clockFilePath().empty() ? nullptr : std::fopen(clockFilePath().c_str(), "rb")) {
        offsetNs = std::fscanf(f, "%lld", &offsetNs) == 1 ? offsetNs : 0;
        std::fclose(f);
    }
    FILETIME local, utc, shiftedNow;
    SystemTimeToFileTime(&target, &local);
    LocalFileTimeToFileTime(&local, &utc);
    GetSystemTimeAsFileTime(&shiftedNow);
    auto ticks = [](const FILETIME& t) { return (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return writeOffset((ticks(utc) - ticks(shiftedNow)) * 100 + offsetNs, settleMs);
}

inline void useRealTime()  // for the tests that follow
{
    writeOffset(0, SETTLE_MS);
}

inline SYSTEMTIME makeTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st{static_cast<WORD>(year), static_cast<WORD>(month), 0,   static_cast<WORD>(day),
                  static_cast<WORD>(hour), static_cast<WORD>(minute), static_cast<WORD>(second), 0};
    FILETIME ft;  // lets Windows work out the day of the week
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);
    return st;
}

}  // namespace testclock
