// The year information dialog (106).
#pragma once
#include <windows.h>

void run_year_info_dialog(HWND parent);
