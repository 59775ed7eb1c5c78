// The line under the calendar: the shown month's (or year's) balance, its
// wins, losses and draws, and 時給 when it has visits.
#pragma once
#include <string>

#include "analysis/visit_analysis.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"

struct PeriodFigures {
    ResultSummary summary;
    bool has_visits;  // on its played days
    Rate hourly;      // of the visits with both times
};

// A month 1..12 of the year's ledger, or the whole year for 0.
PeriodFigures period_figures(const LedgerYear& value, int month);
// 「今月 +35,200　4勝2敗1分　時給 +1,234」 (「今年 …」 for the year);
// the figures in 万 when `in_man`.
std::u16string period_line_text(const PeriodFigures& figures, bool year, bool in_man);
