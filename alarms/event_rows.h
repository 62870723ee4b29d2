#pragma once
// An alarm as a row of the alarm list: the check box and the four column
// texts, in both directions. Reading a row back goes by fixed character
// positions, so text that does not fit the layout is read as far as it goes.
#include "alarms/alarm_event.h"

constexpr int STATE_IMAGE_UNCHECKED = 1;
constexpr int STATE_IMAGE_CHECKED = 2;

struct EventRow {
    int stateImage;                // the check box: STATE_IMAGE_CHECKED when on
    char time[TEXT_SIZE];          // column 1, "07:05"
    char description[TEXT_SIZE];   // column 2
    char periodName[TEXT_SIZE];    // column 3, a periodNames entry
    char periodInfo[TEXT_SIZE];    // column 4, "-+++++-", "07" or "15:03"
};

EventRow eventToRow(const AlarmEvent& event);

// Every field the row does not carry comes back as 0: days except for Day,
// baseDay for Day, baseMonth for Day and Month, and the reminder's fields.
AlarmEvent eventFromRow(const EventRow& row);
