#include "ledger/visits.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ledger/visit_entry.h"
#include "ledger/year_ledger.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
Visit visit(int month, int day, const char* place, int32_t stake, int32_t returned, int start = no_time,
            int end = no_time)
{
    return Visit{month, day, "パチンコ", place, "", stake, returned, start, end, ""};
}

std::string text_of(const std::vector<unsigned char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

VisitsFile parsed(const std::string& text)
{
    return parse_visits_file(2009, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}
}  // namespace

TEST(VisitsFile, EveryFieldComesBackAndTheBytesAreExact)
{
    std::vector<Visit> visits = {
        {3, 5, "スロット", "ABC会館, 2F", "\"海\" 物語", 12000, 15500, 21 * 60 + 30, 1 * 60 + 5, "朝から, 並んだ"},
        {3, 5, "競馬", "", "", 0, 0, no_time, no_time, ""},
        {12, 31, "その他", "x", "y", 99999999, 0, 0, 23 * 60 + 59, "z"},
    };
    // The longest texts the 明細 window takes.
    std::string longest[4];
    for (int i = 0; i < 200; ++i) longest[i < 16 ? 0 : i < 56 ? 1 : i < 96 ? 2 : 3] += "字";
    longest[3] = longest[0] + longest[1] + longest[2] + longest[3];
    visits.push_back(Visit{12, 31, longest[0], longest[1], longest[2], 1, 1, 600, 600, longest[3]});
    EXPECT_EQ(visit_fault(visits.back()) + visit_fault(visits[1]), "");
    Visit too_long = visits.back();
    too_long.category += "字";
    EXPECT_EQ(visit_fault(too_long), "種別は 16 文字までです。");
    const std::string text = text_of(visits_file_bytes(2009, visits));
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(text.substr(3, text.find("\r\n") - 3), "日付,種別,場所,機種,投資,回収,開始,終了,メモ");
    EXPECT_NE(text.find("\r\n2009/03/05,スロット,\"ABC会館, 2F\",\"\"\"海\"\" 物語\",12000,15500,21:30,01:05,"
                        "\"朝から, 並んだ\"\r\n2009/03/05,競馬,,,0,0,,,\r\n2009/12/31,"),
              std::string::npos)
        << text;
    VisitsFile back = parsed(text);
    ASSERT_EQ(back.problem_count, 0);
    ASSERT_EQ(back.visits.size(), 4u);
    for (size_t i = 0; i < visits.size(); ++i)
        EXPECT_EQ(text_of(visits_file_bytes(2009, {back.visits[i]})), text_of(visits_file_bytes(2009, {visits[i]})));
    EXPECT_EQ(visit_minutes(back.visits[0]), 3 * 60 + 35) << "past midnight";
    EXPECT_EQ(visit_minutes(back.visits[1]), -1);
    EXPECT_EQ(visit_minutes(back.visits[3]), 0) << "10:00 to 10:00 is no time, not a day";
    EXPECT_EQ(visit_balance(back.visits[0]), 3500);

    // As a spreadsheet saves it again: Shift-JIS, no BOM, LF, separators,
    // H:MM, the year dropped, the lines out of date order.
    const std::string resaved = "\x93\xFA\x95\x74,a,b,c,d,e,f,g,h\n3\x8C\x8E" "6\x93\xFA,\x8B\xA3\x94\x6E,p,,\"5,000\",0,9:05,,\n"
                                "2009/3/1,,q,,1,2,,,\n2009/3/7,,r,,0,0,,,12\" TV\n";
    back = parsed(resaved);
    ASSERT_EQ(back.problem_count, 0) << back.problems[0];
    ASSERT_EQ(back.visits.size(), 3u);
    EXPECT_EQ(back.visits[0].place, "q") << "by date";
    EXPECT_EQ(back.visits[2].note, "12\" TV") << "a quote inside a field is a character";
    EXPECT_EQ(back.visits[1].category, "競馬");
    EXPECT_EQ(back.visits[1].stake, 5000);
    EXPECT_EQ(back.visits[1].start, 9 * 60 + 5);
    // UTF-8 without its BOM, dates without the year, times with seconds.
    back = parsed("日付,種別\r\n1月10日,競馬,p,,1000,0,10:00:00,9:30:59,\r\n");
    ASSERT_EQ(back.problem_count, 0) << back.problems[0];
    EXPECT_EQ(back.visits.at(0).month * 100 + back.visits[0].day, 110);
    EXPECT_EQ(back.visits[0].category, "競馬");
    EXPECT_EQ(back.visits[0].start * 10000 + back.visits[0].end, 600 * 10000 + 570);

    back = parsed("日付\r\n2009/1/1,a,b,c,1,2,,,\"two\nlines\"\r\n2009/1/2,,,,-5,0,,,\r\n2009/1/3,,,,0,0,25:00,,\r\n"
                  "2009/1/4," + std::string(17 * 3, 'x') + ",,,0,0,,,\r\n2010/3/5,,,,0,0,,,\r\n2009/2/30,,,,0,0,,,\r\n"
                  "2009/1/5,,,,0,0,10:00:61,,\r\n");
    EXPECT_TRUE(back.visits.empty());
    EXPECT_EQ(back.problems, (std::vector<std::string>{"2行目: メモに改行があります。",
                                                      "4行目: 投資「-5」が 0 から 99,999,999 の整数ではありません。",
                                                      "5行目: 開始「25:00」が時刻ではありません。",
                                                      "6行目: 種別が 16 文字を超えています。",
                                                      "7行目: 2010/03/05 は2009年の日付ではありません。",
                                                      "8行目: 2009/02/30 はありません。",
                                                      "9行目: 開始「10:00:61」が時刻ではありません。"}));
    // A zero byte past where the encoding is judged: kept, it would be
    // written back into a file then taken for UTF-16.
    back = parsed("日付\r\n" + std::string(300, ' ') + "\r\n2009/1/5,,p" + std::string(1, '\0') + "q,,0,0,,,\r\n");
    EXPECT_EQ(back.problems, (std::vector<std::string>{"3行目: 場所に NUL 文字があります。"}));
    back = parsed("2009/1/1,,,,0,0,,,\r\n日付\r\nあいうえおかきくけ\r\nx\nx\nx\nx\nx\nx\nx\nx\nx\nx\n");
    EXPECT_EQ(back.problem_count, 12) << "a header only on the first line";
    ASSERT_EQ(back.problems.size(), 10u);
    EXPECT_EQ(back.problems[1], "3行目: 日付「あいうえおかきく…」が読めません。");
    back = parsed(std::string("\xFF\xFE" "2\0", 4));
    EXPECT_EQ(back.problem_count, 1);
    EXPECT_EQ(back.problems, (std::vector<std::string>{"UTF-16 のファイルは読めません。UTF-8 か Shift-JIS で保存してください。"}));
}

TEST(VisitsFile, ADaysVisitsSetItsAmountAndMemoAndTheFileFollows)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    LedgerYear value;
    read_ledger_year(2009, value);
    ASSERT_TRUE(set_day_visits(value, 3, 5, {visit(3, 5, "ABC会館", 10000, 12000), visit(3, 5, "XYZ", 5000, 0),
                                             visit(3, 5, "ABC会館", 1000, 500)}));
    EXPECT_EQ(day_of(value, 3, 5).amount, -3500);
    EXPECT_STREQ(day_of(value, 3, 5).memo, "ABC\x89\xEF\x8A\xD9\x81\x45XYZ") << "places once each, joined by ・";
    ASSERT_TRUE(set_day_visits(value, 3, 6, {visit(3, 6, "とても長い名前のホール", 100, 100)}));
    EXPECT_EQ(day_of(value, 3, 6).amount, -1) << "a sum of 0 is the entered draw";
    EXPECT_EQ(std::string(day_of(value, 3, 6).memo).size(), 20u) << "cut at a character boundary";
    std::strcpy(value.memos[2][6], "mine");
    ASSERT_TRUE(set_day_visits(value, 3, 7, {visit(3, 7, "p", 0, 1)}));
    EXPECT_STREQ(day_of(value, 3, 7).memo, "mine") << "a memo of the user's stays";
    ASSERT_TRUE(set_day_visits(value, 3, 9, {visit(3, 9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0, 1)}));
    EXPECT_STREQ(day_of(value, 3, 9).memo, "ABCDEFGHIJKLMNOPQRST");
    ASSERT_TRUE(set_day_visits(value, 12, 31, {visit(1, 1, "p", 0, 50)}));
    EXPECT_EQ(value.visits.back().month * 100 + value.visits.back().day, 1231) << "given the day's date";
    EXPECT_EQ(day_of(value, 12, 31).amount, 50);
    std::vector<Visit> many(22, visit(3, 8, "p", 0, visit_amount_max));
    EXPECT_FALSE(set_day_visits(value, 3, 8, many)) << "beyond 32 bits";
    EXPECT_EQ(day_of(value, 3, 8).amount, 0);
    ASSERT_TRUE(save_ledger_year(value));
    const Bytes file = read_bytes(folder.file("2009d.csv"));
    EXPECT_EQ(text_of(std::vector<unsigned char>(file.begin(), file.end())), text_of(visits_file_bytes(2009, value.visits)));

    // A file that cannot be read whole is never written over; the days'
    // amounts keep working.
    write_bytes(folder.path() / "2009d.csv", Bytes{'2', '0', '0', '9', '/', '9', '9', '\r', '\n'});
    YearStatus status;
    EXPECT_TRUE(read_ledger_year(2009, value, &status));
    EXPECT_FALSE(visits_are_editable(status));
    EXPECT_EQ(value.visit_problems, (std::vector<std::string>{"1行目: 日付「2009/99」が読めません。"}));
    value.amounts[0][0] = 700;
    ASSERT_TRUE(save_ledger_year(value));
    EXPECT_EQ(read_bytes(folder.file("2009d.csv")).size(), 9u);
    read_ledger_year(2009, value);
    EXPECT_EQ(value.amounts[0][0], 700);

    // The year's last visit gone, its file goes too.
    std::filesystem::remove(folder.path() / "2009d.csv");
    read_ledger_year(2009, value);
    ASSERT_TRUE(set_day_visits(value, 1, 1, {visit(1, 1, "p", 0, 5)}));
    ASSERT_TRUE(save_ledger_year(value));
    ASSERT_TRUE(std::filesystem::exists(folder.path() / "2009d.csv"));
    ASSERT_TRUE(set_day_visits(value, 1, 1, {}));
    ASSERT_TRUE(save_ledger_year(value));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "2009d.csv"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "2009d.csv.new"));
}

TEST(VisitEntry, NamesOfThisAndEarlierYearsNewestFirstOnceEachAndWhatPeopleType)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    LedgerYear earlier, current;
    read_ledger_year(2007, earlier);
    ASSERT_TRUE(set_day_visits(earlier, 5, 1, {visit(5, 1, "OLD会館", 1, 0), visit(5, 1, "ＡＢＣ", 1, 0)}));
    ASSERT_TRUE(save_ledger_year(earlier));
    LedgerYear last;
    read_ledger_year(2008, last);
    ASSERT_TRUE(set_day_visits(last, 1, 1, {visit(1, 1, "LAST", 1, 0)}));
    ASSERT_TRUE(save_ledger_year(last));
    read_ledger_year(2010, last);
    ASSERT_TRUE(set_day_visits(last, 1, 1, {visit(1, 1, "NEXT", 1, 0)}));
    ASSERT_TRUE(save_ledger_year(last));
    read_ledger_year(2009, current);
    ASSERT_TRUE(set_day_visits(current, 3, 4, {visit(3, 4, "XYZ", 1, 0), visit(3, 4, "NEW", 1, 0)}));
    ASSERT_TRUE(set_day_visits(current, 1, 2, {Visit{1, 2, "麻雀", "ABC", "", 1, 0, no_time, no_time, ""}}));
    const RecentNames recent = recent_visit_names(current);
    EXPECT_EQ(recent.names[table_place], (std::vector<std::string>{"NEW", "XYZ", "ABC", "LAST", "OLD会館"}))
        << "the latest first; ＡＢＣ is ABC; none of a later year";
    ASSERT_EQ(recent.names[table_category].size(), 8u) << "パチンコ and 麻雀 entered, then the other offered ones";
    EXPECT_EQ(recent.names[table_category][1], "麻雀");
    EXPECT_EQ(recent.names[table_category][2], "スロット");
    EXPECT_TRUE(recent.names[table_game].empty());

    int32_t yen = -1;
    int minutes = 0;
    EXPECT_TRUE(read_typed_yen("１２，０００", &yen) && yen == 12000);
    EXPECT_TRUE(read_typed_yen(" 99999999", &yen) && yen == 99999999);
    EXPECT_TRUE(read_typed_yen("", &yen) && yen == 0);
    EXPECT_TRUE(read_typed_yen("0", &yen) && yen == 0);
    for (const char* wrong : {"100000000", "-5", "+500", "1.5", "1e3", "abc"}) EXPECT_FALSE(read_typed_yen(wrong, &yen)) << wrong;
    EXPECT_TRUE(read_typed_time("９：０５", &minutes) && minutes == 545);
    EXPECT_TRUE(read_typed_time("", &minutes) && minutes == no_time);
    EXPECT_FALSE(read_typed_time("24:00", &minutes));
    EXPECT_TRUE(read_typed_time("1000", &minutes) && minutes == 600);
    EXPECT_TRUE(read_typed_time("９３０", &minutes) && minutes == 570);
    for (const char* wrong : {"960", "2400", "30", "10000"}) EXPECT_FALSE(read_typed_time(wrong, &minutes)) << wrong;
    size_t covered = 0;
    const std::vector<std::string> names = {"ＡＢＣホール", "ABCホール", "ｶﾞﾝﾀﾞﾑ"};
    EXPECT_EQ(completing_name(names, "AB", &covered), 0) << "across widths";
    EXPECT_EQ(covered, std::string("ＡＢ").size());
    EXPECT_EQ(completing_name({names[1]}, "ＡＢ", &covered), 0);
    EXPECT_EQ(completing_name(names, "ガン", &covered), 2);
    EXPECT_EQ(covered, std::string("ｶﾞﾝ").size());
    EXPECT_EQ(completing_name(names, "ABCホール", &covered), -1) << "nothing to go on with";
    EXPECT_TRUE(read_typed_amount("９９９，９９９，９９９", 999999999, &yen) && yen == 999999999) << "the 収支 page's limits";
    EXPECT_FALSE(read_typed_time("9:5", &minutes));
}
