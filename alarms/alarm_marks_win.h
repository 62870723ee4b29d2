#pragma once
// Carries out what a tick leaves to the table's owner (alarms/alarm_marks.h)
// on the running program's table, and on the Alarm page's rows while it is
// open, so an Apply there does not bring back what the tick changed.
struct TickResult;

void carryOutTickMarks(const TickResult& result);
