#include "calendar/dates.h"
#include "calendar/typed_date.h"

#include <gtest/gtest.h>

#include <string>

TEST(LeapYears, FollowTheGregorianRule)
{
    EXPECT_TRUE(is_leap_year(2000));
    EXPECT_FALSE(is_leap_year(1900));
    EXPECT_TRUE(is_leap_year(2008));
    EXPECT_FALSE(is_leap_year(2100));
    EXPECT_FALSE(is_leap_year(2009));
    EXPECT_EQ(days_in_month(2008, 2), 29);
    EXPECT_EQ(days_in_month(2009, 2), 28);
    EXPECT_EQ(days_in_month(2009, 4), 30);
    EXPECT_EQ(days_in_month(2009, 12), 31);
}

TEST(Weekdays, KnownDatesNearAndFarFromTheCalendarRange)
{
    EXPECT_EQ(weekday_of(2009, 12, 6), 0);
    EXPECT_EQ(weekday_of(2000, 1, 1), 6);
    EXPECT_EQ(weekday_of(1990, 1, 1), 1);
    EXPECT_EQ(weekday_of(1989, 12, 31), 0);
    EXPECT_EQ(weekday_of(2037, 12, 31), 4);
    EXPECT_EQ(weekday_of(-1, 1, 1) * 10 + weekday_of(-399, 1, 1), 51) << "before the year 0, as 400 years after";
    EXPECT_EQ(nth_weekday(2009, 8, 5, 1), 31) << "the fifth Monday on the 31st";
    EXPECT_EQ(weekday_of(2038, 1, 1), 5);
    EXPECT_EQ(weekday_of(1900, 1, 1), 1);
    EXPECT_EQ(weekday_of(1600, 3, 1), 3);
    EXPECT_EQ(weekday_of(2400, 2, 29), 2);
    EXPECT_EQ(weekday_of(1, 1, 1), 1);
    EXPECT_EQ(weekday_of(9999, 12, 31), 5);
}

TEST(Weekdays, AdvanceByOneEveryDayFor1583To2500)
{
    int16_t year = 1583;
    int8_t month = 1;
    int8_t day = 1;
    int expected = weekday_of(year, month, day);
    while (year < 2500) {
        next_day(year, month, day);
        expected = (expected + 1) % 7;
        ASSERT_EQ(weekday_of(year, month, day), expected) << year << "-" << int(month) << "-" << int(day);
    }
}

TEST(DayStepping, CrossesMonthAndYearEnds)
{
    int16_t year = 2010;
    int8_t month = 1;
    int8_t day = 1;
    previous_day(year, month, day);
    EXPECT_EQ(year, 2009);
    EXPECT_EQ(month, 12);
    EXPECT_EQ(day, 31);

    year = 2009, month = 2, day = 28;
    next_day(year, month, day);
    EXPECT_EQ(month, 3);
    EXPECT_EQ(day, 1);

    year = 2008, month = 2, day = 28;
    next_day(year, month, day);
    EXPECT_EQ(month, 2);
    EXPECT_EQ(day, 29);

    year = 2009, month = 3, day = 1;
    previous_day(year, month, day);
    EXPECT_EQ(month, 2);
    EXPECT_EQ(day, 28);

    year = 2009, month = 12, day = 31;
    next_day(year, month, day);
    EXPECT_EQ(year, 2010);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(day, 1);
}

TEST(DayStepping, BackAndForthReturnsToEveryDay)
{
    for (int16_t y = 1989; y <= 2038; ++y)
        for (int8_t m = 1; m <= 12; ++m)
            for (int8_t d = 1; d <= days_in_month(y, m); ++d) {
                int16_t year = y;
                int8_t month = m;
                int8_t day = d;
                next_day(year, month, day);
                previous_day(year, month, day);
                ASSERT_TRUE(year == y && month == m && day == d) << y << "-" << int(m) << "-" << int(d);
            }
}

TEST(NthWeekday, FindsMondaysAndReportsMissingOnes)
{
    EXPECT_EQ(nth_weekday(2009, 1, 2, 1), 12);
    EXPECT_EQ(nth_weekday(2009, 9, 3, 1), 21);
    EXPECT_EQ(nth_weekday(2009, 1, 6, 1), 255);
    EXPECT_EQ(nth_weekday(2009, 12, 1, 0), 6);
    // The walk runs to day 31 whatever the month: February 2009 has no
    // fifth Sunday but day 29 would be one.
    EXPECT_EQ(nth_weekday(2009, 2, 5, 0), 29);
}

TEST(WeekdayNames, JapaneseAndEnglish)
{
    char16_t name[4];
    weekday_name(name, 1, 0);
    EXPECT_EQ(std::u16string(name), u"日");
    weekday_name(name, 1, 6);
    EXPECT_EQ(std::u16string(name), u"土");
    weekday_name(name, 0, 3);
    EXPECT_EQ(std::u16string(name), u"We");
    weekday_name(name, 0, 0);
    EXPECT_EQ(std::u16string(name), u"Su");
}

TEST(MonthGrid, ThirtyOneDaysFromSaturday)
{
    MonthGrid grid;
    fill_month_grid(grid, 2011, 1);  // 1 January 2011 was a Saturday
    for (int p = 0; p < 6; ++p) EXPECT_EQ(grid[p], empty_cell) << p;
    for (int p = 6; p <= 36; ++p) EXPECT_EQ(grid[p], p - 5) << p;
    EXPECT_EQ(grid[37], empty_cell);
}

TEST(MonthGrid, FebruaryStartingOnSunday)
{
    MonthGrid grid;
    fill_month_grid(grid, 2009, 2);
    for (int p = 0; p < 28; ++p) EXPECT_EQ(grid[p], p + 1) << p;
    for (int p = 28; p < grid_cells; ++p) EXPECT_EQ(grid[p], empty_cell) << p;
}

TEST(MonthGrid, RefillLeavesNothingOfThePreviousMonth)
{
    MonthGrid grid;
    fill_month_grid(grid, 2011, 1);
    fill_month_grid(grid, 2009, 2);
    EXPECT_EQ(grid[30], empty_cell);
    EXPECT_EQ(grid[36], empty_cell);
}

TEST(DateRecords, NowIsConsistent)
{
    const DateRecord now = clock_now();
    int year = now.year;
    EXPECT_GE(year, 2000);
    EXPECT_EQ(now.weekday, weekday_of(year, now.month, now.day));
}

TEST(TypedDate, EveryFormReadsAndWhatCannotBeIsNamed)
{
    const char* const forms[] = {"2009/12/6", "2009-12-06", "2009.12.6", "12/6",         "20091206",
                                 "H21.12.6",  "h21.12.6",   "平成21年12月6日", "２００９／１２／６", "Ｈ２１．１２．６"};
    for (const char* form : forms) {
        TypedDate date = {};
        std::string fault;
        EXPECT_TRUE(read_typed_date(form, 2009, &date, &fault)) << form << fault;
        EXPECT_EQ(date.year * 10000 + date.month * 100 + date.day, 20091206) << form;
    }
    TypedDate date = {};
    std::string fault;
    EXPECT_TRUE(read_typed_date("R7.12.6", 2009, &date, &fault) && date.year == 2025);
    EXPECT_TRUE(read_typed_date("令和元年5月1日", 2009, &date, &fault) && date.year == 2019 && date.month == 5);
    EXPECT_TRUE(read_typed_date("S64.1.7", 2009, &date, &fault) == false) << "1989 is before the calendar";
    EXPECT_EQ(fault, "1990年から2037年までの日付を入力してください。");
    EXPECT_FALSE(read_typed_date("2009/2/29", 2009, &date, &fault));
    EXPECT_EQ(fault, "2009年2月29日はありません。");
    EXPECT_TRUE(read_typed_date("2009/1/31", 2009, &date, &fault) && date.month == 1);
    EXPECT_TRUE(read_typed_date("S65.1.1", 2009, &date, &fault) && date.year == 1990) << "counted on, as the era box does";
    EXPECT_FALSE(read_typed_date("R7.12", 2009, &date, &fault));
    EXPECT_EQ(fault.rfind("日付として読めません。", 0), 0u);
    for (const char* wrong : {"", "12", "2009/12", "12/6/2009", "2009/12/6x", "R0.1.1", "2038/1/1", "X7.12.6"})
        EXPECT_FALSE(read_typed_date(wrong, 2009, &date, &fault)) << wrong;
    EXPECT_TRUE(read_typed_date("令和7年12月6日", 2009, &date, &fault) && date.year == 2025 && date.day == 6);
    EXPECT_TRUE(read_typed_date("1990/1/1", 2009, &date, &fault) && read_typed_date("2037/12/31", 2009, &date, &fault))
        << "the calendar's first and last days";
    for (const char* outside : {"1989/12/31", "20380101", "12/6"}) {
        fault.clear();
        EXPECT_FALSE(read_typed_date(outside, 2038, &date, &fault)) << outside;
        EXPECT_EQ(fault, "1990年から2037年までの日付を入力してください。") << outside;
    }
}
