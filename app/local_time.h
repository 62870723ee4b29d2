#pragma once
// The local time as the clock reads it: the fields of a Win32 SYSTEMTIME,
// kept here so the portable code never needs <windows.h>.
struct LocalTime {
    int year = 0;
    int month = 0;      // 1..12
    int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    int day = 0;        // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};
