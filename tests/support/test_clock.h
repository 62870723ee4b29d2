#pragma once
// Moves the clock of every program started by the harness (the test itself
// and the programs it starts) through the tests' clock file: the preloaded
// shifter adds the offset written there to the realtime clock.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testclock {

inline std::string clockFilePath()
{
    const char* unixPath = std::getenv("TOCKMERE_CLOCK_FILE");
    if (!unixPath)
        return {};
    // Wine maps the Linux root to drive Z:.
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

inline long long currentOffsetNs()
{
    std::string path = clockFilePath();
    FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    long long offset = 0;
    if (std::fscanf(f, "%lld", &offset) != 1)
        offset = 0;
    std::fclose(f);
    return offset;
}

inline long long fileTimeOf(const FILETIME& ft)
{
    return (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The shifter reads the file again at most every 20 ms.
constexpr DWORD SETTLE_MS = 40;

// Sets the local time of this process and its children to `target` now,
// then gives the shifters `settleMs` to take it up.
// Returns false when the harness gave no clock file.
inline bool setLocalTime(const SYSTEMTIME& target, DWORD settleMs = SETTLE_MS)
{
    std::string path = clockFilePath();
    if (path.empty())
        return false;
    FILETIME localTarget, utcTarget, nowShifted;
    SystemTimeToFileTime(&target, &localTarget);
    LocalFileTimeToFileTime(&localTarget, &utcTarget);
    GetSystemTimeAsFileTime(&nowShifted);
    long long realNow100ns = fileTimeOf(nowShifted) - currentOffsetNs() / 100;
    long long offsetNs = (fileTimeOf(utcTarget) - realNow100ns) * 100;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::fprintf(f, "%lld\n", offsetNs);
    std::fclose(f);
    Sleep(settleMs);
    return true;
}

// Back to the real time, for the tests that follow.
inline void useRealTime()
{
    std::string path = clockFilePath();
    if (FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "wb")) {
        std::fputs("0\n", f);
        std::fclose(f);
        Sleep(SETTLE_MS);
    }
}

inline SYSTEMTIME makeTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    // Let Windows work out the day of the week.
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);
    return st;
}

}  // namespace testclock
