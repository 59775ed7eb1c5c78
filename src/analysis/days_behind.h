// From any figure of the analysis to the days behind it: a bar of the
// chart, a weekday, a memo tag, or a row of a table by visits.
#pragma once
#include <string>
#include <vector>

#include "analysis/analysis.h"

enum FigureKind { figure_bar, figure_weekday, figure_tag, figure_visit_row };

struct FigureChoice {
    FigureKind kind;
    int index;        // the bar (0 = the first) or the weekday (0 = Sunday)
    int table;        // of a visit row: table_category, table_place, table_game
    std::string key;  // the folded name of a tag or a visit row
    bool days_without_visits;  // the visit tables' last row
};

// The choice for a row of a table, as the window shows it.
FigureChoice tag_choice(const TagFigures& row);
FigureChoice visit_row_choice(int table, const VisitRow& row);

struct DayBehind {
    LedgerDate date;
    int32_t amount;
    std::string places;  // the day's places, joined by "・" (UTF-8)
    std::string games;
    char memo[memo_size];  // Shift-JIS
};

// The days of the analysis's period behind the choice, newest first, as
// the ledger holds them now.
std::vector<DayBehind> days_behind(const BalanceAnalysis& analysis, const FigureChoice& choice);
