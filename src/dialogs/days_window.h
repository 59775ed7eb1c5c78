// The days behind a figure of the analysis (109): each day's date,
// amount, places, games and memo, newest first, and what they add up to. Enter or a double click
// opens a day in the day entry dialog; the list follows what it changes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "analysis/days_behind.h"

// "合計 +12,000　2勝1敗0分": what the days listed add up to.
std::wstring days_summary_text(const std::vector<DayBehind>& days);

// `analysis` is the owner's, and lives while the list is open.
void run_days_window(HWND owner, const BalanceAnalysis& analysis, const FigureChoice& choice, const std::wstring& title);
