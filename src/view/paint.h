// Painting of the main window: the month view and the one-year view.
#pragma once
#include <windows.h>

#include "calendar/dates.h"
#include "ledger/year_ledger.h"
#include "view/amount_paint.h"
#include "view/calendar_view.h"

// The shown year's ledger gives the wins, losses and day-off marks.
void paint_window(HWND window, const CalendarView& view, const LedgerYear& shown);
void erase_background(HDC dc, const RECT& client);

// Draws the calendar of the current view into dc.
void paint_calendar(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown);
// One month of the shown year: the month view's block, or one of the
// one-year view's.
// `totals` gathers the one-year view's month totals (amounts shown).
void paint_month_block(HDC dc, const RECT& block, const CalendarView& view, int month, bool year_view,
                       const LedgerYear& shown, PendingTotals* totals = nullptr);
void paint_month_caption(HDC dc, const RECT& caption, const CalendarView& view, int month, bool year_view,
                         const LedgerYear& shown, PendingTotals* totals = nullptr);
void paint_year_caption(HDC dc, const CalendarView& view, const LedgerYear& shown);
void paint_clock_caption(HDC dc, const CalendarView& view, const LedgerYear& shown);

// The text colour of a caption: its own unless it equals the back colour,
// then the colour today's number has (its day-off mark from `shown`).
COLORREF caption_color(COLORREF text, COLORREF back, const DateRecord& today, const LedgerYear& shown);
