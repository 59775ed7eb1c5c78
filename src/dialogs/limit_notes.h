// Where this month and this year stand against the loss limits, in the
// dialogs that change the ledger: a line of its own, and a word once when
// an entry takes the month or the year past its limit.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Today's month and year so far (through today), as the ledger holds them.
struct LimitBalances {
    int64_t month;
    int64_t year;
};
LimitBalances balances_so_far();

// From the warning share on, the line is drawn in the loss colour, made
// dark enough to read.
bool limit_line_warns(int64_t month_balance);

// Shows the line in a dialog's static; its WM_CTLCOLORSTATIC is answered
// by limit_line_color.
void show_limit_line(HWND dialog, int id);
INT_PTR limit_line_color(HDC dc, HWND control);
// Told after storing, once: the month or the year went past its limit by
// the change of a day of `year`/`month` (a day of another month or year
// never warns about today's).
void tell_limits_crossed(HWND owner, int year, int month, const LimitBalances& before);
