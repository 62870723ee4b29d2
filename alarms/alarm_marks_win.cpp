#include "alarms/alarm_marks_win.h"

#include <windows.h>

#include "alarms/alarm_marks.h"
#include "alarms/alarm_page_win.h"
#include "alarms/clock_tick.h"
#include "app/app_state.h"
#include "app/local_time_win.h"

namespace {

int markedDay;  // the date the page's marks were last looked at

}  // namespace

void carryOutTickMarks(const TickResult& result)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime today = toLocalTime(now);
    for (int k = 0; k < result.switchOffCount; ++k)
        switchOffOnAlarmPage(app.events.slots[result.switchOff[k]]);
    bool changed = applyTickMarks(app.events, result, today);
    // The page's rows may carry marks not applied yet: they pass with the day too.
    if (changed || dateCodeOf(today) != markedDay)
        clearPassedSkipsOnAlarmPage(today);
    markedDay = dateCodeOf(today);
}
