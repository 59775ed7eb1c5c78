#include "app/monitors.h"

namespace {
long long overlap(long a_start, long a_end, long b_start, long b_end)
{
    long long start = a_start > b_start ? a_start : b_start;
    long long end = a_end < b_end ? a_end : b_end;
    return end > start ? end - start : 0;
}

long long shared_area(const Box& a, const Box& b)
{
    return overlap(a.left, a.right, b.left, b.right) * overlap(a.top, a.bottom, b.top, b.bottom);
}

// The gap between two spans along one axis, 0 when they meet.
double gap(long a_start, long a_end, long b_start, long b_end)
{
    if (a_end < b_start) return static_cast<double>(b_start) - a_end;
    if (b_end < a_start) return static_cast<double>(a_start) - b_end;
    return 0;
}

double squared_distance(const Box& a, const Box& b)
{
    double across = gap(a.left, a.right, b.left, b.right);
    double down = gap(a.top, a.bottom, b.top, b.bottom);
    return across * across + down * down;
}

int nearest_monitor(const std::vector<MonitorArea>& monitors, const Box& window)
{
    int best = 0;
    for (int i = 1; i < static_cast<int>(monitors.size()); ++i)
        if (squared_distance(monitors[i].bounds, window) < squared_distance(monitors[best].bounds, window)) best = i;
    return best;
}

int primary_monitor(const std::vector<MonitorArea>& monitors)
{
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i)
        if (monitors[i].primary) return i;
    return 0;
}

// [start, start + length) moved inside [low, high); a longer span sticks
// to low.
long held_start(long start, long length, long low, long high)
{
    if (start < low) start = low;
    if (static_cast<long long>(start) + length > high) start = high - length > low ? high - length : low;
    return start;
}
}  // namespace

int monitor_for_window(const std::vector<MonitorArea>& monitors, const Box& window, OffMonitorRule rule)
{
    if (monitors.empty()) return -1;
    int best = -1;
    long long best_area = 0;
    for (int i = 0; i < static_cast<int>(monitors.size()); ++i) {
        long long area = shared_area(monitors[i].bounds, window);
        if (area > best_area) {
            best = i;
            best_area = area;
        }
    }
    if (best >= 0) return best;
    return rule == to_nearest_monitor ? nearest_monitor(monitors, window) : primary_monitor(monitors);
}

Box hold_on_monitors(const std::vector<MonitorArea>& monitors, const Box& window, OffMonitorRule rule)
{
    int index = monitor_for_window(monitors, window, rule);
    if (index < 0) return window;
    const Box& work = monitors[index].work;
    const long width = window.right - window.left;
    const long height = window.bottom - window.top;
    Box held = window;
    held.left = held_start(window.left, width, work.left, work.right);
    held.top = held_start(window.top, height, work.top, work.bottom);
    held.right = held.left + width;
    held.bottom = held.top + height;
    return held;
}
