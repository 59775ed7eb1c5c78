#include "app/behaviour.h"

#include "platform/win32_text.h"
#include "settings/options.h"

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
}

// The clock, topmost, auto-hide and the notification icon are built with
// the desk behaviour; the shell already calls them.
void restart_clock_timer(HWND, int) {}
void apply_topmost(HWND) {}
void check_auto_hide(HWND, int, int) {}
void handle_timer(HWND, UINT_PTR) {}
void update_tray_icon(HWND, int) {}
void remove_tray_icon(HWND) {}
void handle_tray_notify(HWND, UINT) {}
