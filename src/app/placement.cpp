// Where the main window stands and how big it is: one routine re-applies
// everything after a change of what is shown, and the window is held on
// the work area of its monitor at the stored place of its display mode.
#include <windows.h>

#include <vector>

#include "app/behaviour.h"
#include "app/day_tooltips.h"
#include "app/menu.h"
#include "app/monitors.h"
#include "app/shell.h"
#include "settings/options.h"
#include "view/layout.h"
#include "view/small_display.h"

namespace {
Box to_box(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK add_monitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
            MonitorArea{to_box(info.rcMonitor), to_box(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

// The monitors attached now; the primary screen alone when the system
// lists none.
std::vector<MonitorArea> attached_monitors()
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, add_monitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        Box screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        monitors.push_back(MonitorArea{screen, screen, true});
    }
    return monitors;
}

// Holds the rectangle on its monitor and stores its top-left for the
// current mode. Nonzero when it moved.
int hold_on_monitor(RECT& rect, OffMonitorRule rule)
{
    const RECT before = rect;
    rect = to_rect(hold_on_monitors(attached_monitors(), to_box(rect), rule));
    store_mode_position(POINT{rect.left, rect.top});
    return rect.left != before.left || rect.top != before.top;
}

POINT stored_position()
{
    const OptionsRecord* o = options();
    if (o->small_mode) return POINT{o->small_left, o->small_top};
    return o->year_mode ? POINT{o->year_left, o->year_top} : POINT{o->month_left, o->month_top};
}
}  // namespace

void refresh_layout(MainWindow& main_window)
{
    prepare_glyphs(module_instance, main_window.view);
    restart_clock_timer(main_window, options()->show_time);
    apply_title_style(main_window.window);
    refresh_menu(main_window);
    resize_for_mode(main_window);
}

void resize_for_mode(MainWindow& main_window)
{
    HWND window = main_window.window;
    if (options()->small_mode) {
        place_on_screen(window, stored_position(), small_display_size(window, main_window.view));
    } else {
        SIZE size = calendar_view_size(window, main_window.view);
        place_view_tools(main_window);
        place_on_screen(window, stored_position(), size);
        set_caption_boxes(window, main_window.view.layout);
    }
    InvalidateRect(window, nullptr, TRUE);
}

void store_mode_position(POINT position)
{
    OptionsRecord* o = options();
    if (o->small_mode) {
        o->small_left = position.x;
        o->small_top = position.y;
    } else if (o->year_mode) {
        o->year_left = position.x;
        o->year_top = position.y;
    } else {
        o->month_left = position.x;
        o->month_top = position.y;
    }
}

void place_on_screen(HWND window, POINT stored, SIZE size)
{
    // A damaged Option.bin may hold any 32-bit position: keep the sums
    // below from overflowing; a place on no monitor goes to the primary.
    const LONG far_off = 1 << 20;
    auto held = [far_off](LONG value) { return value < -far_off ? -far_off : value > far_off ? far_off : value; };
    RECT rect = {held(stored.x), held(stored.y), 0, 0};
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    hold_on_monitor(rect, to_primary_monitor);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int clamp_to_screen(HWND, RECT& rect) { return hold_on_monitor(rect, to_nearest_monitor); }
