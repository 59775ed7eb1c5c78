#include "ledger/results.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ledger/year_ledger.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

class Results : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        read_ledger_year(2009, v);
    }
    TempFolder folder;
    LedgerYear v;
};

}  // namespace

TEST(DayResults, ThresholdsAreStrict)
{
    EXPECT_EQ(day_result(11), result_win);
    EXPECT_EQ(day_result(-11), result_loss);
    EXPECT_EQ(day_result(10), result_draw);
    EXPECT_EQ(day_result(-10), result_draw);
    EXPECT_EQ(day_result(-1), result_draw);
    EXPECT_EQ(day_result(0), result_none);
    EXPECT_EQ(counted_amount(11), 11);
    EXPECT_EQ(counted_amount(-10), 0);
    EXPECT_EQ(counted_amount(INT32_MIN), INT32_MIN);
}

TEST_F(Results, MonthAndYearCountOnlyWinsAndLossesInTheSum)
{
    const int32_t amounts[] = {11, -11, 10, -10, -1, 0};
    for (int i = 0; i < 6; ++i) v.amounts[3][i] = amounts[i];
    ResultSummary april = month_summary(v, 3);
    EXPECT_EQ(april.sum, 0);
    EXPECT_EQ(april.wins, 1);
    EXPECT_EQ(april.losses, 1);
    EXPECT_EQ(april.draws, 3);

    v.amounts[11][30] = 5000;
    v.amounts[0][0] = -2000;
    ResultSummary year = year_summary(v);
    EXPECT_EQ(year.sum, 3000);
    EXPECT_EQ(year.wins, 2);
    EXPECT_EQ(year.losses, 2);
    EXPECT_EQ(year.draws, 3);

    ResultSummary months = {};
    for (int m = 0; m < 12; ++m) {
        ResultSummary one = month_summary(v, m);
        months.sum += one.sum, months.wins += one.wins, months.losses += one.losses, months.draws += one.draws;
    }
    EXPECT_EQ(months.sum, year.sum);
    EXPECT_EQ(months.wins + months.losses + months.draws, year.wins + year.losses + year.draws);
}

TEST_F(Results, MonthOfDrawsSumsToZero)
{
    for (int d = 0; d < 30; ++d) v.amounts[8][d] = -1;
    ResultSummary september = month_summary(v, 8);
    EXPECT_EQ(september.sum, 0);
    EXPECT_EQ(september.draws, 30);
    EXPECT_EQ(september.wins + september.losses, 0);
}

TEST_F(Results, AllYearsReadsTheFilesAndLeavesTheLoadedYearAlone)
{
    read_ledger_year(2005, v);
    v.amounts[1][1] = 700;
    ASSERT_TRUE(save_ledger_year(v));
    read_ledger_year(2009, v);
    v.amounts[0][0] = -300;
    v.amounts[0][1] = 4;
    ASSERT_TRUE(save_ledger_year(v));
    v.amounts[0][0] = 999999;  // an unsaved change in memory

    ResultSummary all = all_years_summary(2009);
    EXPECT_EQ(all.sum, 400);
    EXPECT_EQ(all.wins, 1);
    EXPECT_EQ(all.losses, 1);
    EXPECT_EQ(all.draws, 1);
    EXPECT_EQ(v.amounts[0][0], 999999) << "the loaded year is untouched";
    EXPECT_EQ(all_years_summary(2008).sum, 700);
}

TEST_F(Results, MonthSoFarOfTheLoadedYearOrOfAnyOtherFromItsFile)
{
    read_ledger_year(2010, v);
    v.amounts[0][1] = 20;
    v.amounts[0][2] = 5;
    ASSERT_TRUE(save_ledger_year(v));
    read_ledger_year(2009, v);
    v.amounts[11][0] = 5000;
    v.amounts[11][5] = -300;
    v.amounts[11][6] = 900;  // the 7th: after today
    v.amounts[0][30] = -40;   // 31 January: the months before count whole
    ASSERT_TRUE(save_ledger_year(v));
    const ResultSummary year_so_far = year_summary_through(2009, 12, 6);
    EXPECT_EQ(year_so_far.sum, 4660);
    EXPECT_EQ(year_so_far.wins * 10 + year_so_far.losses, 12);
    ResultSummary so_far = month_summary_through(2009, 12, 6);
    EXPECT_EQ(so_far.sum, 4700);
    EXPECT_EQ(so_far.wins * 10 + so_far.losses, 11);
    ResultSummary other = month_summary_through(2010, 1, 31);
    EXPECT_EQ(other.sum, 20);
    EXPECT_EQ(other.wins * 10 + other.draws, 11);
    EXPECT_EQ(v.amounts[11][0], 5000) << "the loaded year is untouched";
}

TEST_F(Results, NothingBefore1990)
{
    ResultSummary all = all_years_summary(1989);
    EXPECT_EQ(all.sum, 0);
    EXPECT_EQ(all.wins + all.losses + all.draws, 0);
}

TEST_F(Results, AllYearsTotalAddsInSixtyFourBits)
{
    for (auto& month : v.amounts)
        for (int32_t& amount : month) amount = 2000000000;
    for (v.year = 1990; v.year <= 2037; ++v.year) ASSERT_TRUE(save_ledger_year(v));
    ResultSummary all = all_years_summary(2037);
    EXPECT_EQ(all.sum, 48LL * 372 * 2000000000LL);
    EXPECT_EQ(all.wins, 48 * 372);
    EXPECT_EQ(year_summary(v).sum, 372LL * 2000000000LL);
}

TEST_F(Results, KeptSummariesFollowSavesAndAreForgottenOnRequest)
{
    v.amounts[0][0] = 100;
    ASSERT_TRUE(save_ledger_year(v));
    EXPECT_EQ(all_years_summary(2009).sum, 100);
    v.amounts[0][0] = 300;
    ASSERT_TRUE(save_ledger_year(v));
    EXPECT_EQ(all_years_summary(2009).sum, 300) << "a save makes the kept figures stale";

    Bytes outside(1488, 0);
    outside[0] = 50;  // another copy of the program wrote 2008
    write_bytes(folder.path() / "2008.dat", outside);
    forget_year_summaries();
    EXPECT_EQ(all_years_summary(2009).sum, 350);
}
