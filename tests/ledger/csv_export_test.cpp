#include "ledger/csv_export.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ledger/year_ledger.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

// 年月日,金額,メモ,合計,勝ち,負け,分け in Shift-JIS.
const std::string header =
    "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82,\x8D\x87\x8C\x76,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,"
    "\x95\xAA\x82\xAF\r\n";

class CsvExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        read_ledger_year(2009, v);
    }
    std::string exported(int year)
    {
        EXPECT_TRUE(export_csv(year));
        Bytes bytes = read_bytes(folder.path() / "CSV" / (std::to_string(year) + ".csv"));
        return std::string(bytes.begin(), bytes.end());
    }
    static std::vector<std::string> lines(const std::string& text)
    {
        std::vector<std::string> result;
        size_t start = 0, end;
        while ((end = text.find("\r\n", start)) != std::string::npos) {
            result.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, text.size()) << "every line ends in CR LF, nothing after the last";
        return result;
    }
    TempFolder folder;
    LedgerYear v;
};

}  // namespace

TEST_F(CsvExport, EmptyYearHasAHeaderAndALineForEveryDay)
{
    std::string text = exported(2010);
    ASSERT_EQ(text.compare(0, header.size(), header), 0);
    std::vector<std::string> rows = lines(text);
    ASSERT_EQ(rows.size(), 366u);
    EXPECT_EQ(rows[1], "2010/01/01,0,\"\",0,0,0,0");
    EXPECT_EQ(rows[59], "2010/02/28,0,\"\",0,0,0,0");
    EXPECT_EQ(rows[60], "2010/03/01,0,\"\",0,0,0,0");
    EXPECT_EQ(rows[365], "2010/12/31,0,\"\",0,0,0,0");
    EXPECT_EQ(text.find('\n', 0) - 1, text.find('\r', 0)) << "no bare line feeds";
}

TEST_F(CsvExport, LeapYearHasTheTwentyNinthOfFebruary)
{
    std::vector<std::string> rows = lines(exported(2008));
    ASSERT_EQ(rows.size(), 367u);
    EXPECT_EQ(rows[60], "2008/02/29,0,\"\",0,0,0,0");
}

TEST_F(CsvExport, WinsDrawsAndLossesRunTheTotal)
{
    v.amounts[2][0] = 3000;
    v.amounts[2][4] = -1;
    v.amounts[2][5] = -500;
    v.amounts[2][6] = 7;
    std::memcpy(v.memos[2][0], "\x8F\x9F\x82\xBF", 5);  // 勝ち
    ASSERT_TRUE(save_ledger_year(v));
    std::vector<std::string> rows = lines(exported(2009));
    ASSERT_EQ(rows.size(), 366u);
    EXPECT_EQ(rows[59], "2009/02/28,0,\"\",0,0,0,0");
    EXPECT_EQ(rows[60], "2009/03/01,3000,\"\x8F\x9F\x82\xBF\",3000,1,0,0");
    EXPECT_EQ(rows[64], "2009/03/05,0,\"\",3000,0,0,1");
    EXPECT_EQ(rows[65], "2009/03/06,-500,\"\",2500,0,1,0");
    EXPECT_EQ(rows[66], "2009/03/07,0,\"\",2500,0,0,1");
    EXPECT_EQ(rows[365], "2009/12/31,0,\"\",2500,0,0,0");
}

TEST_F(CsvExport, QuotesAreDoubledAndLineBreaksStayInside)
{
    std::memcpy(v.memos[0][0], "say \"hi\"", 9);
    std::memcpy(v.memos[0][1], "a\r\nb", 5);
    ASSERT_TRUE(save_ledger_year(v));
    std::string text = exported(2009);
    EXPECT_NE(text.find("2009/01/01,0,\"say \"\"hi\"\"\",0,0,0,0\r\n"), std::string::npos);
    EXPECT_NE(text.find("2009/01/02,0,\"a\r\nb\",0,0,0,0\r\n"), std::string::npos);
}

TEST_F(CsvExport, RepeatedExportIsIdenticalAndShrinksAnOldFile)
{
    std::filesystem::create_directory(folder.path() / "CSV");
    write_bytes(folder.path() / "CSV" / "2009.csv", Bytes(50000, 'x'));
    std::string first = exported(2009);
    EXPECT_EQ(first.size(), csv_text(2009).size());
    EXPECT_EQ(exported(2009), first);
    EXPECT_EQ(first.find('x'), std::string::npos);
}

TEST_F(CsvExport, LoadedYearIsUntouched)
{
    read_ledger_year(2005, v);
    v.amounts[0][0] = 42;
    ASSERT_TRUE(save_ledger_year(v));
    read_ledger_year(2009, v);
    v.amounts[1][1] = 5;
    std::memcpy(v.memos[1][1], "keep", 5);
    std::string text = exported(2005);
    EXPECT_NE(text.find("2005/01/01,42,\"\",42,1,0,0\r\n"), std::string::npos);
    EXPECT_EQ(v.amounts[1][1], 5);
    EXPECT_STREQ(v.memos[1][1], "keep");
    EXPECT_EQ(v.amounts[0][0], 0);
}

TEST_F(CsvExport, FailureIsReported)
{
    write_bytes(folder.path() / "CSV", Bytes{1});  // a file where the folder belongs
    EXPECT_FALSE(export_csv(2009));
}
