#include "dialogs/tooltips.h"

// The day tooltips are built with the ledger dialogs.
void create_tooltip_control(HWND) {}
void add_day_tools(int) {}
void remove_day_tools(int) {}
void place_day_tools(int, POINT, int) {}
bool fill_tooltip_text(NMHDR*) { return false; }
