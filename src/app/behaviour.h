// Desk behaviour of the main window: clock timer, caption, topmost,
// auto-hide and the notification icon.
#pragma once
#include <windows.h>

#include "app/main_window.h"
#include "calendar/dates.h"

enum { clock_timer_id = 1, reshow_timer_id = 2, icon_retry_timer_id = 3 };

// Timer 1 ticks every second while seconds are shown somewhere, else
// every ten seconds.
UINT clock_period_ms(int show_time, int clock_content, int no_seconds);

// The wait before an auto-hidden small display comes back; a stored time
// of 0 or less waits 5 seconds.
UINT reshow_delay_ms(int stored_seconds);

// Shows the window, restored when it was minimized.
void show_restored(HWND window);

void restart_clock_timer(MainWindow& main_window, int show_time);
void apply_title_style(HWND window);
void apply_topmost(MainWindow& main_window);
void check_auto_hide(MainWindow& main_window, int x, int y);
void handle_timer(MainWindow& main_window, UINT_PTR timer_id);
// The clock's tick and a change of the system time, at a given time.
void clock_tick_at(MainWindow& main_window, const DateRecord& now, ULONGLONG tick_count);
void time_change_at(MainWindow& main_window, const DateRecord& now, ULONGLONG tick_count);
void follow_time_change(MainWindow& main_window);
void update_tray_icon(MainWindow& main_window, int add);
void remove_tray_icon(MainWindow& main_window);
void handle_tray_notify(MainWindow& main_window, UINT mouse_message);
// Explorer announces a new taskbar with this registered message.
UINT taskbar_created_message();
// Lets that message reach the window across privilege levels.
void let_taskbar_created_through(HWND window);
