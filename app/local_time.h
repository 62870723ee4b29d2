#pragma once
// The local time as the clock reads it: the fields of a Win32 SYSTEMTIME,
// kept here so the portable code never needs <windows.h>. The same fields
// hold a UTC time where one is named so.
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

// The minutes from a fixed day to the minute of a time, so that two of them
// subtract to the minutes between, across days, months and years.
long long minuteNumber(const LocalTime& time);

// The seconds from the same fixed day: minuteNumber * 60 + second.
long long secondNumber(const LocalTime& time);

// The time (with its day of the week) that minuteNumber gives `minute` for.
LocalTime timeOfMinute(long long minute);

// The local time zone's rules, kept in the glue so the core's tests can play
// daylight-saving days in both directions.
struct ZoneRules {
    // The first UTC minute (minuteNumber of the UTC time) at which the local
    // clock reads `localMinute` (minuteNumber of the local time) or later: a
    // minute of the hour the spring change skips gives the change itself
    // (the first minute after the gap), one of the hour the autumn change
    // repeats gives its first pass.
    virtual long long utcMinuteOf(long long localMinute) const = 0;

protected:
    ~ZoneRules() = default;
};
