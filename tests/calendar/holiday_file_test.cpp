#include "calendar/holiday_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "calendar/holidays.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

class HolidayFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        std::memset(holiday_table(), 0, sizeof(HolidayRule) * holiday_rule_count);
    }
    int load(const std::string& text)
    {
        write_bytes(folder.path() / "Holiday.ini", Bytes(text.begin(), text.end()));
        return load_holiday_file();
    }
    static const HolidayRule& rule(int i) { return holiday_table()[i]; }
    static int rules_used()
    {
        int used = 0;
        for (int i = 0; i < holiday_rule_count; ++i) used += rule(i).month != 0 || rule(i).from_year != 0;
        return used;
    }
    TempFolder folder;
};

}  // namespace

TEST_F(HolidayFile, CommentsAreSkippedAndFieldsRead)
{
    EXPECT_EQ(load("# comment\r\n comment too\r\n2000,1,1,2099,New Year\r\n"), 1);
    EXPECT_EQ(rules_used(), 1);
    EXPECT_EQ(rule(0).from_year, 2000);
    EXPECT_EQ(rule(0).month, 1);
    EXPECT_EQ(rule(0).day_code, 1);
    EXPECT_EQ(rule(0).to_year, 2099);
    EXPECT_STREQ(rule(0).name, "New Year");
    EXPECT_EQ(holiday_lookup(2009, 1, 1), kind_holiday);
}

TEST_F(HolidayFile, EquinoxLineMarksTheDayInMarchOnly)
{
    load("1980,3,99,2099,spring\n1980,4,99,2099,april\n");
    EXPECT_EQ(holiday_lookup(2009, 3, 20), kind_holiday);
    for (int d = 1; d <= 30; ++d) EXPECT_EQ(holiday_lookup(2009, 4, d), 0);
}

TEST_F(HolidayFile, NumbersReadLikeAtoi)
{
    load("2000years,  +5 ,x,-7,a\n99999999999999999999,1,1,1,b\n");
    EXPECT_EQ(rule(0).from_year, 2000);
    EXPECT_EQ(rule(0).month, 5);
    EXPECT_EQ(rule(0).day_code, 0);
    EXPECT_EQ(rule(0).to_year, -7);
    EXPECT_STREQ(rule(0).name, "a");
    EXPECT_EQ(rule(1).month, 1) << "a huge number is narrowed, not a crash";
}

TEST_F(HolidayFile, NamesAreCutToTwentyBytesOnACharacterBoundary)
{
    // 19 single bytes, then a double-byte character that would end at byte 21.
    load("2000,1,1,2099,ABCDEFGHIJKLMNOPQRS\x82\xA0tail\n"
         "2000,1,2,2099,ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"
         "2000,1,3,2099,name,extra,fields\n");
    EXPECT_STREQ(rule(0).name, "ABCDEFGHIJKLMNOPQRS");
    EXPECT_STREQ(rule(1).name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_STREQ(rule(2).name, "name");
}

TEST_F(HolidayFile, OnlySixtyFourRulesAreKept)
{
    std::string text;
    for (int i = 1; i <= 70; ++i) text += "2000,1," + std::to_string(i % 28 + 1) + ",2099,r" + std::to_string(i) + "\n";
    EXPECT_EQ(load(text), 1);
    EXPECT_STREQ(rule(63).name, "r64");
    EXPECT_EQ(rules_used(), 64);
}

TEST_F(HolidayFile, LongLineIsOneLineAndTheLastLineNeedsNoLineFeed)
{
    std::string long_line = "2000,2,2,2099,long" + std::string(400, 'x');
    load(long_line + "\n2000,3,3,2099,last");
    EXPECT_EQ(rules_used(), 2);
    EXPECT_EQ(std::string(rule(0).name), "longxxxxxxxxxxxxxxxx");
    EXPECT_STREQ(rule(1).name, "last");
}

TEST_F(HolidayFile, CtrlZEndsTheFileAsTextModeDoes)
{
    load("2000,1,1,2099,gantan\r\n\x1A\r\n2000,2,11,2099,kenkoku\r\n");
    EXPECT_EQ(rules_used(), 1);
    EXPECT_EQ(holiday_lookup(2009, 2, 11), 0);
    EXPECT_EQ(holiday_lookup(2009, 1, 1), 99);
}

TEST_F(HolidayFile, ShortAndBlankLinesTakeAnEntryThatNeverMatches)
{
    load("2000,1\n\n2000,5,5,2099,kodomo\n");
    EXPECT_EQ(rule(0).month, 1);
    EXPECT_EQ(rule(0).to_year, 0);
    EXPECT_EQ(rule(1).month, 0);
    EXPECT_STREQ(rule(2).name, "kodomo");
    EXPECT_EQ(holiday_lookup(2009, 1, 0), 0);
    load("2000,1,0,2099,zero\n2000,1,99,2099,no-equinox\n2000,1,40,2099,too-big\n");
    EXPECT_EQ(holiday_lookup(2009, 1, 0), 0) << "a day code naming no day never equals a day";
}

TEST_F(HolidayFile, MissingFileKeepsTheRulesOfTheLastRead)
{
    load("2000,1,1,2099,kept\n");
    std::filesystem::remove(folder.path() / "Holiday.ini");
    EXPECT_EQ(load_holiday_file(), 1);
    EXPECT_STREQ(rule(0).name, "kept");
}

TEST_F(HolidayFile, ChangedFileReplacesTheRules)
{
    load("2000,1,1,2099,old\n2000,2,2,2099,gone\n");
    load("2000,7,7,2099,new\n");
    EXPECT_EQ(rules_used(), 1);
    EXPECT_STREQ(rule(0).name, "new");
}

TEST_F(HolidayFile, BinaryJunkLoadsSafely)
{
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        Bytes junk = junk_bytes(seed * 97, seed);
        write_bytes(folder.path() / "Holiday.ini", junk);
        load_holiday_file();
        for (int i = 0; i < holiday_rule_count; ++i) ASSERT_LT(std::strlen(rule(i).name), 21u);
    }
}
