#pragma once
// An alarm as a row of the alarm list: the check box and the four column
// texts, in both directions. Reading a row back goes by fixed character
// positions, so text that does not fit the layout is read as far as it goes.
#include "alarms/alarm_event.h"
#include "app/local_time.h"

constexpr int STATE_IMAGE_UNCHECKED = 1;
constexpr int STATE_IMAGE_CHECKED = 2;

struct EventRow {
    int stateImage;                // the check box: STATE_IMAGE_CHECKED when on
    char time[TEXT_SIZE];          // column 1, "07:05"
    char description[TEXT_SIZE];   // column 2
    char periodName[TEXT_SIZE];    // column 3, a periodNames entry, and a skip mark: "Day, skips 18.3."
    char periodInfo[TEXT_SIZE];    // column 4, "-+++++-", "07" or "15:03"
    char sound[TEXT_SIZE];         // column 5, not shown: the alarm's own wave file
};

EventRow eventToRow(const AlarmEvent& event);

// Every field the row does not carry comes back as 0: days except for Day,
// baseDay for Day, baseMonth for Day and Month, and the reminder's fields.
// The skip mark shows no year: it is the first such date from the day
// before `today` on.
AlarmEvent eventFromRow(const EventRow& row, const LocalTime& today);
