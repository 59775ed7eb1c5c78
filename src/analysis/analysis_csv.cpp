#include "analysis/analysis.h"

#include <cinttypes>
#include <cstdio>

#include "ledger/csv.h"
#include "ledger/csv_export.h"
#include "platform/platform.h"
#include "platform/text_convert.h"

namespace {
// The CSV's texts in Shift-JIS.
const char items_header[] = "\x8D\x80\x96\xDA,\x92\x6C\r\n";                   // 項目,値
const char period_label[] = "\x8A\xFA\x8A\xD4";                                // 期間
const char all_years_label[] = "\x91\x53\x8A\xFA\x8A\xD4";                     // 全期間
const char played_days_label[] = "\x89\xD2\x93\xAD\x93\xFA\x90\x94";           // 稼働日数
const char wins_label[] = "\x8F\x9F\x82\xBF";                                  // 勝ち
const char losses_label[] = "\x95\x89\x82\xAF";                                // 負け
const char draws_label[] = "\x95\xAA\x82\xAF";                                 // 分け
const char win_rate_label[] = "\x8F\x9F\x97\xA6";                              // 勝率
const char no_rate[] = "\x81\x7C";                                             // －
const char total_label[] = "\x8D\x87\x8C\x76";                                 // 合計
const char average_label[] = "\x95\xBD\x8B\xCF";                               // 平均
const char best_label[] = "\x8D\xC5\x8D\x82";                                  // 最高
const char worst_label[] = "\x8D\xC5\x92\xE1";                                 // 最低
const char longest_wins_label[] = "\x8D\xC5\x91\xE5\x98\x41\x8F\x9F";          // 最大連勝
const char longest_losses_label[] = "\x8D\xC5\x91\xE5\x98\x41\x94\x73";        // 最大連敗
const char largest_fall_label[] = "\x8D\xC5\x91\xE5\x89\xBA\x97\x8E\x95\x9D";  // 最大下落幅
// 曜日,日数,勝ち,負け,分け,合計
const char weekdays_header[] =
    "\x97\x6A\x93\xFA,\x93\xFA\x90\x94,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,\x95\xAA\x82\xAF,\x8D\x87\x8C\x76\r\n";
// メモ,日数,勝ち,負け,分け,合計
const char tags_header[] =
    "\x83\x81\x83\x82,\x93\xFA\x90\x94,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,\x95\xAA\x82\xAF,\x8D\x87\x8C\x76\r\n";
// 日 月 火 水 木 金 土
const char* const weekday_names[7] = {"\x93\xFA", "\x8C\x8E", "\x89\xCE", "\x90\x85",
                                      "\x96\xD8", "\x8B\xE0", "\x93\x79"};

bool has_date(const LedgerDate& date) { return date.year != 0; }

void append_line(std::string& text, const char* label, const char* value)
{
    text += label;
    text += ',';
    text += value;
    text += "\r\n";
}

void append_number_line(std::string& text, const char* label, int64_t value)
{
    char number[24];
    std::snprintf(number, sizeof number, "%" PRId64, value);
    append_line(text, label, number);
}

// An empty date and 0 when there is no such day.
void append_day_line(std::string& text, const char* label, const DayRecord& record)
{
    char value[48] = ",0";
    if (has_date(record.date))
        std::snprintf(value, sizeof value, "%04d/%02d/%02d,%" PRId32, record.date.year, record.date.month,
                      record.date.day, record.amount);
    append_line(text, label, value);
}

void append_figures_block(std::string& text, const BalanceAnalysis& analysis)
{
    const ResultSummary& results = analysis.totals.results;
    text += items_header;
    if (analysis.period == all_years_period)
        append_line(text, period_label, all_years_label);
    else
        append_number_line(text, period_label, analysis.period);
    append_number_line(text, played_days_label, analysis.totals.days);
    append_number_line(text, wins_label, results.wins);
    append_number_line(text, losses_label, results.losses);
    append_number_line(text, draws_label, results.draws);
    char rate[16];
    std::snprintf(rate, sizeof rate, "%" PRId32 ".%" PRId32, analysis.win_rate_tenths / 10,
                  analysis.win_rate_tenths % 10);
    append_line(text, win_rate_label, analysis.has_win_rate ? rate : no_rate);
    append_number_line(text, total_label, results.sum);
    append_number_line(text, average_label, analysis.totals.average);
    append_day_line(text, best_label, analysis.best);
    append_day_line(text, worst_label, analysis.worst);
    append_number_line(text, longest_wins_label, analysis.longest_wins.length);
    append_number_line(text, longest_losses_label, analysis.longest_losses.length);
    append_number_line(text, largest_fall_label, analysis.largest_fall.depth);
}

void append_row(std::string& text, const char* name, const PlayedFigures& figures)
{
    append_quoted_when_needed(text, name);
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, ",%" PRId32 ",%" PRId32 ",%" PRId32 ",%" PRId32 ",%" PRId64 "\r\n",
                  figures.days, figures.results.wins, figures.results.losses, figures.results.draws,
                  figures.results.sum);
    text += numbers;
}

std::string sjis(const std::string& utf8) { return utf8_to_sjis(utf8.data(), utf8.size()); }

// "97.3", or "－" when there is no rate.
std::string rate_text(const Rate& rate)
{
    if (!rate.known) return sjis("－");
    char text[32];
    const int64_t magnitude = rate.value < 0 ? -rate.value : rate.value;
    std::snprintf(text, sizeof text, "%s%" PRId64 ".%" PRId64, rate.value < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return text;
}

std::string hours_text(int64_t minutes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ":%02" PRId64, minutes / 60, minutes % 60);
    return text;
}

void append_visit_totals(std::string& text, const VisitTotals& totals)
{
    text += sjis("明細,値\r\n");
    append_number_line(text, sjis("回数").c_str(), totals.visits);
    append_number_line(text, sjis("投資").c_str(), totals.stake);
    append_number_line(text, sjis("回収").c_str(), totals.returned);
    append_line(text, sjis("回収率").c_str(), rate_text(totals.return_rate).c_str());
    append_line(text, sjis("稼働時間").c_str(), hours_text(totals.minutes).c_str());
    const std::string hourly = totals.hourly.known ? std::to_string(totals.hourly.value) : sjis("－");
    append_line(text, sjis("時給").c_str(), hourly.c_str());
}

// 回数,勝ち,負け,分け,投資,回収,収支,回収率; the days without visits have no
// results, stake or return.
void append_visit_row(std::string& text, const VisitRow& row)
{
    append_quoted_when_needed(text, sjis(row.name).c_str());
    text += ',';
    append_number(text, row.visits);
    if (row.days_without_visits) {
        text += ",,,,,,";
    } else {
        for (int64_t value : {int64_t{row.wins}, int64_t{row.losses}, int64_t{row.draws}, row.stake, row.returned}) {
            text += ',';
            append_number(text, value);
        }
        text += ',';
    }
    append_number(text, row.balance);
    text += ',' + rate_text(row.return_rate) + "\r\n";
}

void append_visit_blocks(std::string& text, const VisitFigures& visits)
{
    text += "\r\n";
    append_visit_totals(text, visits.totals);
    const char* const names[visit_table_count] = {"種別", "場所", "機種"};
    for (int table = 0; table < visit_table_count; ++table) {
        text += "\r\n" + sjis(std::string(names[table]) + ",回数,勝ち,負け,分け,投資,回収,収支,回収率\r\n");
        for (const VisitRow& row : visits.rows[table]) append_visit_row(text, row);
    }
}
}  // namespace

std::string analysis_csv_path(int period)
{
    std::string name = period == all_years_period ? "all" : std::to_string(period);
    return csv_folder() + name + "-analysis.csv";
}

std::string analysis_csv_text(const BalanceAnalysis& analysis)
{
    std::string text;
    text.reserve(1024 + analysis.tags.size() * 48);
    append_figures_block(text, analysis);
    text += "\r\n";
    text += weekdays_header;
    for (int weekday = 0; weekday < 7; ++weekday) append_row(text, weekday_names[weekday], analysis.weekdays[weekday]);
    text += "\r\n";
    text += tags_header;
    for (const TagFigures& row : analysis.tags) append_row(text, row.tag, row.figures);
    // A period with visits has their blocks after; one without is as ever.
    if (analysis.visits.totals.visits) append_visit_blocks(text, analysis.visits);
    return text;
}

bool export_analysis_csv(const BalanceAnalysis& analysis)
{
    make_directory(csv_folder().c_str());
    std::string text = analysis_csv_text(analysis);
    return replace_file(analysis_csv_path(analysis.period).c_str(),
                        std::vector<unsigned char>(text.begin(), text.end()));
}
