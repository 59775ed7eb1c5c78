// The day entry dialog (102) with its calculator.
#pragma once
#include <windows.h>

// Edits a day of the ledger (month 1..12, day 1..31); true after OK. A
// year that could not be read whole is refused, told.
bool run_day_entry_dialog(HWND parent, int year, int month, int day);
