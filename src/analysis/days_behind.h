// From any figure of the analysis to the days behind it: a bar of the
// chart, a weekday, a memo tag, or a row of a table by visits; and the
// days whose memo or visits hold a text searched for.
#pragma once
#include <string>
#include <vector>

#include "analysis/analysis.h"

enum FigureKind { figure_bar, figure_weekday, figure_tag, figure_visit_row, figure_text };

struct FigureChoice {
    FigureKind kind;
    int index;        // the bar (0 = the first) or the weekday (0 = Sunday)
    int table;        // of a visit row: table_category, table_place, table_game
    std::string key;  // the folded name of a tag or a visit row, or the text
    bool days_without_visits;  // the visit tables' last row
};

// The days of every year whose memo, or a visit's category, place, game or
// note, holds `text`, widths folded and letters in either case (with an
// analysis of all years).
FigureChoice text_choice(const std::string& text);

// What a search goes through: every year of the calendar, no figures.
BalanceAnalysis search_scope();

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
// the ledger holds them now. A search finds a day with a memo or visits
// whether or not it was played.
std::vector<DayBehind> days_behind(const BalanceAnalysis& analysis, const FigureChoice& choice);

// The sum, wins, losses and draws of the days listed.
ResultSummary days_summary(const std::vector<DayBehind>& days);
