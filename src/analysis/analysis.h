// The balance analysis of one year or of all years: chart data, the
// figures of the period, rows by weekday and by memo tag, and its CSV file
// CSV\<year>-analysis.csv or CSV\all-analysis.csv. Sums and results are
// those of results.h; only real dates count (no 30 February).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/results.h"
#include "analysis/visit_analysis.h"
#include "ledger/year_ledger.h"

enum {
    all_years_period = 0,  // the period of every year with data
};

// What a count or a sum of the ledger can grow to: every day slot of every
// year played, at the int32 limits. Whatever shows them makes room for it.
constexpr int64_t most_played_days = int64_t{last_ledger_year - first_ledger_year + 1} * ledger_months * ledger_month_days;
constexpr int64_t largest_ledger_sum = most_played_days * 2147483648LL;

// A day of the ledger; year 0 stands for no date.
struct LedgerDate {
    int year;
    int month;  // 1..12
    int day;
};

// Days with an amount (played days) and what they add up to.
struct PlayedFigures {
    int32_t days;
    ResultSummary results;
    int64_t average;  // results.sum / days, rounded half away from zero; 0 without days
};

// Tags that differ only in width are one (name_folding.h), shown in the
// spelling most of their days use.
struct TagFigures {
    char tag[memo_size];  // Shift-JIS, NUL-terminated
    PlayedFigures figures;
    std::string key;  // the folded tag (UTF-8)
};

// A single day: the best win or the worst loss; no date when none.
struct DayRecord {
    LedgerDate date;
    int32_t amount;
};

enum StreakKind { streak_none, streak_wins, streak_losses };

// Played days of one result in a row; empty days do not break it, a draw
// does. Length 0 and no date when there is none.
struct Streak {
    StreakKind kind;
    int32_t length;
    LedgerDate start;
};

// The largest drop of the running total below its highest point so far.
// `high` has no date when the high was the 0 at the period's start; both
// have none when the total never fell.
struct Fall {
    int64_t depth;  // positive, 0 when the total never fell
    LedgerDate high;
    LedgerDate low;
};

// A year whose visits file could not be read: its visits are left out.
struct UnreadableVisits {
    int year;
    std::vector<std::string> problems;  // the first lines with problems (UTF-8)
};

struct BalanceAnalysis {
    int period;  // the year, or all_years_period
    // The chart's years: the year itself, or the first and last year with
    // an amounts file; both 0 when there is none.
    int first_year;
    int last_year;
    // One year: months 1..12. All years: first_year..last_year.
    std::vector<ResultSummary> bars;
    // The bars before this one have begun; the later ones lie after the
    // chart's end (end_chart_at) and show nothing.
    int bars_begun;
    // The running total after each day of the year (365/366 points), or
    // at the end of each month from first_year's January; it stops at the
    // chart's end.
    std::vector<int64_t> running;
    LedgerDate last_played;  // the period's last day with an amount

    PlayedFigures totals;
    bool has_win_rate;        // false without wins and losses
    int32_t win_rate_tenths;  // wins / (wins + losses) in tenths of a percent
    DayRecord best;           // earliest on a tie
    DayRecord worst;
    Streak longest_wins;  // earliest on a tie
    Streak longest_losses;
    Streak current;  // the streak at the period's last played day
    Fall largest_fall;
    PlayedFigures weekdays[7];  // 0 = Sunday
    std::vector<TagFigures> tags;  // highest sum first, then by tag bytes
    VisitFigures visits;           // of the period's visits
    std::vector<UnreadableVisits> unreadable_visits;
};

// The first word of a memo, its tag: leading half- and full-width spaces
// and line breaks skipped, then up to a space, CR or LF; "（メモなし）" when there is none.
void memo_tag(const char* memo, char (&tag)[memo_size]);

// `into` keeps its vectors' room between calls, so recomputing is cheap.
void analyse_year(const LedgerYear& value, BalanceAnalysis& into);
// Every year 1990..2037 with amounts, on disk or held in memory, each read
// once.
void analyse_all_years(BalanceAnalysis& into);
// The same a year at a time, so a window stays free between the steps:
// begin, step while it answers true (a year was added), then drop. The
// figures are whole once a step answers false; `into` must live until the
// work is dropped.
struct AllYearsWork;
AllYearsWork* begin_all_years(BalanceAnalysis& into);
bool step_all_years(AllYearsWork* work);
void drop_all_years(AllYearsWork* work);
// A year as the ledger holds it, or all_years_period.
void analyse_period(int period, BalanceAnalysis& into);

// Ends the chart at today, or at a later played day: the running total
// stops there and the months (or years) after it have no bar. Periods
// that are over stay whole.
void end_chart_at(BalanceAnalysis& analysis, const LedgerDate& today);

// The years 1990..2037 that have an amounts file, in order.
std::vector<int> years_with_amounts();

// CSV\2009-analysis.csv or CSV\all-analysis.csv in the program folder.
std::string analysis_csv_path(int period);
// The file's bytes: Shift-JIS, CR LF.
std::string analysis_csv_text(const BalanceAnalysis& analysis);
// True when the whole file was written; a failure leaves any previous file
// as it was.
bool export_analysis_csv(const BalanceAnalysis& analysis);
