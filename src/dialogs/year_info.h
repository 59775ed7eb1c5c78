// The year information dialog (106).
#pragma once
#include <windows.h>

// Shows a year with a month chosen (1..12).
void run_year_info_dialog(HWND parent, int year, int month);
