// The main window: creation in its fixed order, one handler per message,
// and the teardown.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include "app/behaviour.h"
#include "app/day_tooltips.h"
#include "app/keyboard.h"
#include "app/late_start.h"
#include "app/menu.h"
#include "app/pointer.h"
#include "app/shell.h"
#include "app/startup_trace.h"
#include "calendar/dates.h"
#include "dialogs/error_box.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "ledger/year_ledger.h"
#include "platform/late_library.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/dpi.h"
#include "view/fonts.h"
#include "view/layout.h"
#include "view/paint.h"
#include "view/small_display.h"

HINSTANCE module_instance;
HICON small_icon;

MainWindow* find_main_window(HWND window)
{
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

namespace {
POINT client_point(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

POINT screen_to_client_point(HWND window, LPARAM lparam)
{
    POINT point = client_point(lparam);
    ScreenToClient(window, &point);
    return point;
}

// The window's record comes with the window and goes with it.
void adopt_record(HWND window)
{
    MainWindow* main_window = new MainWindow();
    main_window->window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(main_window));
}

void drop_record(HWND window)
{
    delete find_main_window(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

// Only what the first picture needs; the rest waits for it (finish_start).
LRESULT on_create(MainWindow& main_window)
{
    trace_stamp("WM_CREATE");
    HWND window = main_window.window;
    CalendarView& view = main_window.view;
    load_options();
    if (options_were_missing())
        apply_first_start_look(options(), PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE);
    if (load_loss_limits()) PostMessageW(window, WM_TELL_LIMITS_DAMAGED, 0, 0);
    load_show_amounts(options_were_missing());
    view.layout.dpi = window_dpi(window);
    create_view_fonts(view.fonts, &options()->month_font, &options()->year_font, view.layout.dpi);
    view.today = clock_now();
    view.shown = CalendarDay{view.today.year, view.today.month, view.today.day};
    show_ledger_year(main_window, view.shown.year);
    if (main_window.shown_year.status.parts[part_visits] == part_unreadable)
        PostMessageW(window, WM_TELL_UNREADABLE, 0, 0);
    refresh_layout(main_window);
    apply_topmost(main_window);
    let_taskbar_created_through(window);
    trace_stamp("WM_CREATE handled");
    return 0;
}

LRESULT on_destroy(MainWindow& main_window)
{
    exit_cleanup(main_window);
    PostQuitMessage(0);
    return 0;
}

LRESULT on_close(MainWindow& main_window)
{
    main_window.user_hidden = true;
    refresh_menu(main_window);
    ShowWindow(main_window.window, SW_HIDE);
    return 0;
}

// What is still in memory reaches the disk: one try, never a question
// (the session may be ending).
void save_at_exit()
{
    save_unsaved_years();
    save_options();
    save_show_amounts();
}

// The data reaches the disk now; fonts, glyphs, clock and icon stay until
// the end is certain, so a command arriving before the answer (or after
// another program cancels the end) never meets released resources.
LRESULT on_query_end_session(HWND)
{
    save_at_exit();
    return TRUE;
}

// The session ends (or a restart manager closes us): leave as Exit does.
// A cancelled end leaves nothing to take back.
LRESULT on_end_session(HWND window, WPARAM ending)
{
    if (ending) DestroyWindow(window);
    return 0;
}

LRESULT on_paint(const MainWindow& main_window)
{
    trace_stamp("paint begins");
    paint_window(main_window.window, main_window.view, main_window.shown_year);
    trace_stamp("paint ends");
    return 0;
}

// The paint composes the background with everything else off-screen;
// erasing the screen first would only flash the bare background.
LRESULT on_erase_background() { return 1; }

LRESULT on_time_change(MainWindow& main_window)
{
    follow_time_change(main_window);
    return 0;
}

// Fonts, glyphs and frame for the resolution of the window's screen.
void adopt_dpi(CalendarView& view, int dpi)
{
    if (view.layout.dpi == dpi) return;
    view.layout.dpi = dpi;
    create_view_fonts(view.fonts, &options()->month_font, &options()->year_font, dpi);
    prepare_glyphs(module_instance, view);
}

// About to be dragged onto a screen of another scale: the size the layout
// gives there, so the rectangle Windows suggests is the one the window
// takes, and it stays under the pointer.
LRESULT on_get_dpi_scaled_size(MainWindow& main_window, int dpi, SIZE* size)
{
    HWND window = main_window.window;
    adopt_dpi(main_window.view, dpi);
    *size = options()->small_mode ? small_display_size(window, main_window.view)
                                  : calendar_view_size(window, main_window.view);
    return TRUE;
}

// Dragged to a screen of another scale, or the scale changed: the window
// takes the place Windows suggests, at the size of the new scale.
LRESULT on_dpi_changed(MainWindow& main_window, WPARAM wparam, const RECT* suggested)
{
    adopt_dpi(main_window.view, HIWORD(wparam));
    store_mode_position(POINT{suggested->left, suggested->top});
    resize_for_mode(main_window);
    return 0;
}

// A day entry or an import changed the ledger: the calendar and the
// month's balance in the icon's tip show it.
LRESULT on_ledger_changed(MainWindow& main_window, int year)
{
    follow_ledger_change(main_window, year);
    InvalidateRect(main_window.window, nullptr, TRUE);
    update_tray_icon(main_window, 0);
    return 0;
}

// A dialog saved a change: it can be taken back.
LRESULT on_ledger_step(MainWindow& main_window, const UndoStep* step)
{
    add_undo_step(main_window.history, *step);
    return 0;
}

// Said once: the limits are off until the page writes the file anew.
LRESULT on_limits_damaged(HWND window)
{
    tell_error(window,
               L"上限の設定ファイルを読めませんでした。上限なしで続けます。\n\n" + utf8_to_wide(limits_file_path().c_str()) +
                   L"\n\nプロパティの「収支」で設定し直すと、このファイルを書き直します。",
               MB_OK | MB_ICONWARNING);
    return 0;
}

// Said once the calendar shows: the shown year's visits count nowhere.
LRESULT on_visits_unreadable(const MainWindow& main_window)
{
    HWND window = main_window.window;
    const LedgerYear& shown = main_window.shown_year;
    const std::wstring left_out = std::to_wstring(shown.year) + L"年の明細を読めないため、分析にも日の入力にも使えません。";
    tell_visits_unreadable_once(window, shown.year, shown.visit_problems, left_out.c_str());
    return 0;
}

LRESULT on_options_applied(MainWindow& main_window)
{
    refresh_layout(main_window);
    return 0;
}

LRESULT on_notify(MainWindow& main_window, NMHDR* header)
{
    fill_tooltip_text(main_window, header);
    return 0;
}

LRESULT on_nc_hit_test(HWND window, WPARAM wparam, LPARAM lparam)
{
    const OptionsRecord* o = options();
    if (o->small_mode || o->no_title_bar) return HTCAPTION;
    return DefWindowProcW(window, WM_NCHITTEST, wparam, lparam);
}

LRESULT on_nc_mouse_move(MainWindow& main_window, LPARAM lparam)
{
    POINT point = screen_to_client_point(main_window.window, lparam);
    relay_pointer_move(main_window, point);
    check_auto_hide(main_window, point.x, point.y);
    return 0;
}

// A pointer action at the point of a client (or, from the frame, a
// screen) message.
typedef void (*PointerAction)(MainWindow&, int, int);
LRESULT pointer_action(MainWindow& main_window, LPARAM lparam, bool on_frame, PointerAction action)
{
    POINT point = on_frame ? screen_to_client_point(main_window.window, lparam) : client_point(lparam);
    action(main_window, point.x, point.y);
    return 0;
}

LRESULT on_key_down(MainWindow& main_window, WPARAM key)
{
    key_action(main_window, key);
    return 0;
}

// The menu opened at the key's press; its release must not open another.
LRESULT on_key_up(HWND window, WPARAM key, LPARAM lparam)
{
    return key == VK_APPS ? 0 : DefWindowProcW(window, WM_KEYUP, key, lparam);
}

// Shift+F10 comes as a system key; left to the default it would also
// enter the window menu when released.
LRESULT on_system_key_down(MainWindow& main_window, WPARAM key, LPARAM lparam)
{
    if (key == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000)) return on_key_down(main_window, key);
    return DefWindowProcW(main_window.window, WM_SYSKEYDOWN, key, lparam);
}

// Only the keyboard's form (no point): the right button opens the menu on
// its press already.
LRESULT on_context_menu(MainWindow& main_window, WPARAM wparam, LPARAM lparam)
{
    if (GET_X_LPARAM(lparam) != -1 || GET_Y_LPARAM(lparam) != -1)
        return DefWindowProcW(main_window.window, WM_CONTEXTMENU, wparam, lparam);
    menu_at_selection(main_window);
    return 0;
}

// The selected day shows its focus rectangle only while the window has
// the keyboard.
LRESULT on_focus_change(HWND window)
{
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

LRESULT on_moving(HWND window, RECT* proposed)
{
    clamp_to_screen(window, *proposed);
    return 1;
}

// Explorer restarted: the icon is gone.
LRESULT on_taskbar_created(MainWindow& main_window)
{
    update_tray_icon(main_window, 1);
    return 0;
}

LRESULT handle_message(MainWindow& main_window, UINT message, WPARAM wparam, LPARAM lparam)
{
    HWND window = main_window.window;
    switch (message) {
    case WM_CREATE: return on_create(main_window);
    case WM_DESTROY: return on_destroy(main_window);
    case WM_SIZE:
    case WM_DISPLAYCHANGE: return 0;
    case WM_PAINT: return on_paint(main_window);
    case WM_CLOSE: return on_close(main_window);
    case WM_QUERYENDSESSION: return on_query_end_session(window);
    case WM_ENDSESSION: return on_end_session(window, wparam);
    case WM_ERASEBKGND: return on_erase_background();
    case WM_TIMECHANGE: return on_time_change(main_window);
    case WM_NOTIFY: return on_notify(main_window, reinterpret_cast<NMHDR*>(lparam));
    case WM_NCHITTEST: return on_nc_hit_test(window, wparam, lparam);
    case WM_NCMOUSEMOVE: return on_nc_mouse_move(main_window, lparam);
    case WM_NCLBUTTONDBLCLK: return pointer_action(main_window, lparam, true, double_click_action);
    case WM_NCRBUTTONDOWN: return pointer_action(main_window, lparam, true, right_button_action);
    case WM_COMMAND: handle_command(main_window, LOWORD(wparam)); return 0;
    case WM_TIMER: handle_timer(main_window, wparam); return 0;
    case WM_MOUSEMOVE: return pointer_action(main_window, lparam, false, check_auto_hide);
    case WM_LBUTTONDBLCLK: return pointer_action(main_window, lparam, false, double_click_action);
    case WM_RBUTTONDOWN: return pointer_action(main_window, lparam, false, right_button_action);
    case WM_KEYDOWN: return on_key_down(main_window, wparam);
    case WM_KEYUP: return on_key_up(window, wparam, lparam);
    case WM_SYSKEYDOWN: return on_system_key_down(main_window, wparam, lparam);
    case WM_CONTEXTMENU: return on_context_menu(main_window, wparam, lparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return on_focus_change(window);
    case WM_MOVING: return on_moving(window, reinterpret_cast<RECT*>(lparam));
    case WM_TRAYNOTIFY: handle_tray_notify(main_window, static_cast<UINT>(lparam)); return 0;
    case WM_LEDGER_CHANGED: return on_ledger_changed(main_window, static_cast<int>(wparam));
    case WM_LEDGER_STEP: return on_ledger_step(main_window, reinterpret_cast<const UndoStep*>(lparam));
    case WM_GETDPISCALEDSIZE:
        return on_get_dpi_scaled_size(main_window, static_cast<int>(wparam), reinterpret_cast<SIZE*>(lparam));
    case WM_DPICHANGED: return on_dpi_changed(main_window, wparam, reinterpret_cast<const RECT*>(lparam));
    case WM_OPTIONS_APPLIED: return on_options_applied(main_window);
    case WM_TELL_LIMITS_DAMAGED: return on_limits_damaged(window);
    case WM_TELL_UNREADABLE: return on_visits_unreadable(main_window);
    default:
        if (message == taskbar_created_message()) return on_taskbar_created(main_window);
        return DefWindowProcW(window, message, wparam, lparam);
    }
}
}  // namespace

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCCREATE) adopt_record(window);
    MainWindow* main_window = find_main_window(window);
    // Messages before WM_NCCREATE (the size limits) find no record yet.
    if (!main_window) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        drop_record(window);
        return DefWindowProcW(window, message, wparam, lparam);
    }
    if (needs_finished_start(message)) finish_start(window);
    return handle_message(*main_window, message, wparam, lparam);
}

void exit_cleanup(MainWindow& main_window)
{
    save_at_exit();
    free_view_fonts(main_window.view.fonts);
    free_glyphs(main_window.view.glyphs);
    KillTimer(main_window.window, clock_timer_id);
    remove_tray_icon(main_window);
}
