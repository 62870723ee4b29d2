#pragma once
// The Alarm page of the settings sheet (template 134): the alarm list, the
// wave file, how long it rings and whether a message window shows. While
// the page is open the alarms live in its list; Apply or OK rebuilds
// `events` from the rows, so Cancel discards every change made here.
#include <windows.h>

#include "alarms/alarm_editor_win.h"
#include "app/local_time.h"
#include "settings/settings.h"

// How the page opens the editor; it exists as long as the program.
extern EditorRequest editorRequest;

INT_PTR CALLBACK AlarmPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The duration radios, the wave path and "Show message box", both ways.
void fillAlarmOptions(HWND page, const Settings& settings);
void readAlarmOptions(HWND page, Settings* settings);

// While the page is open its rows are the alarms an Apply keeps, so what the
// clock's tick changes in the table is made in the rows too: a Once alarm
// that came is switched off in its row, and marks whose date has passed go.
void switchOffOnAlarmPage(const AlarmEvent& alarm);
void clearPassedSkipsOnAlarmPage(const LocalTime& today);
