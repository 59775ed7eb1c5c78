#include "analysis/visit_analysis.h"

#include <algorithm>

#include "calendar/dates.h"
#include "ledger/results.h"
#include "platform/text_convert.h"

namespace {
const char unnamed[] = "（未入力）";
const char without_visits[] = "（明細なし）";

Rate return_rate_of(int64_t stake, int64_t returned)
{
    return stake > 0 ? Rate{true, rounded_ratio(1000 * returned, stake)} : Rate{false, 0};
}

VisitRow& row_of(VisitWalk& walk, int table, const std::string& name)
{
    std::vector<VisitRow>& rows = walk.figures.rows[table];
    size_t known = 0;
    if (count_known_spelling(walk.spelling_places[table], walk.spellings[table], name, &known)) return rows[known];
    const std::string key = folded_name(name);
    auto found = walk.rows_by_key[table].emplace(key, rows.size());
    const size_t at = found.first->second;
    if (found.second) {
        rows.push_back(VisitRow{});
        rows.back().key = key;
        walk.spellings[table].emplace_back();
    }
    count_new_spelling(walk.spelling_places[table], walk.spellings[table], at, name);
    return rows[at];
}

void add_visit(VisitRow& row, const Visit& visit)
{
    ++row.visits;
    const int32_t balance = visit_balance(visit);
    switch (day_result(balance)) {
    case result_win: ++row.wins; break;
    case result_loss: ++row.losses; break;
    default: ++row.draws; break;
    }
    row.stake += visit.stake;
    row.returned += visit.returned;
    row.balance += balance;
}

std::string sjis_of(const std::string& name) { return utf8_to_sjis(name.data(), name.size()); }

void settle_rows(std::vector<VisitRow>& rows, const std::vector<SpellingCount>& spellings)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].name = rows[i].key.empty() ? unnamed : most_used_spelling(spellings[i]);
        rows[i].return_rate = return_rate_of(rows[i].stake, rows[i].returned);
    }
    std::vector<std::string> order(rows.size());
    std::vector<size_t> index(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        order[i] = sjis_of(rows[i].name);
        index[i] = i;
    }
    std::sort(index.begin(), index.end(), [&](size_t left, size_t right) {
        if (rows[left].balance != rows[right].balance) return rows[left].balance > rows[right].balance;
        return order[left] < order[right];  // unsigned bytes, as std::string compares
    });
    std::vector<VisitRow> sorted;
    sorted.reserve(rows.size());
    for (size_t i : index) sorted.push_back(rows[i]);
    rows.swap(sorted);
}
}  // namespace

int64_t rounded_ratio(int64_t numerator, int64_t denominator)
{
    int64_t magnitude = numerator < 0 ? -numerator : numerator;
    int64_t quotient = (2 * magnitude + denominator) / (2 * denominator);
    return numerator < 0 ? -quotient : quotient;
}

void start_visit_walk(VisitWalk& walk)
{
    walk = VisitWalk();
    walk.days_without_visits.name = without_visits;
    walk.days_without_visits.days_without_visits = true;
}

void add_year_visits(VisitWalk& walk, const LedgerYear& value)
{
    VisitTotals& totals = walk.figures.totals;
    bool has_visits[ledger_months][ledger_month_days] = {};
    for (const Visit& visit : value.visits) {
        // A visit counts only on a day the calendar shows as played, so the
        // days, the visits and every table agree; a played day counts by its
        // visits even when its amount was changed away from their sum.
        if (value.amounts[visit.month - 1][visit.day - 1] == 0) continue;
        has_visits[visit.month - 1][visit.day - 1] = true;
        ++totals.visits;
        totals.stake += visit.stake;
        totals.returned += visit.returned;
        if (visit_minutes(visit) >= 0) {
            totals.minutes += visit_minutes(visit);
            totals.timed_balance += visit_balance(visit);
        }
        for (int table = 0; table < visit_table_count; ++table)
            add_visit(row_of(walk, table, visit_field(visit, table)), visit);
    }
    // Played days without visits, counted as the day's amount.
    for (int month = 1; month <= ledger_months; ++month)
        for (int day = 1; day <= days_in_month(value.year, month); ++day) {
            const int32_t amount = value.amounts[month - 1][day - 1];
            if (amount == 0 || has_visits[month - 1][day - 1]) continue;
            ++walk.days_without_visits.visits;
            walk.days_without_visits.balance += counted_amount(amount);
        }
}

void finish_visit_walk(VisitWalk& walk, VisitFigures& into)
{
    VisitTotals& totals = walk.figures.totals;
    totals.return_rate = return_rate_of(totals.stake, totals.returned);
    totals.hourly = totals.minutes > 0 ? Rate{true, rounded_ratio(totals.timed_balance * 60, totals.minutes)} : Rate{false, 0};
    for (int table = 0; table < visit_table_count; ++table) {
        settle_rows(walk.figures.rows[table], walk.spellings[table]);
        if (walk.days_without_visits.visits) walk.figures.rows[table].push_back(walk.days_without_visits);
    }
    into = walk.figures;
}
