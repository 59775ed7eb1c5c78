// The balance analysis window "収支分析" (107): a chart of the months or
// years, the figures of the period, tables by weekday and by memo, and
// its CSV. Modal, owned by the calendar, resizable.
#pragma once
#include <windows.h>

// Opens on the calendar's shown year.
void run_analysis_window(HWND parent, int shown_year);
