// Process-wide state of the application shell and its entry points.
#pragma once
#include <windows.h>

#include "app/main_window.h"
#include "ledger/year_ledger.h"
#include "res/messages.h"

// The program's module and its icon at the small size, for the window
// class and the notification icon.
extern HINSTANCE module_instance;
extern HICON small_icon;

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Keeps a screen rectangle on the work area of the monitor it lies on most
// (the nearest one when it lies on none) and records its top-left as the
// position of the current display mode. Nonzero when it moved.
int clamp_to_screen(HWND window, RECT& rect);
// Moves and sizes the window to a stored top-left, held on its monitor; a
// place on no monitor now comes to the primary one.
void place_on_screen(HWND window, POINT stored, SIZE size);
// The one step after any change of what is shown: the clock's glyphs,
// clock timer, caption, menu, then the size and place of the window for
// the display mode.
void refresh_layout(MainWindow& main_window);
void resize_for_mode(MainWindow& main_window);

// Saves the options and releases the long-lived resources.
void exit_cleanup(MainWindow& main_window);

// Records a top-left as the position of the current display mode.
void store_mode_position(POINT position);

// A year becomes the shown one: its ledger, and the holiday rules read
// again.
void show_ledger_year(MainWindow& main_window, int year);
// A dialog changed the ledger of `year`: the shown year follows.
void follow_ledger_change(MainWindow& main_window, int year);
// The shown month or year one step on, with its ledger when the year
// changes.
void step_shown(MainWindow& main_window, bool by_year, bool forward);
// The day entry for the day of the displayed date, the year dialog for its
// year and month.
void open_shown_day(MainWindow& main_window);
void open_year_info(MainWindow& main_window);
