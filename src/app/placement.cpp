// Where the main window stands and how big it is: one routine re-applies
// everything after a change of what is shown, and the window is held on
// the screen at the stored place of its display mode.
#include <windows.h>

#include "app/behaviour.h"
#include "app/day_tooltips.h"
#include "app/menu.h"
#include "app/shell.h"
#include "settings/options.h"
#include "view/layout.h"
#include "view/small_display.h"

namespace {
// Moves [start, start + length) inside [0, limit); a span longer than the
// limit sticks to 0. Nonzero when it moved.
int clamp_span(LONG& start, LONG length, LONG limit)
{
    int moved = 0;
    if (start < 0) {
        start = 0;
        moved = 1;
    }
    if (static_cast<long long>(start) + length > limit) {
        start = limit - length > 0 ? limit - length : 0;
        moved = 1;
    }
    return moved;
}

POINT stored_position()
{
    const OptionsRecord* o = options();
    if (o->small_mode) return POINT{o->small_left, o->small_top};
    return o->year_mode ? POINT{o->year_left, o->year_top} : POINT{o->month_left, o->month_top};
}
}  // namespace

void refresh_layout()
{
    restart_clock_timer(main_window, options()->show_time);
    apply_title_style(main_window);
    refresh_menu();
    resize_for_mode(main_window);
}

void resize_for_mode(HWND window)
{
    if (options()->small_mode) {
        place_on_screen(window, stored_position(), small_display_size(window));
    } else {
        SIZE size = calendar_view_size(window);
        place_view_tools();
        place_on_screen(window, stored_position(), size);
        set_caption_boxes(window);
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
    // below from overflowing; clamp_to_screen does the rest.
    const LONG far_off = 1 << 20;
    auto held = [far_off](LONG value) { return value < -far_off ? -far_off : value > far_off ? far_off : value; };
    RECT rect = {held(stored.x), held(stored.y), 0, 0};
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    clamp_to_screen(window, rect);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int clamp_to_screen(HWND, RECT& rect)
{
    const LONG width = rect.right - rect.left;
    const LONG height = rect.bottom - rect.top;
    int moved = clamp_span(rect.left, width, GetSystemMetrics(SM_CXSCREEN));
    moved |= clamp_span(rect.top, height, GetSystemMetrics(SM_CYSCREEN));
    store_mode_position(POINT{rect.left, rect.top});
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return moved;
}
