// The amounts the calendar shows when 金額を表示 is on: a day's under its
// number, a month's total in its caption of the one-year view, and the
// shown period's line under the grid.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "ledger/year_ledger.h"
#include "view/amount_text.h"
#include "view/calendar_view.h"
#include "view/period_line.h"

// The win colour for a gain, the loss colour for a loss, the weekday
// colour for nothing either way: made readable on what lies behind.
COLORREF amount_color(int64_t amount, COLORREF behind);
// How wide a text is in the font selected into dc.
int text_width(HDC dc, const char16_t* text);

// The month view's played days, their amounts drawn after the cells in
// one go (their face chosen once).
struct DayAmount {
    RECT cell;
    int32_t amount;
    COLORREF behind;  // the fill under it
};
void paint_day_amounts(HDC dc, const DayAmount* amounts, int count, const CalendarView& view);
// A month caption of the one-year view: its name and, where it fits, the
// month's total under it (or beside it in a caption too low for both).
// The totals are drawn after all months, in one go.
struct PendingTotal {
    RECT rect;
    char16_t text[signed_amount_text_size];
    COLORREF color;
};
struct PendingTotals {
    PendingTotal totals[12];
    int count = 0;
};
void paint_name_and_total(HDC dc, const RECT& caption, const wchar_t* name, COLORREF name_color, int64_t total,
                          COLORREF back, const CalendarView& view, PendingTotals& pending);
void paint_pending_totals(HDC dc, const PendingTotals& pending, const CalendarView& view);
// The line's text in the smaller face selected into dc: whole figures
// where they fit, else in 万.
std::u16string period_line_for(HDC dc, const RECT& line, const PeriodFigures& figures, bool year_view);
void paint_period_line(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown);
