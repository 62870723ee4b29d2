#include "face/placement.h"

namespace {

long long areaOf(const ScreenRect& r)
{
    return isEmptyRect(r) ? 0 : static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

bool contains(const ScreenRect& outer, const ScreenRect& inner)
{
    return intersectRects(inner, outer) == inner;
}

}  // namespace

const MonitorArea* homeMonitor(const std::vector<MonitorArea>& monitors, const ScreenRect& window)
{
    const MonitorArea* home = nullptr;
    long long largest = 0;
    for (const MonitorArea& monitor : monitors) {
        long long shared = areaOf(intersectRects(window, monitor.bounds));
        if (shared > largest)
            home = &monitor, largest = shared;
    }
    if (home)
        return home;
    for (const MonitorArea& monitor : monitors)
        if (monitor.primary)
            return &monitor;
    return monitors.empty() ? nullptr : &monitors.front();
}

bool mustMoveOnScreen(const std::vector<MonitorArea>& monitors, const ScreenRect& window)
{
    const MonitorArea* home = homeMonitor(monitors, window);
    return home && !contains(home->work, window);
}

bool coversHomeMonitor(const std::vector<MonitorArea>& monitors, const ScreenRect& clock, const ScreenRect& window)
{
    const MonitorArea* home = homeMonitor(monitors, clock);
    return home && contains(window, home->bounds);
}
