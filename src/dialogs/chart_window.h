// The analysis window's chart as a child window of its own class
// "RavoAnalysisChart": it paints an analysis off-screen, shows a bar's sum
// and results in a tip, and tells its parent which bar was clicked.
#pragma once
#include <windows.h>

#include "analysis/analysis.h"

// WM_NOTIFY code to the parent: a bar was clicked.
enum { chart_bar_clicked = 1 };
struct ChartBarClick {
    NMHDR header;
    int bar;  // 0 = the first
};

void register_chart_class(HINSTANCE instance);
// The analysis the chart shows (kept by the caller) at a DPI: measured,
// its bars' tips placed, painted anew.
void show_chart(HWND chart, const BalanceAnalysis* analysis, int dpi);
