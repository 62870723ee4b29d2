#pragma once
// The alarm list's rows: a report-style list view with check boxes and five
// columns (check box, Time, Description, Period, Period info).
#include <windows.h>

#include "alarms/alarm_event.h"

void insertEventRow(HWND list, int index, AlarmEvent event);
void readEventRow(HWND list, int index, AlarmEvent* event);
// Index of the first selected row, -1 when none is selected.
int findSelectedRow(HWND list);
