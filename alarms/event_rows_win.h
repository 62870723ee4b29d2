#pragma once
// The alarm list's rows: a report-style list view with check boxes and five
// columns (check box, Time, Description, Period, Period info) and a sixth of
// no width that carries the alarm's own wave file.
#include <windows.h>

#include "alarms/alarm_event.h"

void insertEventRow(HWND list, int index, AlarmEvent event);
void readEventRow(HWND list, int index, AlarmEvent* event);
// Rewrites a row's check box and texts with the event.
void updateEventRow(HWND list, int index, const AlarmEvent& event);
// Index of the first selected row, -1 when none is selected.
int findSelectedRow(HWND list);
