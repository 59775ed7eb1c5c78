#include "analysis/analysis.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "calendar/dates.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "platform/text_convert.h"

namespace {
// （メモなし）
const char no_memo_tag[] = "\x81\x69\x83\x81\x83\x82\x82\xC8\x82\xB5\x81\x6A";

// Finds a tag's row as the days are walked: open addressing over row
// numbers + 1 (0 is free). Each period has fewer tags than slots, so a
// probe always ends.
const uint32_t year_tag_slots = 1024;
const uint32_t all_years_tag_slots = 32768;
static_assert(all_years_tag_slots > 366 * (last_ledger_year - first_ledger_year + 1), "a free slot is left");

// What carries from one played day to the next through the period.
struct Walk {
    explicit Walk(BalanceAnalysis& analysis) : into(analysis) {}
    BalanceAnalysis& into;
    std::vector<int32_t> tag_slots;  // a walk of its own, so two can be under way
    uint32_t tag_slot_mask = 0;
    int64_t running = 0;
    int64_t high = 0;
    LedgerDate high_date = {};  // no date while the high is the starting 0
    std::vector<SpellingCount> tag_spellings;  // by tag row
    SpellingPlaces tag_places;
    VisitWalk visits;
};

// Bytes of the character at `text`: a lead byte with its trail makes two.
size_t character_width(const char* text)
{
    return is_sjis_lead_byte(static_cast<unsigned char>(text[0])) && text[1] != 0 ? 2 : 1;
}

// Bytes of a half- or full-width space at `text`, 0 for anything else.
size_t space_width(const char* text)
{
    if (text[0] == ' ') return 1;
    return text[0] == '\x81' && text[1] == '\x40' ? 2 : 0;
}

bool ends_word(const char* text) { return *text == 0 || *text == '\r' || *text == '\n' || space_width(text) != 0; }

// Half away from zero; `denominator` is positive.
int64_t rounded_quotient(int64_t numerator, int64_t denominator)
{
    int64_t magnitude = numerator < 0 ? -numerator : numerator;
    int64_t quotient = (2 * magnitude + denominator) / (2 * denominator);
    return numerator < 0 ? -quotient : quotient;
}

uint32_t tag_hash(const std::string& key)
{
    uint32_t hash = 2166136261u;  // FNV-1a
    for (char c : key) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

void start_walk(Walk& walk, uint32_t tag_slot_count)
{
    walk.tag_slots.assign(tag_slot_count, 0);
    walk.tag_slot_mask = tag_slot_count - 1;
    start_visit_walk(walk.visits);
}

PlayedFigures& tag_row(Walk& walk, const char (&tag)[memo_size])
{
    std::vector<TagFigures>& rows = walk.into.tags;
    const std::string spelling = tag;
    size_t known = 0;
    if (count_known_spelling(walk.tag_places, walk.tag_spellings, spelling, &known)) return rows[known].figures;
    const std::string key = folded_name(sjis_to_utf8(tag, std::strlen(tag)));
    uint32_t slot = tag_hash(key) & walk.tag_slot_mask;
    for (; walk.tag_slots[slot]; slot = (slot + 1) & walk.tag_slot_mask) {
        const size_t row = static_cast<size_t>(walk.tag_slots[slot] - 1);
        if (rows[row].key != key) continue;
        count_new_spelling(walk.tag_places, walk.tag_spellings, row, spelling);
        return rows[row].figures;
    }
    rows.push_back(TagFigures{});
    rows.back().key = key;
    walk.tag_spellings.emplace_back();
    count_new_spelling(walk.tag_places, walk.tag_spellings, rows.size() - 1, spelling);
    walk.tag_slots[slot] = static_cast<int32_t>(rows.size());
    return rows.back().figures;
}

bool has_date(const LedgerDate& date) { return date.year != 0; }

void add_played(PlayedFigures& figures, int32_t amount)
{
    ++figures.days;
    add_to_summary(figures.results, amount);
}

void settle_average(PlayedFigures& figures)
{
    figures.average = figures.days ? rounded_quotient(figures.results.sum, figures.days) : 0;
}

StreakKind streak_kind(DayResult result)
{
    if (result == result_win) return streak_wins;
    if (result == result_loss) return streak_losses;
    return streak_none;
}

// A draw ends both streaks; strictly longer replaces, so ties keep the
// earliest.
void extend_streak(BalanceAnalysis& into, const LedgerDate& date, DayResult result)
{
    Streak& current = into.current;
    StreakKind kind = streak_kind(result);
    if (kind == streak_none) {
        current = Streak{};
        return;
    }
    if (current.kind != kind) current = Streak{kind, 0, date};
    ++current.length;
    Streak& longest = kind == streak_wins ? into.longest_wins : into.longest_losses;
    if (current.length > longest.length) longest = current;
}

void note_best_and_worst(BalanceAnalysis& into, const LedgerDate& date, int32_t amount)
{
    DayResult result = day_result(amount);
    if (result == result_win && (!has_date(into.best.date) || amount > into.best.amount))
        into.best = DayRecord{date, amount};
    if (result == result_loss && (!has_date(into.worst.date) || amount < into.worst.amount))
        into.worst = DayRecord{date, amount};
}

void follow_running_total(Walk& walk, const LedgerDate& date, int32_t amount)
{
    walk.running += counted_amount(amount);
    if (walk.running > walk.high) {
        walk.high = walk.running;
        walk.high_date = date;
    } else if (walk.high - walk.running > walk.into.largest_fall.depth) {
        walk.into.largest_fall = Fall{walk.high - walk.running, walk.high_date, date};
    }
}

void add_played_day(Walk& walk, const LedgerDate& date, int weekday, int32_t amount, const char* memo)
{
    BalanceAnalysis& into = walk.into;
    into.last_played = date;
    add_played(into.totals, amount);
    add_played(into.weekdays[weekday], amount);
    note_best_and_worst(into, date, amount);
    extend_streak(into, date, day_result(amount));
    follow_running_total(walk, date, amount);
    char tag[memo_size];
    memo_tag(memo, tag);
    add_played(tag_row(walk, tag), amount);
}

// Walks the real dates of a year: the month bars, and the running total
// after each day when `daily` is given.
void walk_year(Walk& walk, int year, const AmountTable& amounts, const MemoTable& memos,
               ResultSummary (&months)[ledger_months], std::vector<int64_t>* daily)
{
    int weekday = weekday_of(year, 1, 1);
    for (int month = 1; month <= ledger_months; ++month) {
        months[month - 1] = ResultSummary{};
        for (int day = 1; day <= days_in_month(year, month); ++day, weekday = (weekday + 1) % 7) {
            int32_t amount = amounts[month - 1][day - 1];
            if (amount != 0) {
                add_to_summary(months[month - 1], amount);
                add_played_day(walk, LedgerDate{year, month, day}, weekday, amount, memos[month - 1][day - 1]);
            }
            if (daily) daily->push_back(walk.running);
        }
    }
}

// Starts afresh but keeps the vectors' room.
void start_analysis(BalanceAnalysis& into, int period)
{
    std::vector<ResultSummary> bars;
    std::vector<int64_t> running;
    std::vector<TagFigures> tags;
    bars.swap(into.bars);
    running.swap(into.running);
    tags.swap(into.tags);
    into = BalanceAnalysis{};
    into.period = period;
    bars.clear();
    running.clear();
    tags.clear();
    into.bars.swap(bars);
    into.running.swap(running);
    into.tags.swap(tags);
}

void sort_tags(std::vector<TagFigures>& rows, const std::vector<SpellingCount>& spellings)
{
    for (size_t i = 0; i < rows.size(); ++i) {
        settle_average(rows[i].figures);
        const std::string& spelling = most_used_spelling(spellings[i]);
        std::memcpy(rows[i].tag, spelling.c_str(), std::min(spelling.size() + 1, sizeof rows[i].tag));
    }
    std::sort(rows.begin(), rows.end(), [](const TagFigures& left, const TagFigures& right) {
        if (left.figures.results.sum != right.figures.results.sum)
            return left.figures.results.sum > right.figures.results.sum;
        return std::strcmp(left.tag, right.tag) < 0;  // compares unsigned bytes
    });
}

void finish_analysis(Walk& walk)
{
    BalanceAnalysis& into = walk.into;
    into.bars_begun = static_cast<int>(into.bars.size());
    settle_average(into.totals);
    for (PlayedFigures& row : into.weekdays) settle_average(row);
    int64_t decided = int64_t{into.totals.results.wins} + into.totals.results.losses;
    into.has_win_rate = decided > 0;
    if (decided) {
        int64_t wins = into.totals.results.wins;
        into.win_rate_tenths = static_cast<int32_t>(rounded_quotient(1000 * wins, decided));
    }
    sort_tags(into.tags, walk.tag_spellings);
    finish_visit_walk(walk.visits, into.visits);
}

bool is_before(const LedgerDate& left, const LedgerDate& right)
{
    if (left.year != right.year) return left.year < right.year;
    if (left.month != right.month) return left.month < right.month;
    return left.day < right.day;
}

// Days of the year up to and including the date.
size_t days_through(const LedgerDate& date)
{
    size_t days = static_cast<size_t>(date.day);
    for (int month = 1; month < date.month; ++month) days += static_cast<size_t>(days_in_month(date.year, month));
    return days;
}

// Keeps the first `bars` bars and `points` points of the running total.
void cut_chart(BalanceAnalysis& analysis, long bars, long points)
{
    analysis.bars_begun = static_cast<int>(std::clamp<long>(bars, 0, static_cast<long>(analysis.bars.size())));
    analysis.running.resize(std::min(analysis.running.size(), static_cast<size_t>(std::max(0L, points))));
}

bool amounts_file_exists(int year) { return path_exists(ledger_part_path(year, part_amounts).c_str()); }

// Years without a file between two with data stand still on the chart.
void chart_gap_until(BalanceAnalysis& into, int year, int64_t running)
{
    for (int missing = into.last_year + 1; into.last_year && missing < year; ++missing) {
        into.bars.push_back(ResultSummary{});
        into.running.insert(into.running.end(), ledger_months, running);
    }
}

void add_year_to_chart(BalanceAnalysis& into, int year, const ResultSummary (&months)[ledger_months],
                       int64_t running_before)
{
    ResultSummary bar = {};
    int64_t running = running_before;
    for (const ResultSummary& month : months) {
        bar.sum += month.sum;
        bar.wins += month.wins;
        bar.losses += month.losses;
        bar.draws += month.draws;
        running += month.sum;
        into.running.push_back(running);
    }
    into.bars.push_back(bar);
    if (!into.first_year) into.first_year = year;
    into.last_year = year;
}

}  // namespace

void memo_tag(const char* memo, char (&tag)[memo_size])
{
    char text[memo_size];
    copy_sjis_cut(text, memo, memo_max_bytes);  // a damaged field still ends
    const char* word = text;
    // Line breaks before the first word are skipped as spaces are.
    while (*word == '\r' || *word == '\n' || space_width(word)) word += *word == '\r' || *word == '\n' ? 1 : space_width(word);
    size_t length = 0;
    while (!ends_word(word + length)) length += character_width(word + length);
    if (length == 0) {
        std::memcpy(tag, no_memo_tag, sizeof no_memo_tag);
        return;
    }
    std::memcpy(tag, word, length);
    tag[length] = 0;
}

namespace {
// Its visits count nowhere: the window says so and marks their figures.
void note_unreadable_visits(BalanceAnalysis& into, const LedgerYear& value)
{
    if (value.status.parts[part_visits] == part_unreadable)
        into.unreadable_visits.push_back(UnreadableVisits{value.year, value.visit_problems});
}
}  // namespace

void analyse_year(const LedgerYear& value, BalanceAnalysis& into)
{
    start_analysis(into, value.year);
    into.first_year = into.last_year = value.year;
    Walk walk(into);
    start_walk(walk, year_tag_slots);
    ResultSummary months[ledger_months];
    walk_year(walk, value.year, value.amounts, value.memos, months, &into.running);
    add_year_visits(walk.visits, value);
    note_unreadable_visits(into, value);
    into.bars.assign(months, months + ledger_months);
    finish_analysis(walk);
}

// The day-off marks play no part in the figures; not reading them spares
// a file a year.
const unsigned analysed_parts = all_ledger_parts & ~(1u << part_day_off);

struct AllYearsWork {
    explicit AllYearsWork(BalanceAnalysis& into) : walk(into) {}
    Walk walk;
    int next_year = first_ledger_year;
    bool finished = false;
    LedgerYear value;
};

AllYearsWork* begin_all_years(BalanceAnalysis& into)
{
    start_analysis(into, all_years_period);
    AllYearsWork* work = new AllYearsWork(into);
    start_walk(work->walk, all_years_tag_slots);
    return work;
}

bool step_all_years(AllYearsWork* work)
{
    if (work->finished) return false;
    Walk& walk = work->walk;
    while (work->next_year <= last_ledger_year) {
        const int year = work->next_year++;
        // Only a year with its amounts (on disk or held in memory) shows.
        YearStatus status;
        if (!amounts_file_exists(year) && !ledger_has_unsaved_changes()) continue;
        read_ledger_year(year, work->value, &status, analysed_parts);
        if (status.parts[part_amounts] != part_read) continue;
        chart_gap_until(walk.into, year, walk.running);
        int64_t running_before = walk.running;
        ResultSummary months[ledger_months];
        walk_year(walk, year, work->value.amounts, work->value.memos, months, nullptr);
        add_year_visits(walk.visits, work->value);
        note_unreadable_visits(walk.into, work->value);
        add_year_to_chart(walk.into, year, months, running_before);
        return true;
    }
    finish_analysis(walk);
    work->finished = true;
    return false;
}

void drop_all_years(AllYearsWork* work) { delete work; }

void analyse_all_years(BalanceAnalysis& into)
{
    AllYearsWork* work = begin_all_years(into);
    while (step_all_years(work)) {
    }
    drop_all_years(work);
}

void analyse_period(int period, BalanceAnalysis& into)
{
    if (period == all_years_period) {
        analyse_all_years(into);
        return;
    }
    LedgerYear value;
    read_ledger_year(period, value, nullptr, analysed_parts);
    analyse_year(value, into);
}

void end_chart_at(BalanceAnalysis& analysis, const LedgerDate& today)
{
    const LedgerDate end = is_before(today, analysis.last_played) ? analysis.last_played : today;
    if (analysis.period != all_years_period) {
        if (analysis.period > end.year) cut_chart(analysis, 0, 0);
        if (analysis.period == end.year) cut_chart(analysis, end.month, static_cast<long>(days_through(end)));
        return;
    }
    if (!analysis.first_year) return;
    const long years_begun = end.year - analysis.first_year + 1;
    cut_chart(analysis, years_begun, (years_begun - 1) * ledger_months + end.month);
}

std::vector<int> years_with_amounts()
{
    std::vector<int> years;
    for (int year = first_ledger_year; year <= last_ledger_year; ++year)
        if (amounts_file_exists(year)) years.push_back(year);
    return years;
}
