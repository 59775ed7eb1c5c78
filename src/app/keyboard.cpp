#include "app/keyboard.h"

#include "app/menu.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/undo.h"
#include "calendar/dates.h"
#include "dialogs/day_entry.h"
#include "res/resource.h"
#include "settings/options.h"
#include "view/layout.h"

namespace {
bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A month step keeps the day, which may lie beyond the new month's end:
// the selection is its last day then, as a click sets.
void settle_selection(CalendarDay& shown)
{
    const int last = days_in_month(shown.year, shown.month);
    if (shown.day > last) shown.day = last;
}

// The shown month (and in the one-year view the block) follows the
// selection, with its year's ledger, as stepping does.
void move_selection(MainWindow& main_window, int days)
{
    CalendarDay& shown = main_window.view.shown;
    if (step_day(shown.year, shown.month, shown.day, days)) show_ledger_year(main_window, shown.year);
    settle_selection(shown);
    InvalidateRect(main_window.window, nullptr, FALSE);
}

void back_to_today(MainWindow& main_window)
{
    reset_to_today(main_window);
    InvalidateRect(main_window.window, nullptr, FALSE);
}

void open_selected_day(MainWindow& main_window)
{
    settle_selection(main_window.view.shown);
    open_shown_day(main_window);
}
}  // namespace

void menu_at_selection(MainWindow& main_window)
{
    RECT client;
    GetClientRect(main_window.window, &client);
    POINT at = {0, client.bottom};
    if (!options()->small_mode) {
        settle_selection(main_window.view.shown);
        RECT cell = selected_day_cell(main_window.view);
        at = POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    show_popup_menu(main_window, at.x, at.y);
}

void key_action(MainWindow& main_window, WPARAM key)
{
    HWND window = main_window.window;
    if (key == VK_APPS || (key == VK_F10 && held(VK_SHIFT))) {
        menu_at_selection(main_window);
        return;
    }
    // Ctrl+Z and Ctrl+Y in every display mode.
    if (held(VK_CONTROL) && (key == 'Z' || key == 'Y')) {
        undo_or_redo(main_window, key == 'Y');
        return;
    }
    if (held(VK_CONTROL) && (key == 'G' || key == 'F')) {
        handle_command(main_window, key == 'G' ? IDM_JUMP_DATE : IDM_SEARCH);
        return;
    }
    if (options()->small_mode) {
        if (key == VK_RETURN) set_small_mode(main_window, 0);
        return;
    }
    // The selected day shows from the first key on, as keyboard cues do;
    // someone who only uses the pointer never sees it.
    bool& cue = main_window.view.layout.selection_cue;
    if (!cue) {
        cue = true;
        InvalidateRect(window, nullptr, FALSE);
    }
    switch (key) {
    case VK_LEFT: move_selection(main_window, -1); break;
    case VK_RIGHT: move_selection(main_window, 1); break;
    case VK_UP: move_selection(main_window, -7); break;
    case VK_DOWN: move_selection(main_window, 7); break;
    case VK_PRIOR: step_shown(main_window, held(VK_CONTROL), false); break;
    case VK_NEXT: step_shown(main_window, held(VK_CONTROL), true); break;
    case VK_HOME: back_to_today(main_window); break;
    case VK_RETURN: open_selected_day(main_window); break;
    default: break;
    }
}
