// The analysis by visits: totals of a period's visits, and one table each
// by category, by place and by game, names compared in their folded form.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ledger/name_folding.h"
#include "ledger/year_ledger.h"

// Tenths of a percent or a result per hour, or none ("－").
struct Rate {
    bool known;
    int64_t value;
};

struct VisitTotals {
    int32_t visits;
    int64_t stake;
    int64_t returned;
    int64_t minutes;        // of the visits with both times
    int64_t timed_balance;  // their balance
    Rate return_rate;       // 回収 ÷ 投資, tenths of a percent
    Rate hourly;            // 時給: timed_balance per hour
};

// One name of a table, or the days without visits (the last row).
struct VisitRow {
    std::string name;  // UTF-8: the spelling most of its visits use, "（未入力）"
    std::string key;   // the folded name
    bool days_without_visits;  // "（明細なし）": visits counts days, balance their amounts
    int32_t visits;
    int32_t wins;
    int32_t losses;
    int32_t draws;
    int64_t stake;
    int64_t returned;
    int64_t balance;
    Rate return_rate;
};

struct VisitFigures {
    VisitTotals totals;
    std::vector<VisitRow> rows[visit_table_count];
};

// Gathers a period's visits year by year, then settles the figures.
struct VisitWalk {
    VisitFigures figures;
    std::vector<SpellingCount> spellings[visit_table_count];
    std::unordered_map<std::string, size_t> rows_by_key[visit_table_count];
    SpellingPlaces spelling_places[visit_table_count];
    VisitRow days_without_visits;
};
void start_visit_walk(VisitWalk& walk);
void add_year_visits(VisitWalk& walk, const LedgerYear& value);
// Rows by balance, highest first, ties by the name's Shift-JIS bytes; the
// days without visits last.
void finish_visit_walk(VisitWalk& walk, VisitFigures& into);

// Rounded half away from zero; `denominator` positive.
int64_t rounded_ratio(int64_t numerator, int64_t denominator);
