// The amounts the calendar shows when 金額を表示 is on: a day's under its
// number, a month's total in its caption of the one-year view, and the
// shown period's line under the grid.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "ledger/year_ledger.h"
#include "view/calendar_view.h"
#include "view/period_line.h"

// The win colour for a gain, the loss colour for a loss, the weekday
// colour for nothing either way: made readable on what lies behind.
COLORREF amount_color(int64_t amount, COLORREF behind);
// How wide a text is in the font selected into dc.
int text_width(HDC dc, const char16_t* text);

void paint_day_amount(HDC dc, const RECT& cell, int32_t amount, COLORREF behind, const CalendarView& view);
// A month caption of the one-year view: its name and, where it fits, the
// month's total under it (or beside it in a caption too low for both).
void paint_name_and_total(HDC dc, const RECT& caption, const wchar_t* name, COLORREF name_color, int64_t total,
                          COLORREF back, const CalendarView& view);
// The shown month's (year's) line in the strip under the grid; its text.
// The line's text in the smaller face selected into dc: whole figures
// where they fit, else in 万.
std::u16string period_line_for(HDC dc, const RECT& line, const PeriodFigures& figures, bool year_view);
void paint_period_line(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown);
