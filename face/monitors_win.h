#pragma once
// The monitors as Windows lays them out now, for the placement rules.
#include <windows.h>

#include <vector>

#include "face/placement.h"

ScreenRect screenRectOf(const RECT& r);
ScreenRect windowRectOf(HWND window);

// Every monitor with its work area, primary flag and DPI; never empty (the
// desktop stands in should the enumeration fail).
std::vector<MonitorArea> displayMonitors();
