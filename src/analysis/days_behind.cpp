#include "analysis/days_behind.h"

#include <algorithm>
#include <cstring>

#include "calendar/dates.h"
#include "platform/text_convert.h"

namespace {
std::string folded_tag(const char* memo)
{
    char tag[memo_size];
    memo_tag(memo, tag);
    return folded_name(sjis_to_utf8(tag, std::strlen(tag)));
}

// The day's visits' names of a table, once each, joined by "・".
std::string joined_names(const std::vector<Visit>& visits, int table)
{
    std::string joined;
    std::vector<std::string> seen;
    for (const Visit& visit : visits) {
        const std::string& name = visit_field(visit, table);
        if (name.empty() || std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        seen.push_back(name);
        joined += (joined.empty() ? "" : "・") + name;
    }
    return joined;
}

// A text as a search compares it: widths folded, letters in either case.
std::string search_form(const std::string& text)
{
    std::string form = folded_name(text);
    for (char& c : form)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return form;
}

bool holds_text(const char* memo, const std::vector<Visit>& visits, const std::string& key)
{
    if (search_form(sjis_to_utf8(memo, std::strlen(memo))).find(key) != std::string::npos) return true;
    for (const Visit& visit : visits)
        for (const std::string* text : {&visit.category, &visit.place, &visit.game, &visit.note})
            if (search_form(*text).find(key) != std::string::npos) return true;
    return false;
}

bool matches(const BalanceAnalysis& analysis, const FigureChoice& choice, const LedgerDate& date, int32_t amount,
             const char* memo, const std::vector<Visit>& visits)
{
    switch (choice.kind) {
    case figure_bar:
        return analysis.period == all_years_period ? date.year == analysis.first_year + choice.index
                                                   : date.month == choice.index + 1;
    case figure_weekday: return amount != 0 && weekday_of(date.year, date.month, date.day) == choice.index;
    case figure_tag: return amount != 0 && folded_tag(memo) == choice.key;
    case figure_visit_row:
        if (choice.days_without_visits) return amount != 0 && visits.empty();
        for (const Visit& visit : visits)
            if (folded_name(visit_field(visit, choice.table)) == choice.key) return true;
        return false;
    case figure_text: return !choice.key.empty() && holds_text(memo, visits, choice.key);
    }
    return false;
}
}  // namespace

FigureChoice tag_choice(const TagFigures& row) { return FigureChoice{figure_tag, 0, 0, row.key, false}; }

FigureChoice text_choice(const std::string& text) { return FigureChoice{figure_text, 0, 0, search_form(text), false}; }

BalanceAnalysis search_scope()
{
    BalanceAnalysis scope{};
    scope.period = all_years_period;
    scope.first_year = first_calendar_year;
    scope.last_year = last_calendar_year;
    return scope;
}

FigureChoice visit_row_choice(int table, const VisitRow& row)
{
    return FigureChoice{figure_visit_row, 0, table, row.key, row.days_without_visits};
}

std::vector<DayBehind> days_behind(const BalanceAnalysis& analysis, const FigureChoice& choice)
{
    std::vector<DayBehind> days;
    if (!analysis.first_year) return days;
    LedgerYear value;
    for (int year = analysis.last_year; year >= analysis.first_year; --year) {
        read_ledger_year(year, value);
        std::vector<Visit> by_day[ledger_months][ledger_month_days];
        for (const Visit& visit : value.visits) by_day[visit.month - 1][visit.day - 1].push_back(visit);
        for (int month = ledger_months; month >= 1; --month)
            for (int day = days_in_month(year, month); day >= 1; --day) {
                const DayEntry entry = day_of(value, month, day);
                const std::vector<Visit>& visits = by_day[month - 1][day - 1];
                // A day not played lists nothing, as the figures count nothing
                // of it; a search finds what was written on it all the same.
                if (entry.amount == 0 && (choice.kind != figure_text || (!entry.memo[0] && visits.empty()))) continue;
                const LedgerDate date = {year, month, day};
                if (!matches(analysis, choice, date, entry.amount, entry.memo, visits)) continue;
                DayBehind behind = {date, entry.amount, joined_names(visits, table_place), joined_names(visits, table_game), {}};
                std::memcpy(behind.memo, entry.memo, memo_size);
                days.push_back(behind);
            }
    }
    return days;
}

ResultSummary days_summary(const std::vector<DayBehind>& days)
{
    ResultSummary summary = {};
    for (const DayBehind& day : days) add_to_summary(summary, day.amount);
    return summary;
}
