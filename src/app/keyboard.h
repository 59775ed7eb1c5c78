// What the keys do on the main window: the arrows move the selected day
// (the day of the displayed date), Page Up and Page Down show another
// month (with Ctrl another year), Home today, Enter opens the selected
// day, Ctrl+G jumps to a typed date, Ctrl+F searches, and the menu keys
// open the popup menu there.
#pragma once
#include <windows.h>

#include "app/main_window.h"

void key_action(MainWindow& main_window, WPARAM key);
// The popup menu at the selected day (at the bottom-left corner of the
// small display).
void menu_at_selection(MainWindow& main_window);
