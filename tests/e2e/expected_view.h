// What the program should show, drawn in the test process with the same
// fonts and drawing code, to compare with the screen.
#pragma once
#include <windows.h>

#include "e2e/harness.h"

namespace e2e {

// Cell size of the default view fonts (month 20, year 16 pixels).
int default_cell(bool year_view);

enum Caption { year_caption, month_caption };

// True when the caption of the month view (default options) shows `text`.
bool month_view_caption_shows(HWND window, Caption caption, const wchar_t* text);

// True when the line under the grid of a view with amounts (default
// options) shows `text`, coloured by the sign of `sum`.
bool period_line_shows(HWND window, bool year_view, const wchar_t* text, int64_t sum);

// Colour near the top-left corner of a day cell of the month
// view: position 0..37 of the grid, clear of the number.
uint32_t month_view_cell_color(HWND window, int position);

// A COLORREF (0x00BBGGRR) as the screen capture gives it (0x00RRGGBB).
uint32_t screen_color(COLORREF color);

}  // namespace e2e
