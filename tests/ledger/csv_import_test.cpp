#include "ledger/csv_import.h"

#include <gtest/gtest.h>

#include <cstring>

#include "calendar/dates.h"
#include "ledger/csv.h"
#include "ledger/csv_export.h"
#include "ledger/csv_forms.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {
CsvImport parsed_text(const std::string& text)
{
    return parse_year_csv(2009, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}

// The days as "month/day amount memo", or the problems, one per entry.
std::vector<std::string> described(const CsvImport& parsed)
{
    std::vector<std::string> lines;
    for (const ImportedDay& day : parsed.days)
        lines.push_back(std::to_string(day.month) + "/" + std::to_string(day.day) + " " +
                        std::to_string(day.amount) + " " + day.memo + (day.memo_cut ? " (cut)" : ""));
    for (const ImportProblem& problem : parsed.problems) lines.push_back(problem.message);
    return lines;
}
}  // namespace

TEST(CsvImport, ExportedYearComesBackAsItWas)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    CsvImport parsed;
    EXPECT_EQ(read_year_csv(2008, &parsed), csv_file_missing);
    LedgerYear value;
    read_ledger_year(2008, value);
    AmountTable& amounts = value.amounts;
    MemoTable& memos = value.memos;
    amounts[0][0] = 3000, amounts[0][1] = -500, amounts[0][2] = -1, amounts[0][3] = 5;
    amounts[1][28] = INT32_MAX, amounts[11][30] = INT32_MIN;
    std::strcpy(memos[0][0], "say \"hi\", ok");
    std::strcpy(memos[0][1], "a\r\nb\nc");
    std::strcpy(memos[1][28], "\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0\x82\xa0");
    ASSERT_TRUE(save_ledger_year(value));
    ASSERT_TRUE(export_csv(2008));
    ASSERT_EQ(read_year_csv(2008, &parsed), csv_file_read);
    EXPECT_EQ(apply_year_csv(parsed_text("2008/1/1,x")).status, import_refused);

    AmountTable expected_amounts;
    MemoTable expected_memos;
    std::memcpy(expected_amounts, amounts, sizeof amounts);
    std::memcpy(expected_memos, memos, sizeof memos);
    for (int month = 0; month < 12; ++month)
        for (int day = 0; day < 31; ++day) {
            amounts[month][day] = 7;
            std::strcpy(memos[month][day], "zz");
            if (day < days_in_month(2008, month + 1)) continue;
            expected_amounts[month][day] = 7;  // slots the file does not name
            std::strcpy(expected_memos[month][day], "zz");
        }
    // The file's draws: a day that is a draw already keeps its amount, any
    // other becomes the entered draw.
    expected_amounts[0][2] = expected_amounts[0][3] = 7;
    amounts[0][4] = 3000;
    value.day_off[0][0] = 1;
    ASSERT_TRUE(save_ledger_year(value));
    ImportOutcome outcome = apply_year_csv(parsed);
    EXPECT_EQ(outcome.status, import_saved);
    EXPECT_EQ(outcome.days_read, 366);
    EXPECT_EQ(outcome.memos_cut, 0);
    read_ledger_year(2008, value);
    EXPECT_EQ(std::memcmp(amounts, expected_amounts, sizeof amounts), 0);
    EXPECT_EQ(std::memcmp(memos, expected_memos, sizeof memos), 0);
    EXPECT_EQ(value.day_off[0][0], 1);
    const Bytes backed_up = read_bytes(outcome.backup.folder + "2008m.dat");
    ASSERT_FALSE(backed_up.empty());
    EXPECT_EQ(backed_up[0], 'z') << "the year as it was before";

    // An export read back unchanged leaves every byte of the year's files.
    amounts[0][4] = 5, amounts[0][5] = -10;
    ASSERT_TRUE(save_ledger_year(value));
    const std::vector<std::string> names = {"2008.dat", "2008m.dat", "2008h.dat"};
    std::vector<std::vector<unsigned char>> before;
    for (const std::string& name : names) before.push_back(read_bytes(folder.file(name)));
    ASSERT_TRUE(export_csv(2008));
    ASSERT_EQ(read_year_csv(2008, &parsed), csv_file_read);
    EXPECT_EQ(apply_year_csv(parsed).status, import_saved);
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(read_bytes(folder.file(names[i])), before[i]) << names[i];

    // A file far larger than any year's is not read at all; one at the limit is.
    write_bytes(folder.path() / "CSV" / "2008.csv", Bytes(csv_import_limit, ' '));
    CsvImport at_limit;
    EXPECT_EQ(read_year_csv(2008, &at_limit), csv_file_read);
    write_bytes(folder.path() / "CSV" / "2008.csv", Bytes(csv_import_limit + 1, ' '));
    EXPECT_EQ(read_year_csv(2008, &parsed), csv_file_too_large);
    // The calendar's first year takes a file too.
    const std::string first = std::to_string(first_ledger_year) + "/1/1,5";
    EXPECT_EQ(apply_year_csv(parse_year_csv(first_ledger_year, reinterpret_cast<const unsigned char*>(first.data()),
                                            first.size()))
                  .status,
              import_saved);

    // A year whose file cannot be read is never imported into.
    std::filesystem::remove(folder.path() / "2008m.dat");
    std::filesystem::create_directory(folder.path() / "2008m.dat");
    outcome = apply_year_csv(parsed);
    EXPECT_EQ(outcome.status, import_unreadable);
    EXPECT_EQ(describe_unreadable_parts(2008, outcome.year_status), "メモ: " + folder.file("2008m.dat") + "\n");
    EXPECT_EQ(read_bytes(folder.file("2008.dat")), before[0]);
}

TEST(CsvImport, SpreadsheetVariantsAreRead)
{
    const std::string sjis_header = "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82,x,x,x,x\r\n";
    const struct {
        std::string text;
        std::vector<std::string> days;
    } cases[] = {
        {"\xEF\xBB\xBF" "2009/3/5,1200,勝ち\n2009/3/6, -300 \n", {"3/5 1200 \x8F\x9F\x82\xBF", "3/6 -300 "}},
        {"年月日,金額,メモ,合計,勝ち,負け,分け\n\n2009-03-05,0,\"メモ\",,,,1\r\n,,,,,,\n2009-12-31,,,0,0,0,0\n\n",
         {"3/5 -1 \x83\x81\x83\x82", "12/31 0 "}},
        {sjis_header + "2009/01/02,7,\"a \"\"b\"\"\r\nc\",7,0,0,1\r\n2009/01/03,0,\x8D\x87,0,0,0,0\r\n",
         {"1/2 7 a \"b\"\r\nc", "1/3 0 \x8D\x87"}},
        // Lone CR line ends; a CR before CR LF; half-width katakana that
        // happen to be two-byte UTF-8 (ﾃｨ) stay Shift-JIS.
        {"2009/3/5,1200,a\r2009/3/6,-300,b\r", {"3/5 1200 a", "3/6 -300 b"}},
        // A quote inside an unquoted field is a character; no last line end.
        {"2009/3/5,1,a\"\"b\n2009/3/6,-300", {"3/5 1 a\"\"b", "3/6 -300 "}},
        {"2009/3/7,0,x,,,,1\r\r\n2009/3/8,2,\xC3\xA8\r\r\n", {"3/7 -1 x", "3/8 2 \xC3\xA8"}},
        {"2009/1/1,1,あいうえおかきくけこさ\n2009/1/2,1,aあいうえおかきくけこ\n",
         {"1/1 1 \x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad\x82\xaf\x82\xb1 (cut)",
          "1/2 1 a\x82\xa0\x82\xa2\x82\xa4\x82\xa6\x82\xa8\x82\xa9\x82\xab\x82\xad\x82\xaf (cut)"}},
    };
    for (const auto& test : cases) EXPECT_EQ(described(parsed_text(test.text)), test.days) << test.text;
    EXPECT_EQ(parsed_text(cases[6].text).memos_cut, 2);

    // Well-formed UTF-8 at the edges: no overlong form, surrogate, or code
    // point past U+10FFFF; a character cut short is none.
    const struct {
        const char* bytes;
        size_t length;
    } characters[] = {{"\xC2\x80", 2},         {"\xC1\xBF", 0},         {"\xDF\xBF", 2},         {"\xE0\xA0\x80", 3},
                      {"\xE0\x9F\xBF", 0},     {"\xED\x9F\xBF", 3},     {"\xED\xA0\x80", 0},     {"\xEF\xBF\xBF", 3},
                      {"\xF0\x90\x80\x80", 4}, {"\xF0\x8F\xBF\xBF", 0}, {"\xF4\x8F\xBF\xBF", 4}, {"\xF4\x90\x80\x80", 0},
                      {"\xF5\x80\x80\x80", 0}, {"\xE3\x81", 0},         {"\xE3\x81" "A", 0},        {"\x80", 0}};
    for (const auto& c : characters)
        EXPECT_EQ(utf8_character_length(reinterpret_cast<const unsigned char*>(c.bytes), std::strlen(c.bytes)), c.length)
            << c.bytes;
}

TEST(CsvImport, ProblemsNameTheirLinesAndNothingIsRead)
{
    CsvImport parsed = parsed_text(
        "date,amount\n2009/01/01,1,\"three\nline\nmemo\"\n\n2010/01/01,1\n2009/2/29,1\n2009/01/01,2\n"
        "2009/01/03,12.5\n2009/01/04,2147483648\nabc,1\n\x8D\x87\x8C\x76,1\n2009/01/05,-2147483649\n"
        "2009/01/06,1,\"open\nrest\n");
    EXPECT_TRUE(parsed.days.empty());
    EXPECT_EQ(described(parsed), (std::vector<std::string>{
                                     "6行目: 2010/01/01 は2009年の日付ではありません。",
                                     "7行目: 2009/02/29 はありません。",
                                     "8行目: 2009/01/01 が2回あります。",
                                     "9行目: 金額「12.5」が整数ではありません。",
                                     "10行目: 金額「2147483648」が大きすぎます。",
                                     "11行目: 日付「abc」が読めません。",
                                     "12行目: 日付「合計」が読めません。",
                                     "13行目: 金額「-2147483649」が大きすぎます。",
                                     "14行目: 引用符が閉じていません。",
                                 }));

    std::string many = "2009/1/1,1\n";
    for (int line = 2; line <= 13; ++line) many += "2009/1/" + std::to_string(line) + ",+\n";
    parsed = parsed_text(many);
    EXPECT_EQ(parsed.problem_count, 12);
    ASSERT_EQ(parsed.problems.size(), 10u);
    EXPECT_EQ(parsed.problems[9].message, "11行目: 金額「+」が整数ではありません。");
    EXPECT_EQ(described(parsed_text("date,amount\r\n\r\n")), (std::vector<std::string>{"日付の行がありません。"}));
    EXPECT_EQ(described(parsed_text("abc,1\n2009/1/1,1\n")), (std::vector<std::string>{"1行目: 日付「abc」が読めません。"}))
        << "a first line is a header only by its name";
    EXPECT_TRUE(parsed_text("DATE,amount\n2009/1/1,1\n").problems.empty());
    EXPECT_EQ(described(parsed_text("2009/1/1,1\r\r\nabcdefghijklmnopqrstuvwxyz,1\n")),
              (std::vector<std::string>{"2行目: 日付「abcdefghijklmnopqrstuvwx…」が読めません。"}))
        << "CR CR LF is one line end";
    EXPECT_EQ(described(parsed_text("\xEF\xBB\xBF\xFF" "あいうえおかきくけこ,1\n")),
              (std::vector<std::string>{"1行目: 日付「?あいうえおかきく…」が読めません。"}))
        << "a broken byte shown as ?, a long field cut";
    EXPECT_EQ(described(parsed_text(std::string("\xFF\xFE" "2\0" "0\0", 6))),
              (std::vector<std::string>{"UTF-16 のファイルは読めません。Shift-JIS か UTF-8 で保存してください。"}));
    EXPECT_EQ(parsed_text(std::string(255, ' ') + '\0' + "\n2009/1/1,1\n").problems[0].message.substr(0, 6), "UTF-16")
        << "a zero byte among the first 256 is UTF-16";
}

TEST(CsvImport, DatesAndAmountsAsSpreadsheetsWriteThem)
{
    // Every form of the date column, Japanese and English, and amounts with
    // separators, currency marks and minus marks (Shift-JIS, then UTF-8).
    const std::string nen = "\x94\x4E", gatsu = "\x8C\x8E", nichi = "\x93\xFA";
    const std::string text = "2009/1/4,1\n2009-01-05,\"5,000\"\n2009" + nen + "1" + gatsu + "6" + nichi +
                             ",\"\\5,000\"\n1" + gatsu + "7" + nichi + ",\"\x81\x8F" "1,200\"\n1/8,\x81\x7C" "300\n"
                             "2009/1/9 0:00,\x81\xA2" "300\nJan 10,\"\x81\xA3" "1,000\"\n11-Jan,\"5,000,000\"\n"
                             "12-Jan-09,+7\n09/1/13,8\n31-Dec,9\n";
    EXPECT_EQ(described(parsed_text(text)),
              (std::vector<std::string>{"1/4 1 ", "1/5 5000 ", "1/6 5000 ", "1/7 1200 ", "1/8 -300 ", "1/9 -300 ",
                                        "1/10 -1000 ", "1/11 5000000 ", "1/12 7 ", "1/13 8 ", "12/31 9 "}));
    EXPECT_EQ(described(parsed_text("\xEF\xBB\xBF" "1\xE6\x9C\x88" "4\xE6\x97\xA5,\xE2\x88\x92" "500\n"
                                    "January 5,\"\xC2\xA5" "1,000\"\n")),
              (std::vector<std::string>{"1/4 -500 ", "1/5 1000 "}));
    EXPECT_EQ(described(parsed_text("04-Jan-10,1\n2009/1/5,\"1,00\"\n2009/1/6,\\\\5\n2009/1/7,\"1,0000\"\n"
                                    "2009/1/8,\"1,00,000\"\nJan 100,1\n1/100,1\n20x9/01/05,1\n")),
              (std::vector<std::string>{"1行目: 2010/01/04 は2009年の日付ではありません。",
                                        "2行目: 金額「1,00」が整数ではありません。",
                                        "3行目: 金額「\\\\5」が整数ではありません。",
                                        "4行目: 金額「1,0000」が整数ではありません。",
                                        "5行目: 金額「1,00,000」が整数ではありません。", "6行目: 日付「Jan 100」が読めません。",
                                        "7行目: 日付「1/100」が読めません。", "8行目: 日付「20x9/01/05」が読めません。"}));
    const std::string nineties = "98/1/8,5\n";
    EXPECT_EQ(described(parse_year_csv(1998, reinterpret_cast<const unsigned char*>(nineties.data()), nineties.size())),
              (std::vector<std::string>{"1/8 5 "}))
        << "two digits are the file's century";
}

TEST(CsvImport, MemosASpreadsheetTookForNumbersOrDatesStay)
{
    const std::string jan2 = "1\x8C\x8E" "2\x93\xFA", aug8 = "8\x8C\x8E" "8\x93\xFA";  // 1月2日, 8月8日
    const struct {
        const char* stored;
        std::string written;
        bool kept;
    } cases[] = {{"0123", "123", true},        {"+5", "5", true},          {"1e3", "1000", true},
                 {"1,000", "1000", true},      {"1.50", "1.5", true},       {"1/2", jan2, true},
                 {"2009/8/8", aug8, true},     {"8-8", "2009/8/8", true},   {"123", "0123", false},
                 {"0123", "124", false},       {"abc", "123", false},       {"1/2", "1\x8C\x8E" "3\x93\xFA", false},
                 {"0123", "0123", false},      {"1e3", "1.00E+03", true},   {"1e3", "1E+03", true},
                 {"1e3", "1.01E+03", false}};
    for (const auto& test : cases)
        EXPECT_EQ(spreadsheet_rewrote(test.stored, test.written.c_str()), test.kept) << test.stored << " / " << test.written;

    // A whole year re-saved by a spreadsheet (year dropped from the dates,
    // memos turned into numbers and dates, quotes gone) changes no byte.
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    LedgerYear value;
    read_ledger_year(2009, value);
    const char* const memos[] = {"0123", "1/2", "1e3", "plain", "+5", "8-8"};
    for (int day = 1; day <= 6; ++day) {
        set_day(value, 3, day, DayEntry{day % 2 ? 1500 * day : -7, "", 0});
        std::strcpy(value.memos[2][day - 1], memos[day - 1]);
    }
    ASSERT_TRUE(save_ledger_year(value));
    const Bytes before[] = {read_bytes(folder.file("2009.dat")), read_bytes(folder.file("2009m.dat"))};
    const char* const written[] = {"123", "1\x8C\x8E" "2\x93\xFA", "1000", "plain", "5", "8\x8C\x8E" "8\x93\xFA"};
    std::string resaved = "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82\r\n";
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= days_in_month(2009, month); ++day) {
            const DayEntry entry = day_of(value, month, day);
            const bool draw = entry.amount == -7;
            resaved += std::to_string(month) + "\x8C\x8E" + std::to_string(day) + "\x93\xFA," +
                       std::to_string(draw ? 0 : entry.amount) + "," +
                       (month == 3 && day <= 6 ? written[day - 1] : "") + ",,,," + (draw ? "1" : "0") + "\r\n";
        }
    CsvImport parsed = parse_year_csv(2009, reinterpret_cast<const unsigned char*>(resaved.data()), resaved.size());
    ASSERT_TRUE(parsed.problems.empty()) << parsed.problems[0].message;
    EXPECT_EQ(memos_a_spreadsheet_changed(parsed), 5);
    ImportOutcome outcome = apply_year_csv(parsed);
    EXPECT_EQ(outcome.status, import_saved);
    EXPECT_EQ(outcome.memos_kept, 5);
    EXPECT_EQ(read_bytes(folder.file("2009.dat")), before[0]);
    EXPECT_EQ(read_bytes(folder.file("2009m.dat")), before[1]);
}
