// What the mouse does on the main window.
#pragma once
#include <windows.h>

#include "app/main_window.h"

void double_click_action(MainWindow& main_window, int x, int y);
void right_button_action(MainWindow& main_window, int x, int y);
// Switches to the small display (1) or back to the calendar (0), showing
// today's month.
void set_small_mode(MainWindow& main_window, int on);
