#include "ledger/results.h"

#include "ledger/year_ledger.h"

namespace {
void add_amount(ResultSummary& summary, int32_t amount)
{
    summary.sum += counted_amount(amount);
    switch (day_result(amount)) {
    case result_win: ++summary.wins; break;
    case result_loss: ++summary.losses; break;
    case result_draw: ++summary.draws; break;
    case result_none: break;
    }
}

void add_month(ResultSummary& summary, const int32_t (&month)[ledger_month_days])
{
    for (int32_t amount : month) add_amount(summary, amount);
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

ResultSummary month_summary(int month_index)
{
    ResultSummary summary = {};
    if (month_index >= 0 && month_index < ledger_months) add_month(summary, ledger_amounts()[month_index]);
    return summary;
}

ResultSummary year_summary()
{
    ResultSummary summary = {};
    add_year(summary, ledger_amounts());
    return summary;
}

ResultSummary all_years_summary(int last_year)
{
    // Read into a table of its own, so the loaded ledger is never touched.
    static AmountTable year_amounts;
    ResultSummary summary = {};
    for (int year = first_ledger_year; year <= static_cast<int16_t>(last_year); ++year) {
        load_amounts(year, year_amounts);
        add_year(summary, year_amounts);
    }
    return summary;
}
