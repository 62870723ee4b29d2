#pragma once
// One alarm, the table of 100 of them, and the period codes.

constexpr int MAX_EVENTS = 100;
constexpr int TEXT_SIZE = 260;  // fixed ANSI buffers: 259 characters and a NUL

// Once rings on the next date with its base day and month, then switches itself off.
enum AlarmPeriod { PERIOD_DAY = 0, PERIOD_MONTH = 1, PERIOD_QUARTER = 2, PERIOD_YEAR = 3, PERIOD_ONCE = 4 };
constexpr int PERIOD_COUNT = 5;

// Also the layout of the reminder, which uses the last four fields.
struct AlarmEvent {
    int isOn;
    char description[TEXT_SIZE];
    int hours;  // -1 in a table slot marks the end of the table
    int minutes;
    int period;
    int days[7];  // Sunday first
    int baseDay;
    int baseMonth;
    int baseHours;
    int baseMinutes;
    int periodHours;
    int periodMinutes;
    int skipDate;            // the local date (yyyymmdd) of an occurrence that does not ring; 0: none
    char sound[TEXT_SIZE];   // the alarm's own wave file; empty: the Alarm page's
    // The UTC second (secondNumber) at which a snoozed occurrence rings
    // again; 0: not snoozed.
    long long snoozeUtc;
};

// The first slot whose hours is -1 ends the table; a full table has no marker.
struct EventTable {
    AlarmEvent slots[MAX_EVENTS];
};

// Number of occupied slots (0..100).
int eventCount(const EventTable& table);

extern const char periodNames[PERIOD_COUNT][100];
extern const int monthLengths[12];

bool isLeapYear(int year);
// Days in the given month (1..12) of the given year.
int daysInMonth(int year, int month);
