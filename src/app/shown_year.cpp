// The year the calendar shows, with its ledger: the shell owns it, reads it
// when another year is shown or the ledger changed, and hands it to what
// paints and tells it.
#include "app/shell.h"
#include "calendar/dates.h"
#include "calendar/holiday_file.h"
#include "dialogs/day_entry.h"
#include "dialogs/year_info.h"
#include "view/layout.h"

namespace {
LedgerYear shown;
}  // namespace

const LedgerYear& shown_ledger() { return shown; }

void show_ledger_year(int year)
{
    read_ledger_year(year, shown);
    // Edits of the holiday file show with the next year shown.
    load_holiday_file();
}

void follow_ledger_change(int year)
{
    if (year == shown.year) read_ledger_year(year, shown);
}

void step_shown(HWND window, bool by_year, bool forward)
{
    if (step_display(window, by_year, forward)) show_ledger_year(display_date()->year);
}

void open_shown_day(HWND window)
{
    const DateRecord* day = display_date();
    run_day_entry_dialog(window, day->year, day->month, day->day);
}

void open_year_info(HWND window)
{
    const DateRecord* shown_date = display_date();
    run_year_info_dialog(window, shown_date->year, shown_date->month);
}
