// The year the calendar shows, with its ledger: the main window's record
// holds it, reads it when another year is shown or the ledger changed, and
// hands it to what paints and tells it.
#include "app/shell.h"
#include "calendar/dates.h"
#include "calendar/holiday_file.h"
#include "dialogs/day_entry.h"
#include "dialogs/year_info.h"
#include "view/layout.h"

void show_ledger_year(MainWindow& main_window, int year)
{
    read_ledger_year(year, main_window.shown_year);
    // Edits of the holiday file show with the next year shown.
    load_holiday_file();
}

void follow_ledger_change(MainWindow& main_window, int year)
{
    if (year == main_window.shown_year.year) read_ledger_year(year, main_window.shown_year);
}

void step_shown(MainWindow& main_window, bool by_year, bool forward)
{
    if (step_display(main_window.window, main_window.view, by_year, forward))
        show_ledger_year(main_window, main_window.view.shown.year);
}

void open_shown_day(MainWindow& main_window)
{
    const CalendarDay& day = main_window.view.shown;
    run_day_entry_dialog(main_window.window, day.year, day.month, day.day);
}

void open_year_info(MainWindow& main_window)
{
    const CalendarDay& shown = main_window.view.shown;
    run_year_info_dialog(main_window.window, shown.year, shown.month);
}
