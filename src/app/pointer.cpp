#include "app/pointer.h"

#include "app/day_tooltips.h"
#include "app/menu.h"
#include "app/shell.h"
#include "calendar/dates.h"
#include "dialogs/day_entry.h"
#include "dialogs/year_info.h"
#include "settings/options.h"
#include "view/layout.h"

void set_small_mode(MainWindow& main_window, int on)
{
    options()->small_mode = static_cast<int8_t>(on);
    sync_tooltip_tools(main_window, on ? tools_remove : tools_add);
    reset_to_today(main_window);
    refresh_layout(main_window);
}

namespace {
// Counted on from 昭和 and 平成, as the box always has; 令和 from its
// first year, 2019, on.
void show_era(HWND window, int year)
{
    wchar_t text[80];
    if (year >= 2019)
        wsprintfW(text, L"西暦%d年は、昭和%d年で、平成%d年で、令和%d年です。", year, year - 1925, year - 1988,
                  year - 2018);
    else
        wsprintfW(text, L"西暦%d年は、昭和%d年で、平成%d年です。", year, year - 1925, year - 1988);
    MessageBoxW(window, text, L"和暦で知りたいね", MB_OK);
}
}  // namespace

namespace {
// The calendar's own navigation: the day under the pointer becomes the
// displayed date; in the one-year view, the month of the block too.
int select_under_pointer(CalendarView& view, int x, int y)
{
    const HitResult hit = hit_test(view, x, y);
    if (options()->year_mode) view.shown.month = hit.month;
    if (hit.kind == hit_day) view.shown.day = hit.day;
    return hit.kind;
}
}  // namespace

void double_click_action(MainWindow& main_window, int x, int y)
{
    if (options()->small_mode) {
        set_small_mode(main_window, 0);
        return;
    }
    switch (select_under_pointer(main_window.view, x, y)) {
    case hit_nothing: set_small_mode(main_window, 1); break;
    case hit_year_caption: step_shown(main_window, true, true); break;
    case hit_month_caption: step_shown(main_window, false, true); break;
    case hit_day: open_shown_day(main_window); break;
    case hit_weekday_last: show_era(main_window.window, main_window.view.shown.year); break;
    default: open_year_info(main_window); break;  // the other header columns
    }
}

void right_button_action(MainWindow& main_window, int x, int y)
{
    int result = select_under_pointer(main_window.view, x, y);
    if (!options()->small_mode && result == hit_year_caption)
        step_shown(main_window, true, false);
    else if (!options()->small_mode && result == hit_month_caption)
        step_shown(main_window, false, false);
    else
        show_popup_menu(main_window, x, y);
}
