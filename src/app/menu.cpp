#include "app/menu.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "app/behaviour.h"
#include "app/day_tooltips.h"
#include "app/pointer.h"
#include "app/session.h"
#include "app/shell.h"
#include "app/undo.h"
#include "calendar/dates.h"
#include "dialogs/analysis_window.h"
#include "dialogs/day_entry.h"
#include "dialogs/error_box.h"
#include "dialogs/jump_dialog.h"
#include "dialogs/launch.h"
#include "dialogs/properties.h"
#include "dialogs/save_messages.h"
#include "dialogs/search_dialog.h"
#include "dialogs/year_info.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/options.h"
#include "settings/program_folder.h"
#include "settings/run_value.h"
#include "view/fonts.h"
#include "view/layout.h"

namespace {
bool has_item(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND) != static_cast<UINT>(-1); }

void check_item(HMENU menu, UINT id, bool checked)
{
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::wstring program_file_wide(const char* name)
{
    char path[path_capacity];
    program_file(path, sizeof path, name);
    return utf8_to_wide(path);
}

void choose_font(MainWindow& main_window)
{
    int which = options()->year_mode ? view_year : view_month;
    if (!choose_view_font(main_window.window, main_window.view.fonts, which)) return;
    recreate_view_font(main_window.view.fonts, which);
    refresh_layout(main_window);
}

void toggle(int8_t& flag) { flag = flag ? 0 : 1; }

void switch_small_display(MainWindow& main_window)
{
    reset_to_today(main_window);
    toggle(options()->small_mode);
    sync_tooltip_tools(main_window, options()->small_mode ? tools_remove : tools_add);
    refresh_layout(main_window);
}

void switch_year_view(MainWindow& main_window)
{
    toggle(options()->year_mode);
    sync_tooltip_tools(main_window, tools_switch);
    reset_to_today(main_window);
    refresh_layout(main_window);
}

void toggle_hidden(MainWindow& main_window)
{
    main_window.user_hidden = !main_window.user_hidden;
    refresh_menu(main_window);
    if (main_window.user_hidden)
        ShowWindow(main_window.window, SW_HIDE);
    else
        show_restored(main_window.window);
}

void open_programs_folder(HWND window, int folder)
{
    wchar_t path[MAX_PATH];
    special_folder_path(folder, path);
    // The path holds spaces ("Start Menu\Programs"): one argument.
    launch(window, windows_program(L"EXPLORER.EXE").c_str(), (L"\"" + std::wstring(path) + L"\"").c_str());
}

void open_help(HWND window)
{
    std::wstring path = program_file_wide("Readme.txt");
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        tell_error(window, L"ヘルプファイルが見つかりません。");
        return;
    }
    launch(window, path.c_str(), L"");
}

// The day the menu was opened for (the selected one before any menu).
void enter_menu_day(const MainWindow& main_window)
{
    CalendarDay day = main_window.menu_day.year ? main_window.menu_day : main_window.view.shown;
    // A month step keeps a day the new month may not have.
    day.day = std::min<int>(day.day, days_in_month(day.year, day.month));
    run_day_entry_dialog(main_window.window, day.year, day.month, day.day);
}

// The analysis opens on the shown year; its chart ends today.
void open_analysis(const MainWindow& main_window)
{
    const DateRecord& today = main_window.view.today;
    run_analysis_window(main_window.window, main_window.view.shown.year, LedgerDate{today.year, today.month, today.day});
}

// The calendar shows the month (in the one-year view the year) of a typed
// date with that day selected, out of the small display or hiding.
void jump_to_date(MainWindow& main_window)
{
    CalendarDay& shown = main_window.view.shown;
    TypedDate date = {shown.year, shown.month, shown.day};
    if (!run_jump_dialog(main_window.window, &date)) return;
    if (options()->small_mode) set_small_mode(main_window, 0);
    if (main_window.user_hidden) toggle_hidden(main_window);
    if (date.year != main_window.shown_year.year) show_ledger_year(main_window, date.year);
    shown = CalendarDay{date.year, date.month, date.day};
    main_window.view.layout.selection_cue = true;
    InvalidateRect(main_window.window, nullptr, FALSE);
}

}  // namespace

void reset_to_today(MainWindow& main_window)
{
    const DateRecord now = clock_now();
    main_window.view.shown = CalendarDay{now.year, now.month, now.day};
    show_ledger_year(main_window, now.year);
}

void handle_command(MainWindow& main_window, WORD command)
{
    HWND window = main_window.window;
    switch (command) {
    case IDM_ENTER_DAY: enter_menu_day(main_window); break;
    case IDM_FONT: choose_font(main_window); break;
    case IDM_TOPMOST:
        toggle(options()->topmost);
        apply_topmost(main_window);
        break;
    case IDM_EXIT:
        save_ledger_before_exit(window);
        DestroyWindow(window);
        break;
    case IDM_YEAR_INFO: open_year_info(main_window); break;
    case IDM_ANALYSIS: open_analysis(main_window); break;
    case IDM_JUMP_DATE: jump_to_date(main_window); break;
    case IDM_SEARCH: run_search_dialog(window); break;
    case IDM_EXPLORER: launch(window, windows_program(L"EXPLORER.EXE").c_str(), L"/e,/root,"); break;
    case IDM_SHUTDOWN: end_session(window, EWX_SHUTDOWN | EWX_POWEROFF); break;
    case IDM_RESTART: end_session(window, EWX_REBOOT); break;
    case IDM_LOG_OFF: end_session(window, EWX_LOGOFF); break;
    case IDM_SMALL_DISPLAY: switch_small_display(main_window); break;
    case IDM_PROPERTIES: show_properties(window, module_instance); break;
    case IDM_DATE_TIME: launch(window, system_program(L"CONTROL.EXE").c_str(), L"TIMEDATE.CPL"); break;
    case IDM_YEAR_VIEW: switch_year_view(main_window); break;
    case IDM_TODAY:
        reset_to_today(main_window);
        refresh_layout(main_window);
        break;
    case IDM_START_WITH_WINDOWS:
        toggle(options()->start_with_windows);
        apply_start_with_windows(main_window);
        break;
    case IDM_PROGRAMS: open_programs_folder(window, CSIDL_PROGRAMS); break;
    case IDM_CONTROL_PANEL: launch(window, system_program(L"CONTROL.EXE").c_str(), L""); break;
    case IDM_ALL_USERS_PROGRAMS: open_programs_folder(window, CSIDL_COMMON_PROGRAMS); break;
    case IDM_HIDE: toggle_hidden(main_window); break;
    case IDM_HELP: open_help(window); break;
    case IDM_HOLIDAYS: launch(window, program_file_wide("Holiday.ini").c_str(), L""); break;
    case IDM_UNDO: undo_or_redo(main_window, false); break;
    case IDM_REDO: undo_or_redo(main_window, true); break;
    default: break;
    }
}

void refresh_menu(const MainWindow& main_window)
{
    // Loaded once the calendar shows (finish_start), with its marks.
    HMENU popup_menu = main_window.popup_menu;
    if (!popup_menu) return;
    const OptionsRecord* o = options();
    wchar_t all_users[MAX_PATH];
    special_folder_path(CSIDL_COMMON_PROGRAMS, all_users);
    check_item(popup_menu, IDM_SMALL_DISPLAY, o->small_mode);
    check_item(popup_menu, IDM_YEAR_VIEW, o->year_mode);
    check_item(popup_menu, IDM_HIDE, main_window.user_hidden);
    check_item(popup_menu, IDM_TOPMOST, o->topmost);

    if (!all_users[0] && has_item(popup_menu, IDM_ALL_USERS_PROGRAMS))
        DeleteMenu(popup_menu, IDM_ALL_USERS_PROGRAMS, MF_BYCOMMAND);
    if (all_users[0] && !has_item(popup_menu, IDM_ALL_USERS_PROGRAMS))
        AppendMenuW(popup_menu, MF_STRING, IDM_ALL_USERS_PROGRAMS, L"プログラム All Users(&J)");

    // The session items and their separator come and go together, always
    // as the last group of the menu.
    bool present = has_item(popup_menu, IDM_SHUTDOWN);
    if (o->hide_shutdown_items && present) {
        DeleteMenu(popup_menu, IDM_LOG_OFF, MF_BYCOMMAND);
        DeleteMenu(popup_menu, IDM_SHUTDOWN, MF_BYCOMMAND);
        DeleteMenu(popup_menu, IDM_RESTART, MF_BYCOMMAND);
        DeleteMenu(popup_menu, GetMenuItemCount(popup_menu) - 1, MF_BYPOSITION);
    } else if (!o->hide_shutdown_items && !present) {
        AppendMenuW(popup_menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup_menu, MF_STRING, IDM_LOG_OFF, L"ログオフ(&L)");
        AppendMenuW(popup_menu, MF_STRING, IDM_SHUTDOWN, L"シャットダウン(&S)");
        AppendMenuW(popup_menu, MF_STRING, IDM_RESTART, L"再起動(&R)");
    }
}

void show_popup_menu(MainWindow& main_window, int x, int y, bool from_icon)
{
    HWND window = main_window.window;
    HMENU popup_menu = main_window.popup_menu;
    const DateRecord& today = main_window.view.today;
    main_window.menu_day = from_icon || options()->small_mode ? CalendarDay{today.year, today.month, today.day}
                                                               : main_window.view.shown;
    POINT point = {x, y};
    ClientToScreen(window, &point);
    EnableMenuItem(popup_menu, IDM_FONT, MF_BYCOMMAND | (options()->small_mode ? MF_GRAYED : MF_ENABLED));
    refresh_undo_items(main_window);
    // Foreground first, or the menu stays open when the user clicks
    // elsewhere (it may have been opened from the notification icon).
    SetForegroundWindow(window);
    TrackPopupMenu(popup_menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
}

void apply_start_with_windows(const MainWindow& main_window)
{
    check_item(main_window.popup_menu, IDM_START_WITH_WINDOWS, options()->start_with_windows);
    apply_run_value(options()->start_with_windows ? run_value_register : run_value_remove);
}

void special_folder_path(int folder, wchar_t (&path)[MAX_PATH])
{
    path[0] = 0;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) return;
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(GetDesktopWindow(), folder, &items))) {
        if (!SHGetPathFromIDListW(items, path)) path[0] = 0;
        allocator->Free(items);
    }
    allocator->Release();
}
