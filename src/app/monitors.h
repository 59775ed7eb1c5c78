// The rule that keeps the main window on a monitor, on plain rectangles in
// virtual-screen coordinates. Portable, so it is tested natively.
#pragma once
#include <vector>

#include "view/layout_math.h"

// A monitor as the system lists it: its whole area, the part of it left
// free by taskbars and docked bars, and whether it is the primary one.
struct MonitorArea {
    Box bounds;
    Box work;
    bool primary;
};

// Where a window that lies on no monitor goes: a drag or a window brought
// back goes to the nearest one; a stored position whose monitor is gone
// (detached, or a damaged position) goes to the primary one.
enum OffMonitorRule { to_nearest_monitor, to_primary_monitor };

// The index of the monitor the window lies on most; when it lies on none,
// the one the rule names. -1 for an empty list.
int monitor_for_window(const std::vector<MonitorArea>& monitors, const Box& window, OffMonitorRule rule);

// The window moved (never resized) into the work area of that monitor; a
// window larger than the work area sticks to its left and top edges. An
// empty list leaves it where it is.
Box hold_on_monitors(const std::vector<MonitorArea>& monitors, const Box& window, OffMonitorRule rule);
