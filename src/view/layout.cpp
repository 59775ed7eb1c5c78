#include "view/layout.h"

#include <algorithm>

#include "calendar/dates.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/dpi.h"
#include "view/fonts.h"

SIZE outer_size_for_client(HWND window, const ViewLayout& layout, SIZE client)
{
    return outer_size_at_dpi(window, client, layout.dpi);
}

RECT to_rect(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

int measure_cell_size(HWND window, HFONT font, ViewLayout& layout)
{
    const TEXTMETRICW metrics = font_metrics(window, font);
    int cell = cell_size_from_metrics(metrics.tmHeight, metrics.tmAveCharWidth);
    layout.cell_width = layout.cell_height = cell;
    return cell;
}

namespace {
// With amounts: the month view's cells grow to hold a day's amount under
// its number; both views gain the line under the grid.
int make_room_for_amounts(HWND window, const CalendarView& view, bool year_view, ViewLayout& layout, int cell)
{
    layout.line_height = layout.amount_height = 0;
    if (!show_amounts()) return cell;
    const HFONT small = year_view ? view.fonts.year_amounts : view.fonts.month_amounts;
    const TEXTMETRICW metrics = font_metrics(window, small);
    layout.amount_height = metrics.tmHeight;
    layout.line_height = period_line_height(metrics.tmHeight);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, small);
    for (int i = 0; i < amount_glyph_count; ++i) {
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(amount_glyphs + i), 1, &size);
        layout.amount_glyph_widths[i] = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    if (year_view) return cell;
    // A day's usual amounts stay whole (up to ±99,999); larger ones fall
    // back to 万, whose widest form must fit too.
    const int widest = std::max(amount_glyphs_width(u"\u221299,999", layout.amount_glyph_widths),
                                amount_glyphs_width(u"\u221299.9万", layout.amount_glyph_widths));
    const TEXTMETRICW number = font_metrics(window, view.fonts.month);
    cell = cell_size_with_amounts(cell, number.tmHeight, metrics.tmHeight, widest);
    layout.cell_width = layout.cell_height = cell;
    return cell;
}
}  // namespace

SIZE calendar_view_size(HWND window, CalendarView& view)
{
    const bool year_view = options()->year_mode != 0;
    int cell = measure_cell_size(window, year_view ? view.fonts.year : view.fonts.month, view.layout);
    cell = make_room_for_amounts(window, view, year_view, view.layout, cell);
    return outer_size_for_client(
        window, view.layout,
        SIZE{view_client_width(year_view, cell), view_client_height(year_view, cell) + view.layout.line_height});
}

void set_caption_boxes(HWND window, ViewLayout& layout)
{
    const bool year_view = options()->year_mode != 0;
    const int cell = layout.cell_width;
    RECT client;
    GetClientRect(window, &client);
    client.bottom -= layout.line_height;  // the captions sit on the grid, above the line
    layout.year_box = to_rect(year_box_for(year_view, client.right, client.bottom, cell));
    layout.clock_rect = to_rect(clock_box_for(year_view, client.right, client.bottom, cell));
    layout.month_box = to_rect(month_box_for_month_view(client.right, client.bottom, cell));
}

HitResult hit_test(const CalendarView& view, long x, long y)
{
    const ViewLayout& layout = view.layout;
    const int cell = layout.cell_width;
    HitResult hit = {hit_nothing, view.shown.month, 0, 0};
    int block = 0;
    if (options()->year_mode) {
        block = month_block_at(x, y, cell);
        hit.month = block;
    }
    int position = cell_at(block, x, y, cell);
    if (position >= 0) {
        MonthGrid grid;
        fill_month_grid(grid, view.shown.year, block == 0 ? view.shown.month : block);
        uint8_t day = grid[position];
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

RECT selected_day_cell(const CalendarView& view)
{
    const CalendarDay& shown = view.shown;
    const int first = weekday_of(shown.year, shown.month, 1);
    const int last = days_in_month(shown.year, shown.month);
    const int day = shown.day > last ? last : shown.day;
    const int month = options()->year_mode ? shown.month : 0;
    return to_rect(day_cell_box(month, first + day - 1, view.layout.cell_width));
}

bool step_display(HWND window, CalendarView& view, bool by_year, bool forward)
{
    RECT area;
    GetClientRect(window, &area);
    area.top = view.layout.cell_height;
    const bool year_changed = step_year_month(view.shown.year, view.shown.month, by_year, forward);
    InvalidateRect(window, &area, TRUE);
    return year_changed;
}
