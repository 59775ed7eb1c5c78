#include "ledger/year_ledger.h"

#include <gtest/gtest.h>

#include <cstring>

#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

class YearFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        load_year(2009);
    }
    // Changes a failed save left in memory belong to this folder only.
    void TearDown() override
    {
        discard_unsaved_changes();
        load_year(1989);
    }
    Bytes file(const char* name) { return read_bytes(folder.path() / name); }
    bool exists(const char* name) { return std::filesystem::exists(folder.path() / name); }

    TempFolder folder;
};

int32_t le32(const Bytes& bytes, size_t offset)
{
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

}  // namespace

TEST_F(YearFiles, NewYearIsEmptyAndSavingCreatesTheThreeFiles)
{
    for (auto& month : ledger_amounts())
        for (int32_t amount : month) ASSERT_EQ(amount, 0);
    for (auto& month : ledger_memos())
        for (auto& memo : month) ASSERT_EQ(memo[0], 0);
    for (auto& month : ledger_day_off())
        for (uint8_t mark : month) ASSERT_EQ(mark, 0);
    EXPECT_EQ(ledger_year(), 2009);

    ASSERT_TRUE(save_year(2009));
    EXPECT_EQ(file("2009.dat"), Bytes(1488, 0));
    EXPECT_EQ(file("2009m.dat"), Bytes(7812, 0));
    EXPECT_EQ(file("2009h.dat"), Bytes(372, 0));
}

TEST_F(YearFiles, DayOfMarchFifthLandsAtItsOffsets)
{
    ledger_amounts()[2][4] = -123456;
    std::memcpy(ledger_memos()[2][4], "memo", 5);
    ledger_day_off()[2][4] = 1;
    ASSERT_TRUE(save_year(2009));

    Bytes amounts = file("2009.dat");
    Bytes memos = file("2009m.dat");
    Bytes marks = file("2009h.dat");
    EXPECT_EQ(le32(amounts, 264), -123456);
    Bytes expected_amounts(1488, 0);
    std::copy(amounts.begin() + 264, amounts.begin() + 268, expected_amounts.begin() + 264);
    EXPECT_EQ(amounts, expected_amounts) << "nothing but the four bytes of element 66";

    Bytes expected_memos(7812, 0);
    std::memcpy(&expected_memos[1386], "memo", 4);
    EXPECT_EQ(memos, expected_memos);
    Bytes expected_marks(372, 0);
    expected_marks[66] = 1;
    EXPECT_EQ(marks, expected_marks);

    ledger_amounts()[2][4] = 0;
    load_year(2009);
    EXPECT_EQ(ledger_amounts()[2][4], -123456);
    EXPECT_STREQ(ledger_memos()[2][4], "memo");
    EXPECT_EQ(ledger_day_off()[2][4], 1);
}

TEST_F(YearFiles, LastSlotsOfTheYearAreTheLastBytes)
{
    ledger_amounts()[11][30] = 0x01020304;
    std::memcpy(ledger_memos()[11][30], "12345678901234567890", 21);
    ledger_day_off()[11][30] = 7;
    ASSERT_TRUE(save_year(2009));
    Bytes amounts = file("2009.dat");
    EXPECT_EQ(Bytes(amounts.end() - 4, amounts.end()), (Bytes{4, 3, 2, 1}));
    Bytes memos = file("2009m.dat");
    EXPECT_EQ(std::string(memos.end() - 21, memos.end() - 1), "12345678901234567890");
    EXPECT_EQ(memos.back(), 0);
    EXPECT_EQ(file("2009h.dat").back(), 7);
}

TEST_F(YearFiles, YearsBefore1990HaveNoFiles)
{
    ledger_amounts()[0][0] = 5;
    EXPECT_TRUE(save_year(1989));
    EXPECT_FALSE(exists("1989.dat"));
    EXPECT_FALSE(exists("1989m.dat"));
    EXPECT_FALSE(exists("1989h.dat"));
    EXPECT_EQ(ledger_amounts()[0][0], 0) << "saving a year before 1990 clears the buffers";

    write_bytes(folder.path() / "1985.dat", Bytes(1488, 0x11));
    load_year(1985);
    EXPECT_EQ(ledger_amounts()[0][0], 0);
}

TEST_F(YearFiles, ShortFileNeverLeavesAnotherYearBehind)
{
    ledger_amounts()[5][5] = 77;
    std::memcpy(ledger_memos()[5][5], "x", 2);
    ASSERT_TRUE(save_year(2009));
    write_bytes(folder.path() / "2010.dat", Bytes{9, 0, 0, 0});
    write_bytes(folder.path() / "2010m.dat", Bytes{'a', 0});
    load_year(2010);
    EXPECT_EQ(ledger_amounts()[0][0], 9);
    EXPECT_EQ(ledger_amounts()[5][5], 0);
    EXPECT_STREQ(ledger_memos()[0][0], "a");
    EXPECT_STREQ(ledger_memos()[5][5], "");
}

TEST_F(YearFiles, MemoWithoutNulIsReadAsItsFirstTwentyBytes)
{
    Bytes memos(7812, 'A');
    // The second memo's 20th byte is a Shift-JIS lead byte: cut before it.
    memos[21 + 19] = static_cast<uint8_t>(0x82);
    write_bytes(folder.path() / "2011m.dat", memos);
    load_year(2011);
    EXPECT_EQ(std::string(ledger_memos()[0][0]), std::string(20, 'A'));
    EXPECT_EQ(std::string(ledger_memos()[0][1]), std::string(19, 'A'));
}

TEST_F(YearFiles, BytesBeyondTheBufferSurviveASave)
{
    Bytes longer(1500, 0);
    longer[1490] = 0x5A;
    write_bytes(folder.path() / "2012.dat", longer);
    load_year(2012);
    ledger_amounts()[0][0] = 1;
    ASSERT_TRUE(save_year(2012));
    Bytes now = file("2012.dat");
    ASSERT_EQ(now.size(), 1500u);
    EXPECT_EQ(now[0], 1);
    EXPECT_EQ(now[1490], 0x5A);
}

TEST_F(YearFiles, FailedSaveIsReportedAndKeepsTheGoodFile)
{
    ledger_amounts()[0][0] = 100;
    ASSERT_TRUE(save_year(2013));
    Bytes good = file("2013m.dat");
    // The replacement for the memo file cannot be created.
    std::filesystem::create_directory(folder.path() / "2013m.dat.new");
    ledger_amounts()[0][0] = 200;
    std::memcpy(ledger_memos()[0][0], "new", 4);
    SaveFailure failed;
    EXPECT_FALSE(save_year(2013, &failed));
    ASSERT_EQ(failed.files.size(), 1u) << "only the memo file failed";
    EXPECT_EQ(failed.files[0].part, part_memos);
    EXPECT_EQ(describe_save_failure(failed), "メモ: " + folder.file("2013m.dat") + "\n");
    EXPECT_EQ(file("2013m.dat"), good);
    EXPECT_EQ(le32(file("2013.dat"), 0), 200) << "the other files are still written";
    EXPECT_STREQ(ledger_memos()[0][0], "new") << "the entry stays in memory";
}

TEST_F(YearFiles, ChangesAFailedSaveLeftStayUntilASaveWritesThem)
{
    const std::filesystem::path blocker = folder.path() / "2009m.dat.new";
    std::filesystem::create_directory(blocker);
    std::memcpy(ledger_memos()[4][4], "kept", 5);
    EXPECT_FALSE(save_year(2009));
    load_year(2009);  // the day entry dialog reloads its year when it opens
    EXPECT_STREQ(ledger_memos()[4][4], "kept");
    std::filesystem::remove(blocker);
    ASSERT_TRUE(save_year(2009));
    load_year(2009);
    EXPECT_STREQ(ledger_memos()[4][4], "kept");
    EXPECT_EQ(file("2009m.dat")[4 * 651 + 4 * 21], 'k');

    // Still failing when another year is shown: one more try, then the
    // other year's files are read.
    std::filesystem::create_directory(blocker);
    std::memcpy(ledger_memos()[4][5], "last", 5);
    EXPECT_FALSE(save_year(2009));
    std::filesystem::remove(blocker);
    load_year(2010);
    EXPECT_STREQ(ledger_memos()[4][4], "");
    EXPECT_EQ(file("2009m.dat")[4 * 651 + 5 * 21], 'l') << "written by the last try";

    // When that try fails too, the changes are kept aside: the year comes
    // back with them, totals and exports see them, and exit writes them.
    load_year(2009);
    std::filesystem::create_directory(blocker);
    std::memcpy(ledger_memos()[4][6], "held", 5);
    EXPECT_FALSE(save_year(2009));
    load_year(2010);
    EXPECT_TRUE(ledger_has_unsaved_changes());
    MemoTable seen;
    load_memos(2009, seen);
    EXPECT_STREQ(seen[4][6], "held");
    load_year(2009);
    EXPECT_STREQ(ledger_memos()[4][6], "held");
    load_year(2010);
    SaveFailure failed;
    EXPECT_FALSE(save_unsaved_years(&failed));
    EXPECT_EQ(failed.files.size(), 1u);
    std::filesystem::remove(blocker);
    EXPECT_TRUE(save_unsaved_years());
    EXPECT_FALSE(ledger_has_unsaved_changes());
    EXPECT_EQ(file("2009m.dat")[4 * 651 + 6 * 21], 'h');
}

TEST_F(YearFiles, FileThatCouldNotBeReadIsNeverWrittenOver)
{
    // A file held open by another program at load time reads as zeros;
    // writing them would wipe the year once the file is free again.
    Bytes stored(1488, 0);
    stored[0] = 42;
    std::filesystem::create_directory(folder.path() / "2014.dat");  // unreadable while loading
    load_year(2014);
    std::filesystem::remove(folder.path() / "2014.dat");
    write_bytes(folder.path() / "2014.dat", stored);
    ledger_amounts()[1][1] = 7;
    SaveFailure failed;
    EXPECT_FALSE(save_year(2014, &failed));
    ASSERT_EQ(failed.files.size(), 1u);
    EXPECT_EQ(failed.files[0].path, folder.file("2014.dat"));
    EXPECT_EQ(file("2014.dat"), stored);
    EXPECT_TRUE(exists("2014m.dat")) << "the files that were read are saved";

    load_year(2014);  // readable again: the stored year comes back
    EXPECT_EQ(ledger_amounts()[0][0], 42);
    ledger_amounts()[1][1] = 7;
    ASSERT_TRUE(save_year(2014));
    EXPECT_EQ(le32(file("2014.dat"), 0), 42);
}

TEST_F(YearFiles, NamesFollowTheYear)
{
    char name[path_capacity];
    amounts_file(name, sizeof name, 2009);
    EXPECT_EQ(std::string(name), folder.file("2009.dat"));
    memos_file(name, sizeof name, 2009);
    EXPECT_EQ(std::string(name), folder.file("2009m.dat"));
    day_off_file(name, sizeof name, 2009);
    EXPECT_EQ(std::string(name), folder.file("2009h.dat"));
}
