#include "view/layout.h"

#include "app/behaviour.h"
#include "app/menu.h"
#include "app/shell.h"
#include "calendar/dates.h"
#include "dialogs/tooltips.h"
#include "ledger/year_ledger.h"
#include "settings/options.h"
#include "view/fonts.h"
#include "view/small_display.h"

namespace {
ViewLayout layout;
TEXTMETRICW last_metrics;

int caption_height() { return options()->no_title_bar ? 0 : GetSystemMetrics(SM_CYCAPTION); }

// Sizes the window for a calendar view at its stored place, on the screen.
void place_view(HWND window, bool year_view, int cell, POINT position)
{
    place_on_screen(window, position, view_outer_width(year_view, cell, frame_width()),
                    view_outer_height(year_view, cell, frame_height(), caption_height()));
}

void set_caption_boxes(HWND window, bool year_view, int cell)
{
    RECT client;
    GetClientRect(window, &client);
    layout.year_box = to_rect(year_box_for(year_view, client.right, client.bottom, cell));
    layout.clock_rect = to_rect(clock_box_for(year_view, client.right, client.bottom, cell));
}

POINT point(long x, long y) { return POINT{x, y}; }
}  // namespace

int frame_width() { return 2 * (GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXDLGFRAME)); }
int frame_height() { return 2 * (GetSystemMetrics(SM_CYEDGE) + GetSystemMetrics(SM_CYDLGFRAME)); }

ViewLayout* view_layout() { return &layout; }

RECT to_rect(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

int measure_cell_size(HWND window, HFONT font)
{
    last_metrics = font_metrics(window, font);
    int cell = cell_size_from_metrics(last_metrics.tmHeight, last_metrics.tmAveCharWidth);
    layout.cell_width = layout.cell_height = cell;
    return cell;
}

void refresh_layout()
{
    restart_clock_timer(main_window, options()->show_time);
    apply_title_style(main_window);
    refresh_menu();
    resize_for_mode(main_window);
}

void resize_for_mode(HWND window)
{
    const OptionsRecord* o = options();
    if (o->small_mode)
        size_small_display(window);
    else
        size_calendar_view(window);
    InvalidateRect(window, nullptr, TRUE);
}

void place_view_tools()
{
    const int cell = layout.cell_width;
    if (!options()->year_mode) {
        place_day_tools(0, point(0, cell), cell);
        return;
    }
    for (int month = 1; month <= 12; ++month)
        place_day_tools(month - 1, point(day_rows_left(month, cell), day_rows_top(month, cell)), cell);
}

void size_calendar_view(HWND window)
{
    const OptionsRecord* o = options();
    const bool year_view = o->year_mode != 0;
    int cell = measure_cell_size(window, year_view ? year_view_font() : month_view_font());
    place_view_tools();
    POINT position = year_view ? POINT{o->year_left, o->year_top} : POINT{o->month_left, o->month_top};
    place_view(window, year_view, cell, position);
    set_caption_boxes(window, year_view, cell);
}

int hit_test(long x, long y)
{
    const int cell = layout.cell_width;
    DateRecord* shown = display_date();
    int month = 0;
    if (options()->year_mode) {
        month = month_block_at(x, y, cell);
        shown->month = static_cast<int8_t>(month);
        compute_first_weekday(shown);
    }
    int position = cell_at(month, x, y, cell);
    if (position >= 0) {
        uint8_t day = cell_day_table()[month][position];
        if (day == empty_cell) return hit_nothing;
        shown->day = static_cast<int8_t>(day);
        shown->weekday = static_cast<int8_t>(position % 7);
        return hit_day;
    }
    const RECT& year = layout.year_box;
    if (box_contains(Box{year.left, year.top, year.right, year.bottom}, x, y)) return hit_year_caption;
    const RECT& caption = layout.month_box;
    if (month == 0 && box_contains(Box{caption.left, caption.top, caption.right, caption.bottom}, x, y))
        return hit_month_caption;
    int column = weekday_header_at(month, x, y, cell);
    return column > 0 ? hit_day + column : hit_nothing;
}

void step_display(HWND window, bool by_year, bool forward)
{
    RECT area;
    GetClientRect(window, &area);
    area.top = layout.cell_height;
    DateRecord* shown = display_date();
    int year = shown->year;
    int month = shown->month;
    if (step_year_month(year, month, by_year, forward)) load_year(year + 1900);
    shown->year = static_cast<int16_t>(year);
    shown->month = static_cast<int8_t>(month);
    InvalidateRect(window, &area, TRUE);
    compute_first_weekday(shown);
}
