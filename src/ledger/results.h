// Wins, losses and draws, and the sums built on them.
#pragma once
#include <cstdint>
#include <vector>

#include "ledger/year_ledger.h"

enum DayResult { result_none, result_win, result_loss, result_draw };

// Win above 10, loss below -10, any other nonzero amount a draw.
DayResult day_result(int32_t amount);
// What a sum adds for the amount: wins and losses their value, else 0.
int32_t counted_amount(int32_t amount);

struct ResultSummary {
    int64_t sum;  // 64 bits: many years of large amounts overflow 32
    int32_t wins;
    int32_t losses;
    int32_t draws;
};

// Adds one day's amount: its counted amount to the sum, its result to the
// counts.
void add_to_summary(ResultSummary& summary, int32_t amount);

// Over the 31 slots of a month (0..11) of a year.
ResultSummary month_summary(const LedgerYear& value, int month_index);
// Over days 1..last_day of a month (1..12) of a year, as the ledger holds
// it.
ResultSummary month_summary_through(int year, int month, int last_day);
// Over the year's days from 1 January through a day.
ResultSummary year_summary_through(int year, int month, int day);
// Over all 372 slots of a year.
ResultSummary year_summary(const LedgerYear& value);
// Over every year up to and including `last_year`, as the ledger holds
// them. Each year's file is read once and its summary kept until the
// program saves a year or forgets them. `unreadable_years` (when given)
// lists the years whose files exist but could not be read: they count as
// empty.
ResultSummary all_years_summary(int last_year, std::vector<int>* unreadable_years = nullptr);
// Drops the kept summaries, so the next total reads the files again (the
// year dialog does this when it opens).
void forget_year_summaries();
