#include "ledger/results.h"

#include "ledger/year_ledger.h"

namespace {
// Summaries of year files, one a year of the ledger, valid for one count
// of saves.
const int cached_years = last_ledger_year - first_ledger_year + 1;
struct KeptSummary {
    bool valid;
    ResultSummary summary;
    bool unreadable;  // the file exists but could not be read: counted as empty
};
// A year's summary read from its file, each valid until the next save.
struct KeptSummaries {
    KeptSummary years[cached_years];
    unsigned save_count;
};
KeptSummaries kept;

void add_summary(ResultSummary& total, const ResultSummary& part)
{
    total.sum += part.sum;
    total.wins += part.wins;
    total.losses += part.losses;
    total.draws += part.draws;
}

void add_month(ResultSummary& summary, const int32_t (&month)[ledger_month_days])
{
    for (int32_t amount : month) add_to_summary(summary, amount);
}

void add_year(ResultSummary& summary, const AmountTable& table)
{
    for (const auto& month : table) add_month(summary, month);
}
}  // namespace

DayResult day_result(int32_t amount)
{
    if (amount == 0) return result_none;
    if (amount > 10) return result_win;
    if (amount < -10) return result_loss;
    return result_draw;
}

int32_t counted_amount(int32_t amount)
{
    DayResult result = day_result(amount);
    return result == result_win || result == result_loss ? amount : 0;
}

void add_to_summary(ResultSummary& summary, int32_t amount)
{
    summary.sum += counted_amount(amount);
    switch (day_result(amount)) {
    case result_win: ++summary.wins; break;
    case result_loss: ++summary.losses; break;
    case result_draw: ++summary.draws; break;
    case result_none: break;
    }
}

ResultSummary month_summary(const LedgerYear& value, int month_index)
{
    ResultSummary summary = {};
    if (month_index >= 0 && month_index < ledger_months) add_month(summary, value.amounts[month_index]);
    return summary;
}

ResultSummary month_summary_through(int year, int month, int last_day)
{
    ResultSummary summary = {};
    if (month < 1 || month > ledger_months) return summary;
    LedgerYear value;
    read_ledger_year(year, value, nullptr, amounts_only);
    for (int day = 1; day <= last_day && day <= ledger_month_days; ++day)
        add_to_summary(summary, value.amounts[month - 1][day - 1]);
    return summary;
}

ResultSummary year_summary_through(int year, int month, int day)
{
    ResultSummary summary = {};
    LedgerYear value;
    read_ledger_year(year, value, nullptr, amounts_only);
    for (int m = 1; m <= month && m <= ledger_months; ++m)
        for (int d = 1; d <= ledger_month_days && (m < month || d <= day); ++d) add_to_summary(summary, value.amounts[m - 1][d - 1]);
    return summary;
}

ResultSummary year_summary(const LedgerYear& value)
{
    ResultSummary summary = {};
    add_year(summary, value.amounts);
    return summary;
}

KeptSummary file_summary(int year)
{
    LedgerYear value;
    YearStatus status;
    read_ledger_year(year, value, &status, amounts_only);
    KeptSummary kept_year = {true, {}, status.parts[part_amounts] == part_unreadable};
    add_year(kept_year.summary, value.amounts);
    return kept_year;
}

void forget_year_summaries()
{
    for (KeptSummary& entry : kept.years) entry.valid = false;
}

ResultSummary all_years_summary(int last_year, std::vector<int>* unreadable_years)
{
    if (unreadable_years) unreadable_years->clear();
    if (kept.save_count != ledger_save_count()) {
        forget_year_summaries();
        kept.save_count = ledger_save_count();
    }
    ResultSummary total = {};
    for (int year = first_ledger_year; year <= static_cast<int16_t>(last_year); ++year) {
        int index = year - first_ledger_year;
        KeptSummary read = index < cached_years && kept.years[index].valid ? kept.years[index] : file_summary(year);
        if (index < cached_years) kept.years[index] = read;
        add_summary(total, read.summary);
        if (read.unreadable && unreadable_years) unreadable_years->push_back(year);
    }
    return total;
}
