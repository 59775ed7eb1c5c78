#include "app/keyboard.h"

#include "app/menu.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "calendar/dates.h"
#include "dialogs/day_entry.h"
#include "settings/options.h"
#include "view/layout.h"

namespace {
bool held(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A month step keeps the day, which may lie beyond the new month's end:
// the selection is its last day then, with its weekday, as a click sets.
void settle_selection()
{
    DateRecord* shown = display_date();
    const int last = days_in_month(shown->year, shown->month);
    if (shown->day > last) shown->day = static_cast<int8_t>(last);
    const int first = compute_first_weekday(shown);
    shown->weekday = static_cast<int8_t>((first + shown->day - 1) % 7);
}

// The shown month (and in the one-year view the block) follows the
// selection, with its year's ledger, as stepping does.
void move_selection(HWND window, int days)
{
    DateRecord* shown = display_date();
    int year = shown->year;
    int month = shown->month;
    int day = shown->day;
    if (step_day(year, month, day, days)) show_ledger_year(year);
    shown->year = static_cast<int16_t>(year);
    shown->month = static_cast<int8_t>(month);
    shown->day = static_cast<int8_t>(day);
    settle_selection();
    InvalidateRect(window, nullptr, FALSE);
}

void back_to_today(HWND window)
{
    reset_to_today();
    InvalidateRect(window, nullptr, FALSE);
}

void open_selected_day(HWND window)
{
    settle_selection();
    open_shown_day(window);
}
}  // namespace

void menu_at_selection(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    POINT at = {0, client.bottom};
    if (!options()->small_mode) {
        settle_selection();
        RECT cell = selected_day_cell();
        at = POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }
    show_popup_menu(window, at.x, at.y);
}

void key_action(HWND window, WPARAM key)
{
    if (key == VK_APPS || (key == VK_F10 && held(VK_SHIFT))) {
        menu_at_selection(window);
        return;
    }
    if (options()->small_mode) {
        if (key == VK_RETURN) set_small_mode(0);
        return;
    }
    // The selected day shows from the first key on, as keyboard cues do;
    // someone who only uses the pointer never sees it.
    if (!view_layout()->selection_cue) {
        view_layout()->selection_cue = true;
        InvalidateRect(window, nullptr, FALSE);
    }
    switch (key) {
    case VK_LEFT: move_selection(window, -1); break;
    case VK_RIGHT: move_selection(window, 1); break;
    case VK_UP: move_selection(window, -7); break;
    case VK_DOWN: move_selection(window, 7); break;
    case VK_PRIOR: step_shown(window, held(VK_CONTROL), false); break;
    case VK_NEXT: step_shown(window, held(VK_CONTROL), true); break;
    case VK_HOME: back_to_today(window); break;
    case VK_RETURN: open_selected_day(window); break;
    default: break;
    }
}
