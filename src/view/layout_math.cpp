#include "view/layout_math.h"

#include <algorithm>

#include "calendar/dates.h"

int cell_size_from_metrics(int text_height, int average_char_width)
{
    int height = text_height + 2;
    int width = average_char_width * 36 / 10;
    return height > width ? height : width;
}

int view_client_width(bool year_view, int cell)
{
    return (year_view ? year_view_cells_across : month_view_cells_across) * cell;
}

int view_client_height(bool year_view, int cell)
{
    return (year_view ? year_view_cells_down : month_view_cells_down) * cell;
}

Box year_box_for(bool year_view, long right, long bottom, int cell)
{
    if (year_view) return Box{right - 2 * cell, bottom - cell, right, bottom};
    return Box{right - 3 * cell, bottom - cell, right - cell, bottom};
}

Box clock_box_for(bool year_view, long right, long bottom, int cell)
{
    if (year_view) return Box{right - 4 * cell, bottom - cell, right - 2 * cell, bottom};
    return Box{right - 5 * cell, bottom - cell, right - 3 * cell, bottom};
}

Box month_box_for_month_view(long right, long bottom, int cell) { return Box{right - cell, bottom - cell, right, bottom}; }

long block_left(int month, int cell) { return static_cast<long>((month - 1) % 4) * block_span * cell; }
long block_top(int month, int cell) { return static_cast<long>((month - 1) / 4) * block_span * cell; }

bool box_contains(const Box& box, long x, long y)
{
    return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
}

int month_block_at(long x, long y, int cell)
{
    for (int month = 1; month <= 12; ++month) {
        Box block = {block_left(month, cell), block_top(month, cell), block_left(month, cell) + block_span * cell,
                     block_top(month, cell) + block_span * cell};
        if (box_contains(block, x, y)) return month;
    }
    return 1;
}

long day_rows_left(int month, int cell) { return month == 0 ? 0 : block_left(month, cell); }
long day_rows_top(int month, int cell) { return month == 0 ? cell : block_top(month, cell) + 2L * cell; }

int cell_at(int month, long x, long y, int cell)
{
    long left = day_rows_left(month, cell);
    long top = day_rows_top(month, cell);
    for (int i = 0; i < 38; ++i) {
        long cell_left = left + (i % 7) * cell;
        long cell_top = top + (i / 7) * cell;
        if (box_contains(Box{cell_left, cell_top, cell_left + cell, cell_top + cell}, x, y)) return i;
    }
    return -1;
}

int weekday_header_at(int month, long x, long y, int cell)
{
    long left = month == 0 ? 0 : block_left(month, cell);
    long top = month == 0 ? 0 : block_top(month, cell) + cell;
    if (!box_contains(Box{left, top, left + 7L * cell, top + cell}, x, y)) return 0;
    for (int k = 1; k <= 6; ++k)
        if (x <= left + static_cast<long>(k) * cell) return k;
    return 7;
}

bool step_year_month(int& year, int& month, bool by_year, bool forward)
{
    bool year_changed = by_year;
    if (by_year) {
        year += forward ? 1 : -1;
    } else {
        month += forward ? 1 : -1;
        if (month < 1) {
            month = 12;
            --year;
            year_changed = true;
        } else if (month > 12) {
            month = 1;
            ++year;
            year_changed = true;
        }
    }
    if (year < first_calendar_year) year = last_calendar_year;
    if (year > last_calendar_year) year = first_calendar_year;
    return year_changed;
}

bool step_day(int& year, int& month, int& day, int days)
{
    const int first_year = year;
    const int last = days_in_month(year, month);
    day = (day > last ? last : day) + days;
    while (day < 1) {
        step_year_month(year, month, false, false);
        day += days_in_month(year, month);
    }
    for (int length = days_in_month(year, month); day > length; length = days_in_month(year, month)) {
        day -= length;
        step_year_month(year, month, false, true);
    }
    return year != first_year;
}

Box day_cell_box(int month, int position, int cell)
{
    long left = day_rows_left(month, cell) + static_cast<long>(position % 7) * cell;
    long top = day_rows_top(month, cell) + static_cast<long>(position / 7) * cell;
    return Box{left, top, left + cell, top + cell};
}

Extent smallest_within(Extent wanted, Extent floor, const Box& work)
{
    const long width = std::min(wanted.width, work.right - work.left);
    const long height = std::min(wanted.height, work.bottom - work.top);
    return Extent{std::max(width, floor.width), std::max(height, floor.height)};
}

int cell_size_with_amounts(int cell, int number_height, int amount_height, int amount_width)
{
    return std::max({cell, number_height + amount_height + 2, amount_width + 4});
}

int period_line_height(int text_height) { return text_height + 4; }

Box period_line_box(long right, long bottom, int line_height) { return Box{0, bottom - line_height, right, bottom}; }

Box day_number_box(const Box& cell, int amount_height)
{
    return Box{cell.left, cell.top, cell.right, cell.bottom - amount_height - 1};
}

Box day_amount_box(const Box& cell, int amount_height)
{
    return Box{cell.left, cell.bottom - amount_height - 2, cell.right, cell.bottom - 1};
}
