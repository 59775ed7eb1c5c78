#include "app/day_tooltips.h"

#include <commctrl.h>

#include "app/shell.h"
#include "platform/late_library.h"
#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "settings/options.h"
#include "view/day_tip_text.h"
#include "view/dpi.h"
#include "view/layout.h"

namespace {
const int month_view_tools = 38;
const int year_view_tools = 12 * 38;

// One tool per calendar cell: id = block x 38 + cell + 1, the text asked
// for when the tip is about to show.
TOOLINFOW tool(HWND window, UINT_PTR id)
{
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = id;
    info.lpszText = LPSTR_TEXTCALLBACKW;
    return info;
}

// Wide enough for a visit's line of names cut to their length.
const int tip_width = 480;
// Time to read a day of five visits.
const int tip_shown_ms = 20000;

// A day of the shown year, with its holiday, its records and its visits.
DayTip day_tip(const LedgerYear& shown_year, int month, int day)
{
    const DayEntry entry = day_of(shown_year, month, day);
    const std::wstring holiday = sjis_to_wide(kind_of_day(shown_year.year, month, day, entry.day_off).name);
    const std::wstring memo = sjis_to_wide(entry.memo);
    return DayTip{shown_year.year, month, day, std::u16string(holiday.begin(), holiday.end()), entry.amount,
                  std::u16string(memo.begin(), memo.end()), visits_of_day(shown_year, month, day)};
}
}  // namespace

void create_tooltip_control(MainWindow& main_window)
{
    main_window.day_tooltip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, main_window.window, nullptr, module_instance, nullptr);
    SendMessageW(main_window.day_tooltip, TTM_SETDELAYTIME, TTDT_AUTOPOP, tip_shown_ms);
}

void relay_pointer_move(const MainWindow& main_window, POINT client_point)
{
    if (!main_window.day_tooltip) return;
    MSG message = {};
    message.hwnd = main_window.window;
    message.message = WM_MOUSEMOVE;
    message.lParam = MAKELPARAM(client_point.x, client_point.y);
    message.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&message.pt);
    SendMessageW(main_window.day_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void add_day_tools(const MainWindow& main_window, int count)
{
    for (int id = 1; id <= count; ++id) {
        TOOLINFOW info = tool(main_window.window, static_cast<UINT_PTR>(id));
        // A tool already there (added while the small display was shown) is
        // replaced, never doubled.
        SendMessageW(main_window.day_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        SendMessageW(main_window.day_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void remove_day_tools(const MainWindow& main_window, int count)
{
    for (int id = 1; id <= count; ++id) {
        TOOLINFOW info = tool(main_window.window, static_cast<UINT_PTR>(id));
        SendMessageW(main_window.day_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void place_day_tools(const MainWindow& main_window, int month_index, POINT origin, int cell)
{
    for (int k = 0; k < grid_cells; ++k) {
        TOOLINFOW info = tool(main_window.window, static_cast<UINT_PTR>(month_index * grid_cells + k + 1));
        info.rect.left = origin.x + (k % 7) * cell;
        info.rect.top = origin.y + (k / 7) * cell;
        info.rect.right = info.rect.left + cell;
        info.rect.bottom = info.rect.top + cell;
        SendMessageW(main_window.day_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

bool fill_tooltip_text(MainWindow& main_window, NMHDR* header)
{
    if (header->code != TTN_GETDISPINFOW || header->hwndFrom != main_window.day_tooltip) return false;
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(header);
    request->szText[0] = 0;
    const int cell = static_cast<int>((header->idFrom - 1) % grid_cells);
    const CalendarDay& shown = main_window.view.shown;
    int month = shown.month;
    if (options()->year_mode) {
        // The month of the block under the pointer, whatever block the tool
        // was made for.
        POINT pointer;
        GetCursorPos(&pointer);
        ScreenToClient(main_window.window, &pointer);
        month = month_block_at(pointer.x, pointer.y, main_window.view.layout.cell_width);
    }
    if (month < 1 || month > 12) return true;
    MonthGrid grid;
    fill_month_grid(grid, shown.year, month);
    int day = grid[cell];
    if (day < 1 || day > 31) return true;
    const std::u16string text = day_tip_text(day_tip(main_window.shown_year, month, day));
    main_window.tip_text.assign(text.begin(), text.end());
    // Lines break where the text says and where they would pass the width.
    SendMessageW(main_window.day_tooltip, TTM_SETMAXTIPWIDTH, 0, scale_to_dpi(tip_width, main_window.view.layout.dpi));
    request->lpszText = &main_window.tip_text[0];
    return true;
}

void start_day_tooltips(MainWindow& main_window)
{
    init_common_controls();
    create_tooltip_control(main_window);
    sync_tooltip_tools(main_window, tools_add);
    place_view_tools(main_window);
}

void sync_tooltip_tools(const MainWindow& main_window, int kind)
{
    const int current = options()->year_mode ? year_view_tools : month_view_tools;
    const int other = current == year_view_tools ? month_view_tools : year_view_tools;
    switch (kind) {
    case tools_add: add_day_tools(main_window, current); break;
    case tools_remove: remove_day_tools(main_window, current); break;
    case tools_switch:
        remove_day_tools(main_window, other);
        add_day_tools(main_window, current);
        break;
    default: break;
    }
}

void place_view_tools(const MainWindow& main_window)
{
    const int cell = main_window.view.layout.cell_width;
    if (!options()->year_mode) {
        place_day_tools(main_window, 0, POINT{0, cell}, cell);
        return;
    }
    for (int month = 1; month <= 12; ++month)
        place_day_tools(main_window, month - 1, POINT{day_rows_left(month, cell), day_rows_top(month, cell)}, cell);
}
