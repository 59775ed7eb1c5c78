#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/dates.h"
#include "ledger/year_ledger.h"
#include "settings/options.h"
#include "view/day_colors.h"

namespace {

// Shift-JIS names the program derives.
const std::string citizens = "\x8D\x91\x96\xAF\x82\xCC\x8B\x78\x93\xFA";  // 国民の休日
const std::string substitute = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";        // 振替休日
const std::string day_off = "\x8B\x78\x93\xFA";                           // 休日

DayOffTable marks;

class Holidays : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::memset(holiday_table(), 0, sizeof(HolidayRule) * holiday_rule_count);
        std::memset(marks, 0, sizeof marks);
        apply_fresh_defaults(options());
    }
    void rule(int index, int from, int month, int code, int to, const char* name)
    {
        HolidayRule& r = holiday_table()[index];
        r.from_year = static_cast<int16_t>(from);
        r.month = static_cast<int8_t>(month);
        r.day_code = static_cast<int8_t>(code);
        r.to_year = static_cast<int16_t>(to);
        std::strncpy(r.name, name, sizeof r.name - 1);
    }
    // Kind of a day and its name.
    static int kind(int year, int month, int day, std::string* name = nullptr)
    {
        const DayKind result = kind_of_day(year, month, day, marks[month - 1][day - 1]);
        if (name) *name = result.name;
        return result.kind;
    }
    void golden_week_2009(bool with_fourth)
    {
        rule(0, 2000, 5, 3, 2099, "kenpo");
        if (with_fourth) rule(1, 2000, 5, 4, 2099, "midori");
        rule(2, 2000, 5, 5, 2099, "kodomo");
    }
};

}  // namespace

TEST(Equinox, FormulaGivesTheKnownDays)
{
    EXPECT_EQ(equinox_day(2009, 3), 20);
    EXPECT_EQ(equinox_day(2009, 9), 23);
    EXPECT_EQ(equinox_day(2012, 9), 22);
    EXPECT_EQ(equinox_day(1990, 3), 21);
    EXPECT_EQ(equinox_day(2037, 3), 20);
    EXPECT_EQ(equinox_day(1979, 3), 20);  // k = -1: k / 4 truncates to 0, not -1
}

TEST_F(Holidays, SubstituteAfterARunThatBeganOnASunday)
{
    golden_week_2009(true);
    std::string name;
    EXPECT_EQ(kind(2009, 5, 3, &name), kind_holiday);
    EXPECT_EQ(name, "kenpo");
    EXPECT_EQ(kind(2009, 5, 6, &name), kind_holiday);
    EXPECT_EQ(name, substitute);
    EXPECT_EQ(kind(2009, 5, 7), 4) << "only the first free weekday";
}

TEST_F(Holidays, CitizensHolidayComesBeforeTheSubstituteTest)
{
    golden_week_2009(false);
    std::string name;
    EXPECT_EQ(kind(2009, 5, 4, &name), kind_holiday);
    EXPECT_EQ(name, citizens);
    // 5 May is a rule and 3 May, the Sunday of the week, is one too.
    EXPECT_EQ(kind(2009, 5, 6, &name), kind_holiday);
    EXPECT_EQ(name, substitute);
}

TEST_F(Holidays, CodesForEquinoxAndMondays)
{
    rule(0, 1980, 3, 99, 2099, "shunbun");
    rule(1, 1980, 4, 99, 2099, "never");
    rule(2, 2000, 1, 88, 2099, "seijin");
    rule(3, 2003, 9, 77, 2099, "keiro");
    std::string name;
    EXPECT_EQ(kind(2009, 3, 20, &name), kind_holiday);
    EXPECT_EQ(name, "shunbun");
    for (int d = 1; d <= 30; ++d) EXPECT_EQ(holiday_lookup(2009, 4, d), 0) << d;
    EXPECT_EQ(kind(2009, 1, 12, &name), kind_holiday);
    EXPECT_EQ(name, "seijin");
    EXPECT_EQ(kind(2009, 9, 21, &name), kind_holiday);
    EXPECT_EQ(name, "keiro");
    EXPECT_EQ(holiday_lookup(2002, 9, 16), 0) << "outside the year range";
}

TEST_F(Holidays, RulesWinOverDayOffMarksAndTheFirstRuleNamesTheDay)
{
    rule(0, 2009, 11, 3, 2009, "bunka");
    rule(1, 2009, 11, 3, 2009, "second");
    marks[10][2] = 1;
    std::string name;
    EXPECT_EQ(kind(2009, 11, 3, &name), kind_holiday);
    EXPECT_EQ(name, "bunka");
}

TEST_F(Holidays, DayOffMarksAreExactlyOne)
{
    marks[11][4] = 1;  // Saturday 5 December 2009
    marks[11][7] = 2;
    std::string name;
    EXPECT_EQ(kind(2009, 12, 5, &name), kind_day_off);
    EXPECT_EQ(name, day_off);
    EXPECT_EQ(day_color(kind_of_day(2009, 12, 5, marks[11][4]), *options()), +options()->sunday_color)
        << "a day off is red, not blue";
    EXPECT_EQ(kind(2009, 12, 8), 2);
    EXPECT_EQ(kind(2008, 12, 5), kind_day_off) << "the mark is read whatever the year";
}

TEST_F(Holidays, PlainDaysGiveTheirWeekdayAndColour)
{
    EXPECT_EQ(kind(2009, 12, 6), 0);
    EXPECT_EQ(kind(2009, 12, 12), 6);
    EXPECT_EQ(kind(2009, 12, 9), 3);
    options()->sunday_color = 0x11;
    options()->saturday_color = 0x22;
    options()->weekday_color = 0x33;
    EXPECT_EQ(day_color(kind_of_day(2009, 12, 6), *options()), 0x11u);
    EXPECT_EQ(day_color(kind_of_day(2009, 12, 12), *options()), 0x22u);
    EXPECT_EQ(day_color(kind_of_day(2009, 12, 9), *options()), 0x33u);
    rule(0, 2009, 12, 9, 2009, "x");
    EXPECT_EQ(day_color(kind_of_day(2009, 12, 9), *options()), 0x11u);
}

TEST_F(Holidays, NeighboursAcrossTheYearEnd)
{
    rule(0, 2000, 12, 31, 2099, "omisoka");
    rule(1, 2000, 1, 2, 2099, "second");
    std::string name;
    EXPECT_EQ(kind(2010, 1, 1, &name), kind_holiday);
    EXPECT_EQ(name, citizens);
    rule(1, 0, 0, 0, 0, "");
    // 31 December 2017 was a Sunday: 1 January 2018 is a substitute.
    EXPECT_EQ(kind(2018, 1, 1, &name), kind_holiday);
    EXPECT_EQ(name, substitute);
}

TEST_F(Holidays, OddCodesNeverMatch)
{
    rule(0, 2000, 6, 0, 2099, "zero");
    rule(1, 2000, 6, 45, 2099, "big");
    rule(2, 2000, 6, -3, 2099, "negative");
    rule(3, 2000, 13, 1, 2099, "month");
    for (int d = 1; d <= 30; ++d) EXPECT_EQ(holiday_lookup(2009, 6, d), 0) << d;
    EXPECT_EQ(holiday_lookup(2009, 13, 1), kind_holiday) << "lookups take the month as given";
    EXPECT_EQ(holiday_lookup(2009, 0, 0), 0);
}

TEST_F(Holidays, AKindKeepsItsNameAndWeekdayWhateverIsAskedNext)
{
    golden_week_2009(false);
    const DayKind sixth = kind_of_day(2009, 5, 6);
    const DayKind plain = kind_of_day(2009, 5, 7);
    EXPECT_EQ(sixth.kind, kind_holiday);
    EXPECT_EQ(std::string(sixth.name), substitute) << "its name, though another day was asked after it";
    EXPECT_EQ(sixth.weekday, 3) << "a Wednesday, whatever its kind";
    EXPECT_EQ(plain.kind, 4);
    EXPECT_EQ(plain.name[0], 0);
    EXPECT_EQ(kind_of_day(2009, 5, 9).kind, kind_saturday);
    EXPECT_EQ(kind_of_day(2009, 5, 10).kind, kind_sunday);
}
