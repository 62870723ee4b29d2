#include "alarms/alarm_marks_win.h"

#include <windows.h>

#include "alarms/alarm_marks.h"
#include "alarms/alarm_page_win.h"
#include "alarms/clock_tick.h"
#include "alarms/snooze.h"
#include "app/app_state.h"
#include "app/local_time_win.h"
#include "settings/settings_win.h"

void carryOutTickMarks(const TickResult& result, const SYSTEMTIME& tickTime)
{
    LocalTime today = toLocalTime(tickTime);
    for (int k = 0; k < result.switchOffCount; ++k)
        switchOffOnAlarmPage(app.events.slots[result.switchOff[k]]);
    bool changed = applyTickMarks(app.events, result, today);
    changed |= endRungSnoozes(app, result);
    // The page's rows may carry marks not applied yet: they pass with the day too.
    if (changed || dateCodeOf(today) != app.tick.markedDay)
        clearPassedSkipsOnAlarmPage(today);
    app.tick.markedDay = dateCodeOf(today);
    if (changed)
        saveSettings(persistedPart(app), app.hwndMain);
}
