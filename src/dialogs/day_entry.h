// The day entry dialog (102) with its calculator.
#pragma once
#include <windows.h>

// Edits the day of display_date; true after OK.
bool run_day_entry_dialog(HWND parent);
