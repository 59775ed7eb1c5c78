#include "app/behaviour.h"

// The clock, the caption style, topmost, auto-hide and the notification
// icon are built with the desk behaviour; the shell already calls them.
void restart_clock_timer(HWND, int) {}
void apply_title_style(HWND) {}
void apply_topmost(HWND) {}
void check_auto_hide(HWND, int, int) {}
void handle_timer(HWND, UINT_PTR) {}
void update_tray_icon(HWND, int) {}
void remove_tray_icon(HWND) {}
void handle_tray_notify(HWND, UINT) {}
