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

// Set when the day turned while a modal dialog was open: the dialog may be
// editing a day of the shown month and its loaded year, so they follow
// only once it is closed.
bool shown_month_behind = false;
// The day the clock last saw. Today's record is also set by other paths (a
// layout refresh, a change of the system time); they must not hide a
// change of day from the tick.
DateRecord day_seen;
// Tick count at which that day ends on its own: a change of the system
// time after it had come must still turn the calendar.
ULONGLONG day_seen_ends;

void note_day_seen(const DateRecord& now, ULONGLONG tick_count)
{
    day_seen = now;
    const ULONGLONG into_day = ((now.hour * 60ULL + now.minute) * 60 + now.second) * 1000;
    day_seen_ends = tick_count + 24ULL * 60 * 60 * 1000 - into_day;
}

// The day turned: today's marking and the icon follow at once.
void follow_new_day(HWND window, const DateRecord& now)
{
    InvalidateRect(window, nullptr, TRUE);
    DateRecord* today = today_date();
    today->year = now.year;
    today->month = now.month;
    today->day = now.day;
    today->weekday = now.weekday;
    update_tray_icon(window, 0);
    shown_month_behind = true;
}

// The shown month becomes today's, with its year's ledger.
void follow_shown_month(HWND window)
{
    const DateRecord* today = today_date();
    DateRecord* shown = display_date();
    bool year_changed = shown->year != today->year;
    shown->year = today->year;
    shown->month = today->month;
    compute_first_weekday(shown);
    if (year_changed) show_ledger_year(today->year);
    InvalidateRect(window, nullptr, TRUE);
    shown_month_behind = false;
}

}  // namespace

void clock_tick_at(HWND window, const DateRecord& now, ULONGLONG tick_count)
{
    bool day_changed = !same_day(day_seen, now);
    note_day_seen(now, tick_count);
    *today_date() = now;
    if (options()->small_mode)
        InvalidateRect(window, nullptr, FALSE);
    else
        InvalidateRect(window, &view_layout()->clock_rect, FALSE);
    if (day_changed) follow_new_day(window, now);
    if (shown_month_behind && IsWindowEnabled(window)) follow_shown_month(window);
}

void time_change_at(HWND window, const DateRecord& now, ULONGLONG tick_count)
{
    // A date the user set moves today's marking, never the shown month;
    // a midnight that came before the change is still the tick's to follow.
    const bool midnight_came = day_seen.month != 0 && tick_count >= day_seen_ends;
    *today_date() = now;
    if (!midnight_came) note_day_seen(now, tick_count);
    InvalidateRect(window, nullptr, TRUE);
    update_tray_icon(window, 0);
}

namespace {
DateRecord now_record()
{
    DateRecord now;
    set_to_now(&now);
    return now;
}

HICON metric_icon;
// The notification icon at the size the shell asks for (the common
// controls are loaded by then: the icon is added after the first paint).
HICON notification_icon()
{
    typedef HRESULT(WINAPI * LoadIconMetricFunction)(HINSTANCE, PCWSTR, int, HICON*);
    static auto load_icon_metric = late<LoadIconMetricFunction>(L"comctl32.dll", "LoadIconMetric");
    if (!metric_icon && load_icon_metric &&
        FAILED(load_icon_metric(module_instance, MAKEINTRESOURCEW(IDI_APP), LIM_SMALL, &metric_icon)))
        metric_icon = nullptr;
    return metric_icon ? metric_icon : small_icon;
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
int icon_retries_left;

// The icon with today's tip: the date, a holiday, the month so far.
NOTIFYICONDATAW icon_record(HWND window)
{
    NOTIFYICONDATAW record = tray_record(window);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAYNOTIFY;
    record.hIcon = notification_icon();
    write_tray_tip(record.szTip);
    return record;
}

void retry_tray_icon(HWND window)
{
    NOTIFYICONDATAW record = icon_record(window);
    if (notify_icon(NIM_ADD, &record) || --icon_retries_left <= 0) KillTimer(window, icon_retry_timer_id);
}

void show_from_tray(HWND window)
{
    user_hidden = 0;
    refresh_menu();
    show_restored(window);
    SetForegroundWindow(window);
    RECT rect;
    GetWindowRect(window, &rect);
    if (clamp_to_screen(window, rect)) resize_for_mode(window);
}

// The menu at the pointer, straight away: the icon lies outside the
// window, where a hit test would only move the shown month or step a
// caption the hidden window happens to have under the taskbar.
void menu_from_tray(HWND window)
{
    POINT pointer;
    GetCursorPos(&pointer);
    ScreenToClient(window, &pointer);
    show_popup_menu(window, pointer.x, pointer.y);
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

void restart_clock_timer(HWND window, int show_time)
{
    const OptionsRecord* o = options();
    KillTimer(window, clock_timer_id);
    SetTimer(window, clock_timer_id, clock_period_ms(show_time, o->clock_content, o->no_seconds), nullptr);
    set_to_now(today_date());
    if (day_seen.month == 0) note_day_seen(*today_date(), GetTickCount64());
}

void follow_time_change(HWND window) { time_change_at(window, now_record(), GetTickCount64()); }

void handle_timer(HWND window, UINT_PTR timer_id)
{
    if (timer_id == reshow_timer_id) {
        KillTimer(window, reshow_timer_id);
        if (!user_hidden) ShowWindow(window, SW_SHOWNA);  // the user's own hiding wins
    } else if (timer_id == icon_retry_timer_id) {
        retry_tray_icon(window);
    } else if (timer_id == clock_timer_id) {
        clock_tick_at(window, now_record(), GetTickCount64());
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

void apply_topmost(HWND window)
{
    const bool topmost = options()->topmost != 0;
    CheckMenuItem(popup_menu, IDM_TOPMOST, MF_BYCOMMAND | (topmost ? MF_CHECKED : MF_UNCHECKED));
    RECT rect;
    GetWindowRect(window, &rect);
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_SHOWWINDOW);
}

void check_auto_hide(HWND window, int x, int y)
{
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

void update_tray_icon(HWND window, int add)
{
    NOTIFYICONDATAW record = icon_record(window);
    if (notify_icon(add ? NIM_ADD : NIM_MODIFY, &record)) return;
    // An icon the shell lost comes back; a shell not ready for it (at
    // logon, from the Run key) is asked again every few seconds.
    if (add || !notify_icon(NIM_ADD, &record)) {
        icon_retries_left = icon_retry_count;
        SetTimer(window, icon_retry_timer_id, icon_retry_ms, nullptr);
    }
}

void remove_tray_icon(HWND window)
{
    KillTimer(window, icon_retry_timer_id);
    NOTIFYICONDATAW record = tray_record(window);
    notify_icon(NIM_DELETE, &record);
    if (metric_icon) DestroyIcon(metric_icon);
    metric_icon = nullptr;
}

void handle_tray_notify(HWND window, UINT mouse_message)
{
    // A modal dialog is open: a second one or a command from the menu
    // would change the day or year it is working on; bring it forward.
    if (!IsWindowEnabled(window)) {
        if (mouse_message == WM_LBUTTONDOWN || mouse_message == WM_RBUTTONDOWN)
            SetForegroundWindow(GetLastActivePopup(window));
        return;
    }
    if (mouse_message == WM_LBUTTONDOWN) show_from_tray(window);
    if (mouse_message == WM_RBUTTONDOWN) menu_from_tray(window);
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
