// Size and place of the main window for the current display mode, and
// what lies under a client point.
#pragma once
#include <windows.h>

#include "view/calendar_view.h"
#include "view/layout_math.h"

// The outer size of the main window for a client area, from its own
// styles at its DPI.
SIZE outer_size_for_client(HWND window, const ViewLayout& layout, SIZE client);

// The outer size of the window for the month or the one-year view, from
// the cell size of the view's font (measured and kept in the layout).
SIZE calendar_view_size(HWND window, CalendarView& view);
// The year and clock captions of the current view, from the client area.
void set_caption_boxes(HWND window, ViewLayout& layout);

// What lies under a client point: its kind (hit_nothing, hit_day, ...);
// for a day its date in the displayed year; in the one-year view the month
// of the block under the point, whatever lies there.
struct HitResult {
    int kind;
    int month;    // 1..12
    int day;      // 1..31 for a day, else 0
    int weekday;  // of the day, 0 = Sunday
};
HitResult hit_test(const CalendarView& view, long x, long y);
// The client cell of the selected day: the day of the displayed date in
// its month (its block in the one-year view); a day beyond the month's end
// counts as the last.
RECT selected_day_cell(const CalendarView& view);
// The shown month or year one step on, wrapping between 1990 and 2037.
// True when the shown year changed (its ledger is to be shown).
bool step_display(HWND window, CalendarView& view, bool by_year, bool forward);

// Cell size of a font, measured on the main window, kept in the layout.
int measure_cell_size(HWND window, HFONT font, ViewLayout& layout);

RECT to_rect(const Box& box);
