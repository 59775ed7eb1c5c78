#include "view/layout.h"

#include "calendar/dates.h"
#include "settings/options.h"
#include "view/dpi.h"
#include "view/fonts.h"

namespace {
ViewLayout layout = {base_dpi, false, 0, 0, {}, {}, {}};
TEXTMETRICW last_metrics;

}  // namespace

SIZE outer_size_for_client(HWND window, SIZE client) { return outer_size_at_dpi(window, client, layout.dpi); }

ViewLayout* view_layout() { return &layout; }

RECT to_rect(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

int measure_cell_size(HWND window, HFONT font)
{
    last_metrics = font_metrics(window, font);
    int cell = cell_size_from_metrics(last_metrics.tmHeight, last_metrics.tmAveCharWidth);
    layout.cell_width = layout.cell_height = cell;
    return cell;
}

SIZE calendar_view_size(HWND window)
{
    const bool year_view = options()->year_mode != 0;
    int cell = measure_cell_size(window, year_view ? year_view_font() : month_view_font());
    return outer_size_for_client(window, SIZE{view_client_width(year_view, cell), view_client_height(year_view, cell)});
}

void set_caption_boxes(HWND window)
{
    const bool year_view = options()->year_mode != 0;
    const int cell = layout.cell_width;
    RECT client;
    GetClientRect(window, &client);
    layout.year_box = to_rect(year_box_for(year_view, client.right, client.bottom, cell));
    layout.clock_rect = to_rect(clock_box_for(year_view, client.right, client.bottom, cell));
    layout.month_box = to_rect(month_box_for_month_view(client.right, client.bottom, cell));
}

HitResult hit_test(long x, long y)
{
    const int cell = layout.cell_width;
    const DateRecord* shown = display_date();
    HitResult hit = {hit_nothing, shown->month, 0, 0};
    int block = 0;
    if (options()->year_mode) {
        block = month_block_at(x, y, cell);
        hit.month = block;
    }
    int position = cell_at(block, x, y, cell);
    if (position >= 0) {
        uint8_t day = cell_day_table()[block][position];
        if (day == empty_cell) return hit;
        hit.kind = hit_day;
        hit.day = day;
        hit.weekday = position % 7;
        return hit;
    }
    const RECT& year = layout.year_box;
    const RECT& caption = layout.month_box;
    if (box_contains(Box{year.left, year.top, year.right, year.bottom}, x, y))
        hit.kind = hit_year_caption;
    else if (block == 0 && box_contains(Box{caption.left, caption.top, caption.right, caption.bottom}, x, y))
        hit.kind = hit_month_caption;
    else if (int column = weekday_header_at(block, x, y, cell))
        hit.kind = hit_day + column;
    return hit;
}

RECT selected_day_cell()
{
    DateRecord shown = *display_date();
    const int first = compute_first_weekday(&shown);
    const int last = days_in_month(shown.year, shown.month);
    const int day = shown.day > last ? last : shown.day;
    const int month = options()->year_mode ? shown.month : 0;
    return to_rect(day_cell_box(month, first + day - 1, layout.cell_width));
}

bool step_display(HWND window, bool by_year, bool forward)
{
    RECT area;
    GetClientRect(window, &area);
    area.top = layout.cell_height;
    DateRecord* shown = display_date();
    int year = shown->year;
    int month = shown->month;
    const bool year_changed = step_year_month(year, month, by_year, forward);
    shown->year = static_cast<int16_t>(year);
    shown->month = static_cast<int8_t>(month);
    InvalidateRect(window, &area, TRUE);
    compute_first_weekday(shown);
    return year_changed;
}
