// The days behind a figure of the analysis (109): each day's date,
// amount, places, games and memo, newest first. Enter or a double click
// opens a day in the day entry dialog; the list follows what it changes.
#pragma once
#include <windows.h>

#include <string>

#include "analysis/days_behind.h"

// `analysis` is the owner's, and lives while the list is open.
void run_days_window(HWND owner, const BalanceAnalysis& analysis, const FigureChoice& choice, const std::wstring& title);
