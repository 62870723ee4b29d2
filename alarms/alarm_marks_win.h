#pragma once
// Carries out what a tick leaves to the table's owner (alarms/alarm_marks.h)
// on the running program's table, and on the Alarm page's rows while it is
// open, so an Apply there does not bring back what the tick changed. A
// change is saved at once, so a crash cannot switch a Once alarm back on.
#include <windows.h>

struct TickResult;

void carryOutTickMarks(const TickResult& result, const SYSTEMTIME& tickTime);
