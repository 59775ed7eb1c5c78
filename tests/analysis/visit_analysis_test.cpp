#include "analysis/visit_analysis.h"

#include <gtest/gtest.h>

#include <cstring>

#include "analysis/days_behind.h"
#include "platform/text_convert.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
std::string sjis(const std::string& utf8) { return utf8_to_sjis(utf8.data(), utf8.size()); }

std::vector<std::string> dates(const std::vector<DayBehind>& days)
{
    std::vector<std::string> text;
    for (const DayBehind& day : days) text.push_back(std::to_string(day.date.month) + "/" + std::to_string(day.date.day));
    return text;
}
}  // namespace

TEST(NameFolding, WidthsSpacesAndVoicedKana)
{
    EXPECT_EQ(folded_name("ＡＢＣ会館"), "ABC会館");
    EXPECT_EQ(folded_name("ｶﾞﾝﾀﾞﾑ ﾊﾟﾁﾝｺ ｳﾞ"), "ガンダム パチンコ ヴ");
    EXPECT_EQ(folded_name("ﾋﾞﾍﾞﾎﾟ"), "ビベポ");
    EXPECT_EQ(folded_name("ｶﾟガﾞｱﾞ"), "カ゜ガ゛ア゛") << "marks no kana takes stand alone";
    EXPECT_EQ(folded_name("　海　　物語 "), "海 物語");
    EXPECT_EQ(folded_name("Café"), "Café") << "two-byte characters pass whole";
    EXPECT_EQ(folded_name("Ａ１！～"), "A1!~");
    EXPECT_EQ(folded_name("A￥￠￡￢￣￤￦"), "A¥¢£¬¯¦₩");
    EXPECT_EQ(folded_name("\xF0\x90\x80\x80\xF0\x9F\x98\x81\xE0\xA0\x80"), "\xF0\x90\x80\x80\xF0\x9F\x98\x81\xE0\xA0\x80");
    EXPECT_EQ(folded_name("ﾞｱ｡"), "゛ア。") << "a mark with no kana before it stands alone";
    SpellingCount count;
    for (const char* spelling : {"ＡＢＣ", "ABC", "ABC", "ＡＢＣ"}) count_spelling(count, spelling);
    EXPECT_EQ(most_used_spelling(count), "ＡＢＣ") << "the earliest of a tie";
    count_spelling(count, "ABC");
    EXPECT_EQ(most_used_spelling(count), "ABC");
    // A spelling met again through the walk's index counts as much.
    SpellingPlaces places;
    std::vector<SpellingCount> rows(2);
    size_t row = 9;
    count_new_spelling(places, rows, 1, "ABC");
    count_new_spelling(places, rows, 1, "ＡＢＣ");
    EXPECT_FALSE(count_known_spelling(places, rows, "abc", &row));
    EXPECT_TRUE(count_known_spelling(places, rows, "ＡＢＣ", &row));
    EXPECT_EQ(row, 1u);
    EXPECT_EQ(most_used_spelling(rows[1]), "ＡＢＣ");
}

TEST(VisitAnalysis, FiguresRowsCsvBlocksAndTheDaysBehindThem)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    LedgerYear value;
    read_ledger_year(2009, value);
    ASSERT_TRUE(set_day_visits(value, 3, 5,
                               {Visit{3, 5, "パチンコ", "ABC会館", "海", 10000, 15000, 21 * 60 + 30, 65, ""},
                                Visit{3, 5, "スロット", "ＡＢＣ会館", "", 5000, 0, no_time, no_time, ""}}));
    ASSERT_TRUE(set_day_visits(value, 3, 6, {Visit{3, 6, "パチンコ", "XYZ", "海", 1000, 1005, 600, 720, ""}}));
    value.amounts[2][6] = -2000;  // played without visits
    ASSERT_TRUE(set_day_visits(value, 3, 9, {Visit{3, 9, "競馬", "XYZ", "", 500, 0, no_time, no_time, ""}}));
    value.amounts[2][8] = 0;  // cleared with its visit kept: not played, not counted
    value.amounts[2][0] = 1;  // a draw on the 1st, a Sunday
    std::strcpy(value.memos[2][6], "\x82\x60\x82\x61\x82\x62 x");  // ＡＢＣ x
    ASSERT_TRUE(save_ledger_year(value));
    BalanceAnalysis analysis;
    analyse_period(2009, analysis);

    const VisitTotals& totals = analysis.visits.totals;
    EXPECT_EQ(totals.visits, 3);
    EXPECT_EQ(totals.stake, 16000);
    EXPECT_EQ(totals.returned, 16005);
    EXPECT_EQ(totals.return_rate.value, 1000);
    EXPECT_EQ(totals.minutes, 215 + 120) << "past midnight";
    EXPECT_EQ(totals.hourly.value, 896) << "5,005 over 5:35, rounded";
    EXPECT_EQ(rounded_ratio(-5005 * 60, 335), -896) << "a loss an hour keeps its sign";
    EXPECT_EQ(rounded_ratio(1999 * 1000, 2000), 1000) << "99.95 % is 100.0, not 99.9";
    const std::vector<VisitRow>& places = analysis.visits.rows[table_place];
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0].name, "XYZ");
    EXPECT_EQ(places[0].draws, 1);
    EXPECT_EQ(places[1].name, "ABC会館") << "one place in both widths, in its first spelling";
    EXPECT_EQ(places[1].visits, 2);
    EXPECT_EQ(places[1].wins * 10 + places[1].losses, 11);
    EXPECT_TRUE(places[2].days_without_visits);
    EXPECT_EQ(places[2].visits, 2);
    EXPECT_EQ(places[2].balance, -2000);
    ASSERT_EQ(analysis.visits.rows[table_game].size(), 3u);
    EXPECT_EQ(analysis.visits.rows[table_game][1].name, "（未入力）");
    bool folded_tag = false;
    for (const TagFigures& tag : analysis.tags) folded_tag = folded_tag || tag.key == "ABC";
    EXPECT_TRUE(folded_tag);

    const std::string csv = analysis_csv_text(analysis);
    for (const char* block : {"\r\n\r\n明細,値\r\n回数,3\r\n投資,16000\r\n回収,16005\r\n回収率,100.0\r\n稼働時間,5:35\r\n時給,896\r\n\r\n"
                              "種別,回数,勝ち,負け,分け,投資,回収,収支,回収率\r\n",
                              "\r\n場所,回数,勝ち,負け,分け,投資,回収,収支,回収率\r\nXYZ,1,0,0,1,1000,1005,5,100.5\r\n"
                              "ABC会館,2,1,1,0,15000,15000,0,100.0\r\n（明細なし）,2,,,,,,-2000,－\r\n\r\n機種,",
                              "\r\n（未入力）,1,0,1,0,5000,0,-5000,0.0\r\n"})
        EXPECT_NE(csv.find(sjis(block)), std::string::npos) << block;

    EXPECT_EQ(dates(days_behind(analysis, visit_row_choice(table_place, places[1]))), (std::vector<std::string>{"3/5"}));
    EXPECT_EQ(dates(days_behind(analysis, visit_row_choice(table_place, places[0]))), (std::vector<std::string>{"3/6"}));
    EXPECT_EQ(dates(days_behind(analysis, visit_row_choice(table_place, places[2]))),
              (std::vector<std::string>{"3/7", "3/1"}));
    EXPECT_EQ(dates(days_behind(analysis, FigureChoice{figure_bar, 2, 0, "", false})),
              (std::vector<std::string>{"3/7", "3/6", "3/5", "3/1"}));
    EXPECT_EQ(dates(days_behind(analysis, FigureChoice{figure_weekday, 0, 0, "", false})), (std::vector<std::string>{"3/1"}));
    EXPECT_EQ(dates(days_behind(analysis, FigureChoice{figure_weekday, 4, 0, "", false})),
              (std::vector<std::string>{"3/5"}));  // a Thursday
    const std::vector<DayBehind> tagged = days_behind(analysis, FigureChoice{figure_tag, 0, 0, "ABC", false});
    ASSERT_EQ(dates(tagged), (std::vector<std::string>{"3/7"}));
    EXPECT_EQ(tagged[0].amount, -2000);
    EXPECT_STREQ(tagged[0].memo, "\x82\x60\x82\x61\x82\x62 x");
    EXPECT_EQ(days_behind(analysis, visit_row_choice(table_place, places[1]))[0].places, "ABC会館・ＡＢＣ会館");
    EXPECT_EQ(days_behind(analysis, visit_row_choice(table_place, places[1]))[0].games, "海") << "no empty name";
    analyse_period(all_years_period, analysis);
    EXPECT_EQ(days_behind(analysis, FigureChoice{figure_bar, 0, 0, "", false}).size(), 4u);

    // A search of all years finds a text in a memo or a visit, widths
    // folded, also on a day not played (3/9 keeps its visit).
    BalanceAnalysis all;
    analyse_period(all_years_period, all);
    EXPECT_EQ(all.visits.totals.visits, totals.visits) << "all years count the visits too";
    EXPECT_EQ(dates(days_behind(all, text_choice("ａｂｃ"))), (std::vector<std::string>{"3/7", "3/5"}));
    EXPECT_EQ(dates(days_behind(all, text_choice("xyz"))), (std::vector<std::string>{"3/9", "3/6"}));
    EXPECT_TRUE(days_behind(all, text_choice("")).empty());
    // Kinds and games too, half-width kana as full; every year of the
    // calendar, and what the days found add up to.
    EXPECT_EQ(dates(days_behind(all, text_choice("ﾊﾟﾁﾝｺ"))), (std::vector<std::string>{"3/6", "3/5"}));
    EXPECT_EQ(dates(days_behind(all, text_choice("競馬"))), (std::vector<std::string>{"3/9"}));
    const BalanceAnalysis scope = search_scope();
    EXPECT_EQ(scope.first_year * 10000 + scope.last_year, 19902037);
    EXPECT_EQ(dates(days_behind(scope, text_choice("海"))), (std::vector<std::string>{"3/6", "3/5"}));
    const ResultSummary found = days_summary(days_behind(scope, text_choice("ａｂｃ")));  // -2,000 and ±0
    EXPECT_EQ(found.sum, -2000);
    EXPECT_EQ(found.wins * 100 + found.losses * 10 + found.draws, 11);
}
