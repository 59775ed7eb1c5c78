// The arithmetic of the calendar's layout on plain values: cell size,
// window size, caption boxes, locators and stepping the shown month.
// Portable, so it is tested natively.
#pragma once

struct Box {
    long left;
    long top;
    long right;
    long bottom;
};

struct Extent {
    long width;
    long height;
};

// A window's smallest size held to its monitor's work area: what it wants,
// no larger than the work area, never below the floor its controls need.
Extent smallest_within(Extent wanted, Extent floor, const Box& work);

enum HitKind {
    hit_nothing = 0,
    hit_year_caption = 1,
    hit_month_caption = 2,
    hit_day = 3,
    hit_weekday_first = 4,  // 4..10: Sunday..Saturday header
    hit_weekday_last = 10,
};

enum {
    month_view_cells_across = 7,
    month_view_cells_down = 7,
    year_view_cells_across = 31,
    year_view_cells_down = 24,
    block_span = 8,  // a month block of the one-year view: 7 cells and a gap
};

// Square cells from the font's text metrics.
int cell_size_from_metrics(int text_height, int average_char_width);

// Client size of a view: its cells, S pixels square; the frame lies
// around them.
int view_client_width(bool year_view, int cell);
int view_client_height(bool year_view, int cell);

// Caption boxes anchored to the client's bottom-right corner.
Box year_box_for(bool year_view, long client_right, long client_bottom, int cell);
Box clock_box_for(bool year_view, long client_right, long client_bottom, int cell);
Box month_box_for_month_view(long client_right, long client_bottom, int cell);

// Top-left of a month block of the one-year view (month 1..12).
long block_left(int month, int cell);
long block_top(int month, int cell);

// Month 1..12 of the block under a point; 1 when none.
int month_block_at(long x, long y, int cell);
// Cell 0..37 of the day area of month m (0 = the month view) under a
// point, or -1.
int cell_at(int month, long x, long y, int cell);
// Weekday header column under a point: 1 (Sunday) .. 7, or 0.
int weekday_header_at(int month, long x, long y, int cell);
// Where the first day row of month m begins.
long day_rows_left(int month, int cell);
long day_rows_top(int month, int cell);

bool box_contains(const Box& box, long x, long y);  // ends included

// One step of the shown month or year, wrapping between the calendar's
// first and last years. True when the year changed.
bool step_year_month(int& year, int& month, bool by_year, bool forward);

// A date moved by a number of days across month and year ends, wrapping
// between 1990 and 2037 as the shown month does; a day beyond its month's
// end (kept by a month step) counts as the last. True when the year
// changed.
bool step_day(int& year, int& month, int& day, int days);

// The cell of position 0..37 of month m (0 = the month view).
Box day_cell_box(int month, int position, int cell);

// With amounts a day cell holds its number over its amount in the smaller
// face, and the widest usual amount ("−99.9万") across.
int cell_size_with_amounts(int cell, int number_height, int amount_height, int amount_width);
// The strip of the period's line under the grid, and its box: the
// client's bottom rows (the captions sit above it, on the grid).
int period_line_height(int text_height);
Box period_line_box(long client_right, long client_bottom, int line_height);
// A day cell's parts: the number above, the amount in the bottom rows.
Box day_number_box(const Box& cell, int amount_height);
Box day_amount_box(const Box& cell, int amount_height);
