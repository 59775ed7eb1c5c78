#include "app/behaviour.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/menu.h"
#include "app/session.h"
#include "app/shell.h"
#include "app/tray_tip.h"
#include "calendar/dates.h"
#include "ledger/year_ledger.h"
#include "platform/late_library.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/options.h"
#include "view/layout.h"

namespace {
const UINT tray_icon_id = 1;

bool same_day(const DateRecord& a, const DateRecord& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

void note_day_seen(ClockWatch& clock, const DateRecord& now, ULONGLONG tick_count)
{
    clock.day_seen = now;
    const ULONGLONG into_day = ((now.hour * 60ULL + now.minute) * 60 + now.second) * 1000;
    clock.day_seen_ends = tick_count + 24ULL * 60 * 60 * 1000 - into_day;
}

// The day turned: today's marking and the icon follow at once.
void follow_new_day(MainWindow& main_window)
{
    InvalidateRect(main_window.window, nullptr, TRUE);
    update_tray_icon(main_window, 0);
    main_window.clock.shown_month_behind = true;
}

// The shown month becomes today's, with its year's ledger.
void follow_shown_month(MainWindow& main_window)
{
    const DateRecord& today = main_window.view.today;
    CalendarDay& shown = main_window.view.shown;
    bool year_changed = shown.year != today.year;
    shown.year = today.year;
    shown.month = today.month;
    if (year_changed) show_ledger_year(main_window, today.year);
    InvalidateRect(main_window.window, nullptr, TRUE);
    main_window.clock.shown_month_behind = false;
}

}  // namespace

void clock_tick_at(MainWindow& main_window, const DateRecord& now, ULONGLONG tick_count)
{
    HWND window = main_window.window;
    bool day_changed = !same_day(main_window.clock.day_seen, now);
    note_day_seen(main_window.clock, now, tick_count);
    main_window.view.today = now;
    if (options()->small_mode)
        InvalidateRect(window, nullptr, FALSE);
    else
        InvalidateRect(window, &main_window.view.layout.clock_rect, FALSE);
    if (day_changed) follow_new_day(main_window);
    if (main_window.clock.shown_month_behind && IsWindowEnabled(window)) follow_shown_month(main_window);
}

void time_change_at(MainWindow& main_window, const DateRecord& now, ULONGLONG tick_count)
{
    // A date the user set moves today's marking, never the shown month;
    // a midnight that came before the change is still the tick's to follow.
    ClockWatch& clock = main_window.clock;
    const bool midnight_came = clock.day_seen.month != 0 && tick_count >= clock.day_seen_ends;
    main_window.view.today = now;
    if (!midnight_came) note_day_seen(clock, now, tick_count);
    InvalidateRect(main_window.window, nullptr, TRUE);
    update_tray_icon(main_window, 0);
}

namespace {
// The notification icon at the size the shell asks for (the common
// controls are loaded by then: the icon is added after the first paint).
HICON notification_icon(TrayIcon& tray)
{
    typedef HRESULT(WINAPI * LoadIconMetricFunction)(HINSTANCE, PCWSTR, int, HICON*);
    static auto load_icon_metric = late<LoadIconMetricFunction>(L"comctl32.dll", "LoadIconMetric");
    if (!tray.metric_icon && load_icon_metric &&
        FAILED(load_icon_metric(module_instance, MAKEINTRESOURCEW(IDI_APP), LIM_SMALL, &tray.metric_icon)))
        tray.metric_icon = nullptr;
    return tray.metric_icon ? tray.metric_icon : small_icon;
}

NOTIFYICONDATAW tray_record(HWND window)
{
    NOTIFYICONDATAW record = {};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = window;
    record.uID = tray_icon_id;
    return record;
}

// A few minutes of asking again for an icon the shell did not take.
const UINT icon_retry_ms = 3000;
const int icon_retry_count = 60;

// The icon with today's tip: the date, a holiday, the month so far.
NOTIFYICONDATAW icon_record(MainWindow& main_window)
{
    NOTIFYICONDATAW record = tray_record(main_window.window);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAYNOTIFY;
    record.hIcon = notification_icon(main_window.tray);
    write_tray_tip(main_window, record.szTip);
    return record;
}

void retry_tray_icon(MainWindow& main_window)
{
    NOTIFYICONDATAW record = icon_record(main_window);
    if (notify_icon(NIM_ADD, &record) || --main_window.tray.retries_left <= 0)
        KillTimer(main_window.window, icon_retry_timer_id);
}

void show_from_tray(MainWindow& main_window)
{
    HWND window = main_window.window;
    main_window.user_hidden = false;
    refresh_menu(main_window);
    show_restored(window);
    SetForegroundWindow(window);
    RECT rect;
    GetWindowRect(window, &rect);
    if (clamp_to_screen(window, rect)) resize_for_mode(main_window);
}

// The menu at the pointer, straight away: the icon lies outside the
// window, where a hit test would only move the shown month or step a
// caption the hidden window happens to have under the taskbar.
void menu_from_tray(MainWindow& main_window)
{
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(main_window.window, &pointer);
    show_popup_menu(main_window, pointer.x, pointer.y, true);
}
}  // namespace

void show_restored(HWND window)
{
    // A minimized tool window has no taskbar button to come back from.
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

UINT reshow_delay_ms(int stored_seconds)
{
    // "-5" typed on the options page or a damaged byte must not keep the
    // display away for weeks.
    return static_cast<UINT>(stored_seconds > 0 ? stored_seconds : 5) * 1000;
}

UINT clock_period_ms(int show_time, int clock_content, int no_seconds)
{
    if ((!show_time && clock_content == 0) || no_seconds) return 10000;
    return 1000;
}

void restart_clock_timer(MainWindow& main_window, int show_time)
{
    const OptionsRecord* o = options();
    KillTimer(main_window.window, clock_timer_id);
    SetTimer(main_window.window, clock_timer_id, clock_period_ms(show_time, o->clock_content, o->no_seconds), nullptr);
    const DateRecord now = clock_now();
    main_window.view.today = now;
    if (main_window.clock.day_seen.month == 0) note_day_seen(main_window.clock, now, GetTickCount64());
}

void follow_time_change(MainWindow& main_window) { time_change_at(main_window, clock_now(), GetTickCount64()); }

void handle_timer(MainWindow& main_window, UINT_PTR timer_id)
{
    HWND window = main_window.window;
    if (timer_id == reshow_timer_id) {
        KillTimer(window, reshow_timer_id);
        if (!main_window.user_hidden) ShowWindow(window, SW_SHOWNA);  // the user's own hiding wins
    } else if (timer_id == icon_retry_timer_id) {
        retry_tray_icon(main_window);
    } else if (timer_id == clock_timer_id) {
        clock_tick_at(main_window, clock_now(), GetTickCount64());
    }
}

void apply_title_style(HWND window)
{
    const OptionsRecord* o = options();
    LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (!o->small_mode && !o->no_title_bar) {
        SetWindowLongPtrW(window, GWL_STYLE, style | WS_CAPTION | WS_SYSMENU);
        SetWindowTextW(window, sjis_to_wide(o->title).c_str());
    } else {
        // A thin border without caption, system menu or close box.
        SetWindowLongPtrW(window, GWL_STYLE, (style & ~(WS_DLGFRAME | WS_SYSMENU)) | WS_BORDER);
    }
    // The frame is cached: it changes only when told so.
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void apply_topmost(MainWindow& main_window)
{
    HWND window = main_window.window;
    const bool topmost = options()->topmost != 0;
    CheckMenuItem(main_window.popup_menu, IDM_TOPMOST, MF_BYCOMMAND | (topmost ? MF_CHECKED : MF_UNCHECKED));
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW);
}

void check_auto_hide(MainWindow& main_window, int x, int y)
{
    HWND window = main_window.window;
    OptionsRecord* o = options();
    if (!o->small_mode || !o->auto_hide) return;
    if (o->reshow_seconds == 0) o->reshow_seconds = 5;
    POINT point = {x, y};
    ClientToScreen(window, &point);
    RECT rect;
    GetWindowRect(window, &rect);
    if (rect.right - (rect.right - rect.left) / 6 < point.x && point.x < rect.right) {
        SetTimer(window, reshow_timer_id, reshow_delay_ms(static_cast<int8_t>(o->reshow_seconds)), nullptr);
        ShowWindow(window, SW_HIDE);
    }
}

void update_tray_icon(MainWindow& main_window, int add)
{
    NOTIFYICONDATAW record = icon_record(main_window);
    if (notify_icon(add ? NIM_ADD : NIM_MODIFY, &record)) return;
    // An icon the shell lost comes back; a shell not ready for it (at
    // logon, from the Run key) is asked again every few seconds.
    if (add || !notify_icon(NIM_ADD, &record)) {
        main_window.tray.retries_left = icon_retry_count;
        SetTimer(main_window.window, icon_retry_timer_id, icon_retry_ms, nullptr);
    }
}

void remove_tray_icon(MainWindow& main_window)
{
    KillTimer(main_window.window, icon_retry_timer_id);
    NOTIFYICONDATAW record = tray_record(main_window.window);
    notify_icon(NIM_DELETE, &record);
    if (main_window.tray.metric_icon) DestroyIcon(main_window.tray.metric_icon);
    main_window.tray.metric_icon = nullptr;
}

namespace {
// The dialog the user works in: the popup last active when it is enabled,
// else the enabled one the window owns (a dialog not yet activated when
// another program took the front is not the last active one yet).
HWND open_dialog_of(HWND window)
{
    HWND last = GetLastActivePopup(window);
    if (last != window && IsWindowEnabled(last)) return last;
    HWND enabled = GetWindow(window, GW_ENABLEDPOPUP);
    return enabled ? enabled : last;
}
}  // namespace

void handle_tray_notify(MainWindow& main_window, UINT mouse_message)
{
    HWND window = main_window.window;
    // A modal dialog is open: a second one or a command from the menu
    // would change the day or year it is working on; bring it forward.
    if (!IsWindowEnabled(window)) {
        if (mouse_message == WM_LBUTTONDOWN || mouse_message == WM_RBUTTONDOWN) SetForegroundWindow(open_dialog_of(window));
        return;
    }
    if (mouse_message == WM_LBUTTONDOWN) show_from_tray(main_window);
    if (mouse_message == WM_RBUTTONDOWN) menu_from_tray(main_window);
}

UINT taskbar_created_message()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void let_taskbar_created_through(HWND window)
{
    // A copy run as administrator would otherwise never hear of a new
    // taskbar from the user's Explorer, and its icon would stay gone
    // (Windows 7 and later).
    typedef BOOL(WINAPI * ChangeFilterFunction)(HWND, UINT, DWORD, void*);
    if (auto change_filter = late<ChangeFilterFunction>(L"user32.dll", "ChangeWindowMessageFilterEx"))
        change_filter(window, taskbar_created_message(), MSGFLT_ALLOW, nullptr);
}
