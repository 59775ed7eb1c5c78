#include "analysis/analysis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "platform/text_convert.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

const std::string no_memo = "\x81\x69\x83\x81\x83\x82\x82\xC8\x82\xB5\x81\x6A";  // （メモなし）

struct Entry {
    int month, day;
    int32_t amount;
    const char* memo;
};

class Analysis : public ::testing::Test {
protected:
    void SetUp() override { set_program_path(folder.file("Ravo.exe").c_str()); }
    void TearDown() override { discard_unsaved_changes(); }
    // Reads the year and puts the days into it; saved when asked.
    void put(int year, std::initializer_list<Entry> entries, bool save)
    {
        read_ledger_year(year, value);
        for (const Entry& e : entries) {
            value.amounts[e.month - 1][e.day - 1] = e.amount;
            std::strcpy(value.memos[e.month - 1][e.day - 1], e.memo);
        }
        EXPECT_TRUE(!save || save_ledger_year(value));
    }
    static void expect_date(const LedgerDate& date, int year, int month, int day)
    {
        EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, year * 10000 + month * 100 + day);
    }
    TempFolder folder;
    LedgerYear value;
    BalanceAnalysis a;
};

}  // namespace

TEST(MemoTags, FirstWordByCharacter)
{
    char tag[memo_size];
    auto tag_of = [&](const char* memo) { return memo_tag(memo, tag), std::string(tag); };
    EXPECT_EQ(tag_of("  slot 3"), "slot");
    EXPECT_EQ(tag_of("\x81\x40 \x81\x40pachi\x81\x40x"), "pachi");
    EXPECT_EQ(tag_of("horse\r\nx"), "horse");
    EXPECT_EQ(tag_of("a\nb"), "a");
    EXPECT_EQ(tag_of("\r\n \nhorse x"), "horse") << "leading line breaks skipped as spaces are";
    EXPECT_EQ(tag_of("\x83\x40\x83\x81\x40z y"), "\x83\x40\x83\x81\x40z") << "trail bytes 0x40 and 0x81 0x40";
    EXPECT_EQ(tag_of(""), no_memo);
    EXPECT_EQ(tag_of(" \x81\x40 \r\n"), no_memo);
    char field[memo_size];
    std::memset(field, 'x', sizeof field);  // a damaged field without its NUL
    EXPECT_EQ(tag_of(field), std::string(memo_max_bytes, 'x'));
}

TEST_F(Analysis, OneYearStreaksRecordsFallAndWeekdays)
{
    put(2009,
        {{1, 5, 500, "A,B x"}, {1, 6, 201, "say\"q\""}, {1, 8, 300, ""}, {1, 9, -1, ""}, {1, 10, 500, "A,B"},
         {1, 11, -400, ""}, {1, 12, -900, ""}, {1, 13, -900, ""}, {3, 2, 100, ""},
         {3, 27, -100, ""}, {3, 28, -100, ""}, {3, 29, -100, ""}},
        false);
    analyse_year(value, a);
    EXPECT_EQ(a.totals.results.sum, year_summary(value).sum);
    value.amounts[1][29] = 99999;  // 30 February is no date
    analyse_year(value, a);

    EXPECT_EQ(a.totals.days, 12);
    EXPECT_EQ(a.totals.results.sum, -899);
    EXPECT_EQ(a.totals.average, -75);
    EXPECT_EQ(a.win_rate_tenths, 455);
    ASSERT_EQ(a.bars.size(), 12u);
    EXPECT_EQ(a.bars[0].sum, -699);
    EXPECT_EQ(a.bars[0].draws, 1);
    EXPECT_EQ(a.bars[1].sum, 0);
    ASSERT_EQ(a.running.size(), 365u);
    EXPECT_EQ(a.running[9], 1501);
    EXPECT_EQ(a.running[364], -899);

    expect_date(a.best.date, 2009, 1, 5);  // ties keep the earliest
    expect_date(a.worst.date, 2009, 1, 12);
    EXPECT_EQ(a.worst.amount, -900);
    EXPECT_EQ(a.longest_wins.length, 3);  // the empty 7th does not break it, the draw does
    expect_date(a.longest_wins.start, 2009, 1, 5);
    EXPECT_EQ(a.longest_losses.length, 3);
    expect_date(a.longest_losses.start, 2009, 1, 11);  // the tie in March comes later
    EXPECT_EQ(a.current.kind, streak_losses);
    expect_date(a.current.start, 2009, 3, 27);
    EXPECT_EQ(a.largest_fall.depth, 2400);
    expect_date(a.largest_fall.high, 2009, 1, 10);
    expect_date(a.largest_fall.low, 2009, 3, 29);

    EXPECT_EQ(a.weekdays[1].days, 3);  // Mondays
    EXPECT_EQ(a.weekdays[1].results.sum, -300);
    EXPECT_EQ(a.weekdays[2].average, -350) << "-349.5 rounds away from zero";
    EXPECT_EQ(a.weekdays[3].days, 0);
    ASSERT_EQ(a.tags.size(), 3u);
    EXPECT_STREQ(a.tags[0].tag, "A,B");
    EXPECT_EQ(a.tags[0].figures.days, 2);
    EXPECT_EQ(a.tags[2].tag, no_memo);
    EXPECT_EQ(a.tags[2].figures.results.losses, 6);

    ASSERT_TRUE(export_analysis_csv(a));
    Bytes bytes = read_bytes(folder.path() / "CSV" / "2009-analysis.csv");
    std::string csv(bytes.begin(), bytes.end());
    const std::string head = "項目,値\r\n期間,2009\r\n稼働日数,12\r\n勝ち,5\r\n負け,6\r\n分け,1\r\n勝率,45.5\r\n合計,-899\r\n";
    EXPECT_EQ(csv.rfind(utf8_to_sjis(head.data(), head.size()), 0), 0u);
    // 勝率, 平均, 最低; 最大下落幅, an empty line, 曜日,日数,勝ち,負け,分け,合計 and 日; 土, an empty line, メモ
    for (const char* line : {"\n\x8F\x9F\x97\xA6,45.5\r\n", "\n\x95\xBD\x8B\xCF,-75\r\n",
                             "\n\x8D\xC5\x92\xE1,2009/01/12,-900\r\n",
                             "\n\x8D\xC5\x91\xE5\x89\xBA\x97\x8E\x95\x9D,2400\r\n\r\n"
                             "\x97\x6A\x93\xFA,\x93\xFA\x90\x94,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,\x95\xAA\x82\xAF,"
                             "\x8D\x87\x8C\x76\r\n\x93\xFA,2,0,2,0,-500\r\n",
                             "\n\x93\x79,2,1,1,0,400\r\n\r\n\x83\x81\x83\x82,",
                             "\n\"A,B\",2,2,0,0,1000\r\n\"say\"\"q\"\"\",1,1,0,0,201\r\n"})
        EXPECT_NE(csv.find(line), std::string::npos) << line;
    EXPECT_EQ(csv.size() - csv.rfind("\r\n"), 2u);
    EXPECT_EQ(csv.find("\r\n\r\n\r\n"), std::string::npos);
}

TEST_F(Analysis, AllYearsRunAcrossYearEndsAndMissingYears)
{
    put(2005, {{12, 30, 100, "\x83\x40"}, {12, 31, 100, "z"}}, true);
    put(2008, {{1, 1, 300, "b"}}, true);
    // Unsaved (its save failed), taken from memory.
    value.amounts[0][1] = -500;
    std::filesystem::create_directory(folder.path() / "2008.dat.new");
    EXPECT_FALSE(save_ledger_year(value));
    analyse_period(all_years_period, a);

    EXPECT_EQ(years_with_amounts(), (std::vector<int>{2005, 2008}));
    EXPECT_EQ(a.first_year, 2005);
    EXPECT_EQ(a.last_year, 2008);
    ASSERT_EQ(a.bars.size(), 4u);
    EXPECT_EQ(a.bars[1].sum + a.bars[2].sum, 0);
    EXPECT_EQ(a.bars[3].sum, -200);
    EXPECT_EQ(a.bars[3].losses, 1);
    ASSERT_EQ(a.running.size(), 48u);
    EXPECT_EQ(a.running[11], 200);
    EXPECT_EQ(a.running[35], 200);
    EXPECT_EQ(a.running[47], 0);
    EXPECT_EQ(a.longest_wins.length, 3);
    expect_date(a.longest_wins.start, 2005, 12, 30);
    EXPECT_EQ(a.current.kind, streak_losses);
    EXPECT_EQ(a.largest_fall.depth, 500);
    expect_date(a.largest_fall.high, 2008, 1, 1);
    ASSERT_EQ(a.tags.size(), 4u);  // ties by unsigned bytes: z before 0x83
    EXPECT_EQ(std::string(a.tags[0].tag) + a.tags[1].tag + a.tags[2].tag, "bz\x83\x40");
    EXPECT_EQ(a.tags[3].tag, no_memo);
    EXPECT_EQ(a.tags[0].figures.average, 300);
    EXPECT_EQ(analysis_csv_text(a).find("\x8A\xFA\x8A\xD4,\x91\x53\x8A\xFA\x8A\xD4\r\n"), 9u);  // 期間,全期間
    EXPECT_NE(analysis_csv_text(a).find("\r\n\x8F\x9F\x97\xA6,75.0\r\n"), std::string::npos);  // 勝率
    EXPECT_NE(analysis_csv_text(a).find("\r\n\x8D\xC5\x91\xE5\x98\x41\x94\x73,"), std::string::npos);  // 最大連敗
    EXPECT_EQ(std::filesystem::path(analysis_csv_path(all_years_period)), folder.path() / "CSV" / "all-analysis.csv");
    end_chart_at(a, LedgerDate{2008, 1, 1});
    EXPECT_EQ(a.bars_begun * 1000 + static_cast<int>(a.running.size()), 4037) << "through the played 2nd";

    // A visits file that cannot be read is named with its first problem.
    write_bytes(folder.path() / "2005d.csv", Bytes{'2', '0', '0', '5', '/', '2', '/', '3', '0'});
    analyse_period(2005, a);  // only rises
    ASSERT_EQ(a.unreadable_visits.size(), 1u);
    EXPECT_EQ(a.unreadable_visits[0].year * 1000 + static_cast<int>(a.unreadable_visits[0].problems.size()), 2005001);
    analyse_all_years(a);
    EXPECT_EQ(a.unreadable_visits.size(), 1u);
    analyse_period(2005, a);
    EXPECT_EQ(a.largest_fall.depth, 0);
    EXPECT_EQ(a.largest_fall.low.year, 0);
    EXPECT_EQ(a.totals.results.sum, 200);
    read_ledger_year(2010, value);  // no file, nothing entered
    analyse_all_years(a);
    EXPECT_EQ(a.last_year, 2008);

    // A year at a time, with a year analysed between the steps (as the
    // window may show one meanwhile): the same figures. ｚ folds into
    // 2005's z.
    put(2009, {{3, 1, 50, "\x82\x9A"}}, true);
    BalanceAnalysis whole, stepped, between;
    analyse_all_years(whole);
    AllYearsWork* work = begin_all_years(stepped);
    EXPECT_TRUE(step_all_years(work));
    analyse_period(2008, between);
    while (step_all_years(work)) {
    }
    EXPECT_FALSE(step_all_years(work)) << "finished once, not again";
    drop_all_years(work);
    EXPECT_EQ(analysis_csv_text(stepped), analysis_csv_text(whole));
    EXPECT_EQ(whole.tags.size(), 4u);
}

TEST_F(Analysis, PeriodWithoutDataAndFallFromTheStart)
{
    analyse_all_years(a);
    EXPECT_EQ(a.first_year, 0);
    EXPECT_TRUE(a.bars.empty() && a.running.empty() && a.tags.empty());
    EXPECT_FALSE(a.has_win_rate);
    EXPECT_EQ(a.best.date.year + a.worst.date.year + a.current.length, 0);
    std::string csv = analysis_csv_text(a);
    EXPECT_NE(csv.find("\r\n\x8F\x9F\x97\xA6,\x81\x7C\r\n"), std::string::npos);  // 勝率,－
    EXPECT_NE(csv.find("\r\n\x8D\xC5\x8D\x82,,0\r\n"), std::string::npos);        // 最高,,0
    // 土, an empty line, メモ,日数,勝ち,負け,分け,合計 and no tags
    std::string tail = "\n\x93\x79,0,0,0,0,0\r\n\r\n\x83\x81\x83\x82,\x93\xFA\x90\x94,\x8F\x9F\x82\xBF,"
                       "\x95\x89\x82\xAF,\x95\xAA\x82\xAF,\x8D\x87\x8C\x76\r\n";
    EXPECT_EQ(csv.substr(csv.size() - tail.size()), tail);

    put(2010, {{1, 3, 7, ""}, {1, 4, -50, ""}}, false);
    analyse_year(value, a);
    EXPECT_EQ(a.largest_fall.depth, 50);
    EXPECT_EQ(a.largest_fall.high.year, 0) << "the high was the start's 0";
    expect_date(a.largest_fall.low, 2010, 1, 4);
    EXPECT_EQ(a.win_rate_tenths, 0);
    EXPECT_TRUE(a.has_win_rate) << "one decided day has a rate";
    EXPECT_EQ(a.best.date.year, 0) << "a draw is never the best day";

    // The chart ends today: the months to come have no bar; past years stay whole.
    value.amounts[0][3] = 0;
    analyse_year(value, a);
    end_chart_at(a, LedgerDate{2010, 3, 2});
    EXPECT_EQ(a.bars_begun * 1000 + static_cast<int>(a.running.size()), 3061);
    EXPECT_EQ(a.totals.days, 1);
    end_chart_at(a, LedgerDate{2009, 12, 31});
    EXPECT_EQ(a.bars_begun * 1000 + static_cast<int>(a.running.size()), 1003) << "the played 3rd, after today";
    value.year = 2009;
    analyse_year(value, a);
    end_chart_at(a, LedgerDate{2010, 3, 2});
    EXPECT_EQ(a.bars_begun * 1000 + static_cast<int>(a.running.size()), 12365);
    value.year = 2011;
    value.amounts[0][2] = 0;
    analyse_year(value, a);
    end_chart_at(a, LedgerDate{2010, 3, 2});
    EXPECT_EQ(a.bars_begun * 1000 + static_cast<int>(a.running.size()), 0);
}
