// The day tooltips of the main window: a day's date, amount, memo and
// visits when the pointer rests on its cell.
#pragma once
#include <windows.h>

#include "app/main_window.h"

enum { tools_add = 0, tools_remove = 1, tools_switch = 2 };
// Loads the common controls and makes the day tooltips of the current view.
void start_day_tooltips(MainWindow& main_window);
void sync_tooltip_tools(const MainWindow& main_window, int kind);
// Gives the tools of the current view their cell rectangles.
void place_view_tools(const MainWindow& main_window);

void create_tooltip_control(MainWindow& main_window);
// Without a title bar the whole window answers as caption and the pointer
// moves arrive as non-client messages, which not every tooltip control
// follows: they are passed on as the client moves they are.
void relay_pointer_move(const MainWindow& main_window, POINT client_point);
void add_day_tools(const MainWindow& main_window, int count);
void remove_day_tools(const MainWindow& main_window, int count);
// Places the 38 tools of one month: the origin of its first day row, the
// cell size, the month's index (0 in the month view, 0..11 in the year).
void place_day_tools(const MainWindow& main_window, int month_index, POINT origin, int cell);
// Answers a tooltip's request for text; false when the notification is
// not one of ours.
bool fill_tooltip_text(MainWindow& main_window, NMHDR* header);
