// Tooltips that show a day's memo when the pointer rests on it.
#pragma once
#include <windows.h>

void create_tooltip_control(HWND window);
void add_day_tools(int count);
void remove_day_tools(int count);
// Answers a tooltip's request for text; false when the notification is
// not one of ours.
bool fill_tooltip_text(NMHDR* header);
