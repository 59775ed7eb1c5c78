#include "view/tip_text.h"

#include "view/day_tip_text.h"
#include "view/period_line.h"

#include <gtest/gtest.h>

TEST(TrayTip, DateHolidayAndTheMonthsBalanceInSixtyThreeCharacters)
{
    const DateRecord sunday = {2009, 12, 6, 0, 9, 5, 7};
    const DateRecord emperors_birthday = {2009, 12, 23, 3, 0, 0, 0};
    const LossLimits no_limits = {0, 0, warn_percent_default};
    EXPECT_EQ(tray_tip_text(sunday, u"", {35200, 4, 2, 1}, no_limits), u"2009/12/06(日)\n今月 +35,200 (4勝2敗1分)");
    EXPECT_EQ(tray_tip_text(emperors_birthday, u"天皇誕生日", {-1200, 1, 3, 0}, no_limits),
              u"2009/12/23(水)\n天皇誕生日\n今月 -1,200 (1勝3敗0分)");
    EXPECT_EQ(tray_tip_text(sunday, u"", {}, no_limits), u"2009/12/06(日)\n今月 0 (0勝0敗0分)");

    std::u16string tip = tray_tip_text(emperors_birthday, std::u16string(40, u'祝'), {1000000000000LL, 31, 0, 0}, no_limits);
    EXPECT_EQ(tip, u"2009/12/23(水)\n" + std::u16string(17, u'祝') + u"\n今月 +1,000,000,000,000 (31勝0敗0分)")
        << "the name is cut to the 63 characters";
    EXPECT_EQ(tray_tip_text(emperors_birthday, u"天皇誕生日", {}, no_limits, 28), u"2009/12/23(水)\n今月 0 (0勝0敗0分)")
        << "no room even for a character of it: no name line";

    // A limit of 50,000 warns from 80 %: exactly −40,000 is near, exactly
    // −50,000 still within, below it past; the holiday name is cut first.
    const LossLimits limits = {50000, 0, 80};
    EXPECT_EQ(tray_tip_text(sunday, u"", {-39999, 0, 1, 0}, limits), u"2009/12/06(日)\n今月 -39,999 (0勝1敗0分)");
    EXPECT_EQ(tray_tip_text(sunday, u"", {-40000, 0, 1, 0}, limits), u"2009/12/06(日)\n今月 -40,000 (0勝1敗0分) 上限まで 10,000");
    EXPECT_EQ(limit_note(-50000, limits), u"上限まで 0");
    EXPECT_EQ(limit_note(-50001, limits), u"上限超過");
    EXPECT_EQ(month_limit_line(2015, limits), u"今月 +2,015／上限 50,000") << "a win reads as one";
    EXPECT_EQ(month_limit_line(-40000, limits), u"今月 −40,000／上限 50,000");
    EXPECT_EQ(month_limit_line(-50001, limits), u"今月 −50,001／上限 50,000（超過）");
    EXPECT_EQ(month_limit_line(-50001, no_limits), u"");
    tip = tray_tip_text(emperors_birthday, std::u16string(40, u'祝'), {-1000000000000LL, 0, 31, 0}, limits);
    EXPECT_EQ(tip, u"2009/12/23(水)\n" + std::u16string(12, u'祝') + u"\n今月 -1,000,000,000,000 (0勝31敗0分) 上限超過");
    EXPECT_FALSE(limit_crossed(-50000, -50000, 50000));
    EXPECT_TRUE(limit_crossed(-50000, -50001, 50000));
    EXPECT_FALSE(limit_crossed(-50001, -60000, 50000)) << "passed before: told once";
    EXPECT_FALSE(limit_crossed(0, -1, 0)) << "no limit set: never passed";
    EXPECT_TRUE(limit_crossed(0, -2, 1));
}

TEST(DayTip, DateAmountMemoAndAVisitALineWithinTheLength)
{
    auto visit = [](const char* category, const char* place, const char* game, int32_t stake, int32_t returned) {
        return Visit{12, 23, category, place, game, stake, returned, no_time, no_time, "note"};
    };
    DayTip day = {2009, 12, 23, u"天皇誕生日", 15000, u"勝った", {}};
    EXPECT_EQ(day_tip_text(day), u"2009/12/23(水) 天皇誕生日\n収支 +15,000\n勝った");
    EXPECT_EQ(day_tip_text({2009, 12, 6, u"", 0, u"", {}}), u"") << "nothing recorded: no tip";
    EXPECT_EQ(day_tip_text({2009, 12, 6, u"", -1, u"", {}}), u"2009/12/06(日)\n収支 ±0");
    EXPECT_EQ(day_tip_text({2009, 12, 6, u"", -2500, u"", {}}), u"2009/12/06(日)\n収支 -2,500");

    day.visits = {visit("パチンコ", "ABCホール", "海物語", 20000, 35000), visit("スロット", "", "", 1001, 1000)};
    EXPECT_EQ(day_tip_text(day), u"2009/12/23(水) 天皇誕生日\n収支 +15,000\n勝った\n"
                                 u"パチンコ ABCホール 海物語 +15,000\nスロット -1");
    // Six visits: five lines, then the sixth counted; a long name is cut.
    day.visits.assign(6, visit("競馬", "東京競馬場東京競馬場東京競馬場", "", 100, 0));
    day.visits[1].place = "𠮷野家";
    const std::u16string line = u"競馬 東京競馬場東京競馬場東京… -100";
    const std::u16string head = u"2009/12/23(水) 天皇誕生日\n収支 +15,000\n勝った\n";
    std::u16string full = head + line + u"\n競馬 𠮷野家 -100\n" + line + u"\n" + line + u"\n" + line + u"\nほか 1 件";
    EXPECT_EQ(day_tip_text(day), full);
    EXPECT_EQ(day_tip_text(day, full.size()), full);
    EXPECT_EQ(day_tip_text(day, full.size() - 1),
              head + line + u"\n競馬 𠮷野家 -100\n" + line + u"\n" + line + u"\nほか 2 件")
        << "one visit less to fit";
    EXPECT_EQ(day_tip_text(day, head.size() + 6), head + u"ほか 6 件");
    EXPECT_EQ(day_tip_text(day, 3), u"200") << "no room even for the count: cut";
    EXPECT_EQ(day_tip_text({2009, 12, 6, u"", 0, u"a𠮷", {}}, 16), u"2009/12/06(日)\na") << "never half a pair";
}

TEST(PeriodLine, MonthAndYearWithAndWithoutVisits)
{
    LedgerYear value;
    clear_ledger_year(value, 2009);
    value.amounts[2][0] = 20000;  // March: two wins, a loss, a draw and the stored ±0
    value.amounts[2][1] = 16200;
    value.amounts[2][2] = -1000;
    value.amounts[2][3] = -1;
    value.amounts[2][4] = 5;
    value.amounts[11][0] = -500;  // December
    PeriodFigures march = period_figures(value, 3);
    EXPECT_EQ(period_line_text(march, false, false), u"今月 +35,200　2勝1敗2分");
    EXPECT_EQ(period_line_text(march, false, true), u"今月 +3.5万　2勝1敗2分");
    EXPECT_EQ(period_line_text(period_figures(value, 12), false, false), u"今月 \u2212500　0勝1敗0分");
    EXPECT_EQ(period_line_text(period_figures(value, 5), false, false), u"今月 ±0　0勝0敗0分");
    EXPECT_EQ(period_line_text(period_figures(value, 0), true, false), u"今年 +34,700　2勝2敗2分");

    // 時給 over the timed visits of played days: +5,000 in 1 h 30 min and
    // −1,000 in 30 min make +4,000 in 2 hours; an untimed visit, a visit
    // of another month and one of an unplayed day do not count.
    ASSERT_TRUE(set_day_visits(value, 3, 1, {Visit{3, 1, "パチンコ", "A", "", 10000, 15000, 600, 690, ""},
                                             Visit{3, 1, "スロット", "B", "", 1000, 0, 700, 730, ""},
                                             Visit{3, 1, "競馬", "C", "", 100, 0, no_time, no_time, ""}}));
    value.amounts[2][0] = 20000;
    value.visits.push_back(Visit{4, 2, "パチンコ", "A", "", 0, 90000, 600, 601, ""});
    value.visits.push_back(Visit{12, 2, "パチンコ", "A", "", 0, 90000, 600, 601, ""});
    EXPECT_EQ(period_line_text(period_figures(value, 3), false, false), u"今月 +35,200　2勝1敗2分　時給 +2,000");
    EXPECT_EQ(period_line_text(period_figures(value, 4), false, false), u"今月 ±0　0勝0敗0分") << "no played day";
    value.visits.push_back(Visit{12, 1, "競馬", "C", "", 100, 0, no_time, no_time, ""});
    EXPECT_EQ(period_line_text(period_figures(value, 12), false, false), u"今月 \u2212500　0勝1敗0分　時給 －")
        << "visits without times";
}
