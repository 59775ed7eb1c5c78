// The popup menu and the commands it sends.
#pragma once
#include <windows.h>

#include "app/main_window.h"

void handle_command(MainWindow& main_window, WORD command);
// Dynamic items and check marks from the options.
void refresh_menu(const MainWindow& main_window);
// The menu at a client point. Its first item enters the selected day (a
// right click on a day selects it), or today's from the notification
// icon, which stands for today, and in the small display, which shows it.
void show_popup_menu(MainWindow& main_window, int x, int y, bool from_icon = false);
void apply_start_with_windows(const MainWindow& main_window);

// The file-system path of a shell folder (CSIDL_PROGRAMS, ...), or "".
void special_folder_path(int folder, wchar_t (&path)[MAX_PATH]);

// Back to the current month: today's date shown and its year loaded.
void reset_to_today(MainWindow& main_window);
