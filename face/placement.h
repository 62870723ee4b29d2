#pragma once
// Which monitor the clock belongs to, where it goes to stay in sight, and
// whether a window covers that monitor whole, over the monitors Windows
// reports (each with its work area and DPI).
#include <vector>

#include "face/face_geometry.h"

struct MonitorArea {
    ScreenRect bounds;  // the whole monitor
    ScreenRect work;    // without the taskbar and the other bars docked on it
    bool primary;
    int dpi;
};

// The monitor holding the largest part of `window` (the first of equals);
// for a window on no monitor (one unplugged, a place saved on another
// layout), the primary one, else the first. Null only when there is none.
const MonitorArea* homeMonitor(const std::vector<MonitorArea>& monitors, const ScreenRect& window);

// The keep-on-screen rule: a window wholly on its home monitor's work area
// stays; any other goes to its home monitor's default corner.
bool mustMoveOnScreen(const std::vector<MonitorArea>& monitors, const ScreenRect& window);

// `window` covers the whole of the clock's home monitor, taskbar included:
// a full-screen program there. A maximised window covers the work area only.
bool coversHomeMonitor(const std::vector<MonitorArea>& monitors, const ScreenRect& clock, const ScreenRect& window);
