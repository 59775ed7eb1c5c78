#include "ledger/year_ledger.h"

#include <gtest/gtest.h>

#include <cstring>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ledger/year_merge.h"
#include "platform/platform.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace {

class YearFiles : public ::testing::Test {
public:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        read_ledger_year(2009, v);
    }
    // Changes a failed save left in memory belong to this folder only.
    void TearDown() override
    {
        stop_file_changes_after(-1);
        discard_unsaved_changes();
    }
    Bytes file(const char* name) { return read_bytes(folder.path() / name); }
    bool exists(const char* name) { return std::filesystem::exists(folder.path() / name); }

    TempFolder folder;
    LedgerYear v;
};

int32_t le32(const Bytes& bytes, size_t offset)
{
    return static_cast<int32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

}  // namespace

TEST_F(YearFiles, NewYearIsEmptyAndSavingCreatesTheThreeFiles)
{
    for (auto& month : v.amounts)
        for (int32_t amount : month) ASSERT_EQ(amount, 0);
    for (auto& month : v.memos)
        for (auto& memo : month) ASSERT_EQ(memo[0], 0);
    for (auto& month : v.day_off)
        for (uint8_t mark : month) ASSERT_EQ(mark, 0);
    EXPECT_EQ(v.year, 2009);

    SaveReport report;
    ASSERT_TRUE(save_ledger_year(v, &report));
    EXPECT_TRUE(report.changed_outside.empty()) << "files missing then and now";
    EXPECT_EQ(file("2009.dat"), Bytes(1488, 0));
    EXPECT_EQ(file("2009m.dat"), Bytes(7812, 0));
    EXPECT_EQ(file("2009h.dat"), Bytes(372, 0));
}

TEST_F(YearFiles, DayOfMarchFifthLandsAtItsOffsets)
{
    DayEntry entry = {-123456, "memo", 1};
    set_day(v, 3, 5, entry);
    ASSERT_TRUE(save_ledger_year(v));

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

    v.amounts[2][4] = 0;
    read_ledger_year(2009, v);
    EXPECT_EQ(day_of(v, 3, 5).amount, -123456);
    EXPECT_STREQ(day_of(v, 3, 5).memo, "memo");
    EXPECT_EQ(day_of(v, 3, 5).day_off, 1);
    EXPECT_EQ(day_of(v, 13, 1).amount + day_of(v, 0, 1).amount, 0) << "nothing outside the table";
    EXPECT_FALSE(set_day_visits(v, 13, 1, {}));
    set_day(v, 3, 5, DayEntry{1, "m", 0});
    EXPECT_EQ(std::memcmp(v.memos[2][4], "m\0\0\0\0", 5), 0) << "the whole field is written";
}

TEST_F(YearFiles, LastSlotsOfTheYearAreTheLastBytes)
{
    v.amounts[11][30] = 0x01020304;
    std::memcpy(v.memos[11][30], "12345678901234567890", 21);
    v.day_off[11][30] = 7;
    ASSERT_TRUE(save_ledger_year(v));
    Bytes amounts = file("2009.dat");
    EXPECT_EQ(Bytes(amounts.end() - 4, amounts.end()), (Bytes{4, 3, 2, 1}));
    Bytes memos = file("2009m.dat");
    EXPECT_EQ(std::string(memos.end() - 21, memos.end() - 1), "12345678901234567890");
    EXPECT_EQ(memos.back(), 0);
    EXPECT_EQ(file("2009h.dat").back(), 7);
}

TEST_F(YearFiles, YearsBefore1990HaveNoFiles)
{
    v.year = 1989;
    v.amounts[0][0] = 5;
    EXPECT_TRUE(save_ledger_year(v));
    EXPECT_FALSE(exists("1989.dat"));
    EXPECT_FALSE(exists("1989m.dat"));
    EXPECT_FALSE(exists("1989h.dat"));
    read_ledger_year(1989, v);
    EXPECT_EQ(v.amounts[0][0], 0) << "nothing is kept for a year before 1990";

    write_bytes(folder.path() / "1985.dat", Bytes(1488, 0x11));
    read_ledger_year(1985, v);
    EXPECT_EQ(v.amounts[0][0], 0);
}

TEST_F(YearFiles, ShortFileNeverLeavesAnotherYearBehind)
{
    v.amounts[5][5] = 77;
    std::memcpy(v.memos[5][5], "x", 2);
    ASSERT_TRUE(save_ledger_year(v));
    write_bytes(folder.path() / "2010.dat", Bytes{9, 0, 0, 0});
    write_bytes(folder.path() / "2010m.dat", Bytes{'a', 0});
    read_ledger_year(2010, v);
    EXPECT_EQ(v.amounts[0][0], 9);
    EXPECT_EQ(v.amounts[5][5], 0);
    EXPECT_STREQ(v.memos[0][0], "a");
    EXPECT_STREQ(v.memos[5][5], "");
}

TEST_F(YearFiles, MemoWithoutNulIsReadAsItsFirstTwentyBytes)
{
    Bytes memos(7812, 'A');
    // The second memo's 20th byte is a Shift-JIS lead byte: cut before it.
    memos[21 + 19] = static_cast<uint8_t>(0x82);
    write_bytes(folder.path() / "2011m.dat", memos);
    read_ledger_year(2011, v);
    EXPECT_EQ(std::string(v.memos[0][0]), std::string(20, 'A'));
    EXPECT_EQ(std::string(v.memos[0][1]), std::string(19, 'A'));
}

TEST_F(YearFiles, BytesBeyondTheBufferSurviveASave)
{
    Bytes longer(1500, 0);
    longer[1490] = 0x5A;
    write_bytes(folder.path() / "2012.dat", longer);
    read_ledger_year(2012, v);
    v.amounts[0][0] = 1;
    ASSERT_TRUE(save_ledger_year(v));
    Bytes now = file("2012.dat");
    ASSERT_EQ(now.size(), 1500u);
    EXPECT_EQ(now[0], 1);
    EXPECT_EQ(now[1490], 0x5A);
}

TEST_F(YearFiles, FailedSaveIsReportedAndKeepsTheGoodFile)
{
    v.year = 2013;
    v.amounts[0][0] = 100;
    ASSERT_TRUE(save_ledger_year(v));
    Bytes good = file("2013m.dat");
    // The replacement for the memo file cannot be created.
    std::filesystem::create_directory(folder.path() / "2013m.dat.new");
    v.amounts[0][0] = 200;
    std::memcpy(v.memos[0][0], "new", 4);
    SaveReport failed;
    EXPECT_FALSE(save_ledger_year(v, &failed));
    ASSERT_EQ(failed.files.size(), 1u) << "only the memo file failed";
    EXPECT_EQ(failed.files[0].part, part_memos);
    EXPECT_EQ(describe_save_failure(failed).rfind("メモ: " + folder.file("2013m.dat") + "\n　", 0), 0u);
    EXPECT_EQ(file("2013m.dat"), good);
    EXPECT_EQ(le32(file("2013.dat"), 0), 100) << "all or nothing: the amounts stay as they were too";
    EXPECT_FALSE(exists("2013.dat.new"));
    read_ledger_year(2013, v);
    EXPECT_STREQ(v.memos[0][0], "new") << "the entry stays in memory";
}

TEST_F(YearFiles, ChangesAFailedSaveLeftStayUntilASaveWritesThem)
{
    const std::filesystem::path blocker = folder.path() / "2009m.dat.new";
    std::filesystem::create_directory(blocker);
    std::memcpy(v.memos[4][4], "kept", 5);
    EXPECT_FALSE(save_ledger_year(v));
    read_ledger_year(2009, v);  // the day entry dialog reads its year when it opens
    EXPECT_STREQ(v.memos[4][4], "kept");
    std::filesystem::remove(blocker);
    ASSERT_TRUE(save_ledger_year(v));
    read_ledger_year(2009, v);
    EXPECT_STREQ(v.memos[4][4], "kept");
    EXPECT_EQ(file("2009m.dat")[4 * 651 + 4 * 21], 'k');

    // Still failing while another year is shown: the next try writes it.
    std::filesystem::create_directory(blocker);
    std::memcpy(v.memos[4][5], "last", 5);
    EXPECT_FALSE(save_ledger_year(v));
    std::filesystem::remove(blocker);
    read_ledger_year(2010, v);
    EXPECT_STREQ(v.memos[4][4], "");
    EXPECT_TRUE(save_unsaved_years());
    EXPECT_EQ(file("2009m.dat")[4 * 651 + 5 * 21], 'l') << "written by the last try";

    // When that try fails too, the changes are kept aside: the year comes
    // back with them, totals and exports see them, and exit writes them.
    read_ledger_year(2009, v);
    std::filesystem::create_directory(blocker);
    std::memcpy(v.memos[4][6], "held", 5);
    EXPECT_FALSE(save_ledger_year(v));
    read_ledger_year(2010, v);
    EXPECT_TRUE(ledger_has_unsaved_changes());
    LedgerYear seen;
    read_ledger_year(2009, seen);
    EXPECT_STREQ(seen.memos[4][6], "held");
    SaveReport failed;
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
    EXPECT_FALSE(read_ledger_year(2014, v));
    std::filesystem::remove(folder.path() / "2014.dat");
    write_bytes(folder.path() / "2014.dat", stored);
    v.amounts[1][1] = 7;
    SaveReport failed;
    EXPECT_FALSE(save_ledger_year(v, &failed));
    ASSERT_EQ(failed.files.size(), 1u);
    EXPECT_EQ(failed.files[0].path, folder.file("2014.dat"));
    EXPECT_EQ(file("2014.dat"), stored);
    EXPECT_FALSE(exists("2014m.dat")) << "the year is refused whole";
    EXPECT_FALSE(ledger_has_unsaved_changes()) << "and never written later";

    read_ledger_year(2014, v);  // readable again: the stored year comes back
    EXPECT_EQ(v.amounts[0][0], 42);
    v.amounts[1][1] = 7;
    ASSERT_TRUE(save_ledger_year(v));
    EXPECT_EQ(le32(file("2014.dat"), 0), 42);
}

// A crash after any file change of a save, then the next start's read:
// the year is wholly the old or wholly the new one, and nothing is left.
// `changed` is the new year; the old is on disk.
void crash_at_every_point(YearFiles& test, const LedgerYear& changed, const char* what)
{
    const LedgerYear old = test.v;
    bool saw_old = false, saw_new = false, finished = false;
    for (long changes = 0; !finished && changes < 40; ++changes) {
        stop_file_changes_after(changes);
        finished = save_ledger_year(changed);
        stop_file_changes_after(-1);
        discard_unsaved_changes();  // the program is gone with its memory
        LedgerYear after;
        ASSERT_TRUE(read_ledger_year(2009, after)) << what << changes;
        const bool is_new = part_bytes(after, part_amounts) == part_bytes(changed, part_amounts);
        for (int part = 0; part < ledger_part_count; ++part)
            EXPECT_EQ(part_bytes(after, part), part_bytes(is_new ? changed : old, part)) << what << changes << " part " << part;
        (is_new ? saw_new : saw_old) = true;
        for (const char* left : {"2009.dat.new", "2009m.dat.new", "2009h.dat.new", "2009d.csv.new", "2009.commit", "2009.commit.new"})
            EXPECT_FALSE(test.exists(left)) << left << " after " << changes << what;
    }
    EXPECT_TRUE(finished && saw_old && saw_new) << what;
}

TEST_F(YearFiles, EveryCrashPointLeavesTheOldOrTheNewYear)
{
    set_day(v, 1, 1, DayEntry{100, "old", 0});
    ASSERT_TRUE(save_ledger_year(v));  // also the day's backup, out of the way
    LedgerYear changed = v;
    set_day(changed, 1, 1, DayEntry{-300, "new", 1});
    set_day(changed, 12, 31, DayEntry{5, "end", 0});
    crash_at_every_point(*this, changed, "tables ");

    // The visits file too: its first visit, then a change of it.
    read_ledger_year(2009, v);
    changed = v;
    ASSERT_TRUE(set_day_visits(changed, 3, 3, {Visit{0, 0, "競馬", "東京", "", 1000, 3500, 600, 720, ""}}));
    crash_at_every_point(*this, changed, "first visit ");
    ASSERT_TRUE(save_ledger_year(changed));
    read_ledger_year(2009, v);
    changed = v;
    ASSERT_TRUE(set_day_visits(changed, 3, 3, {Visit{0, 0, "競馬", "中山", "", 1000, 0, 600, 720, ""}}));
    crash_at_every_point(*this, changed, "changed visit ");

    // A save of a year lacking one of its files, stopped before its
    // record: what it left is dropped and the year reads as it was.
    std::filesystem::remove(folder.path() / "2009h.dat");
    read_ledger_year(2009, v);
    stop_file_changes_after(3);
    EXPECT_FALSE(save_ledger_year(changed));
    stop_file_changes_after(-1);
    discard_unsaved_changes();
    ASSERT_TRUE(exists("2009h.dat.new"));
    YearStatus status;
    EXPECT_TRUE(read_ledger_year(2009, v, &status));
    EXPECT_EQ(status.parts[part_day_off], part_missing);
    EXPECT_FALSE(exists("2009h.dat.new"));
}

// Another program (a spreadsheet) holds a file while the year is saved.
TEST_F(YearFiles, ASaveWaitingForAHeldFileIsNeverMixedWithTheNext)
{
    set_day(v, 1, 1, DayEntry{100, "old", 0});
    ASSERT_TRUE(save_ledger_year(v));
    HeldFile* held = hold_file_open(folder.file("2009m.dat").c_str());
    LedgerYear first = v;
    set_day(first, 1, 2, DayEntry{42, "first", 0});
    SaveReport report;
    EXPECT_FALSE(save_ledger_year(first, &report));
    EXPECT_TRUE(report.record_waiting);
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].problem, file_held);
    EXPECT_FALSE(ledger_has_unsaved_changes()) << "committed: its record finishes it";
    const Bytes waiting = file("2009m.dat.new");
    LedgerYear seen;
    read_ledger_year(2009, seen);
    EXPECT_STREQ(seen.memos[0][1], "first") << "read from its .new meanwhile";

    // The next save touches none of the first one's files: kept in memory.
    LedgerYear second = seen;
    set_day(second, 1, 3, DayEntry{-7, "second", 1});
    EXPECT_FALSE(save_ledger_year(second, &report));
    EXPECT_TRUE(report.record_waiting);
    EXPECT_EQ(report.files.at(0).path, folder.file("2009m.dat"));
    EXPECT_EQ(file("2009m.dat.new"), waiting);
    EXPECT_TRUE(ledger_has_unsaved_changes());

    // Stopped at any point once the file is free: the first save, then
    // the second, never a mix. (The first is left waiting by stopping it
    // right after its record.)
    let_go_of_file(held);
    const LedgerYear before = second;
    bool saved = false;
    for (long changes = 0; !saved && changes < 40; ++changes) {
        discard_unsaved_changes();
        if (!exists("2009.commit")) {
            stop_file_changes_after(5);  // three .new files and the record
            save_ledger_year(first);
            ASSERT_TRUE(exists("2009.commit"));
        }
        stop_file_changes_after(changes);
        saved = save_ledger_year(before);
        stop_file_changes_after(-1);
        discard_unsaved_changes();
        LedgerYear after;
        ASSERT_TRUE(read_ledger_year(2009, after));
        EXPECT_STREQ(after.memos[0][1], "first") << changes;
        const bool is_second = day_of(after, 1, 3).amount == -7;
        EXPECT_EQ(std::string(after.memos[0][2]), is_second ? "second" : "") << changes;
        EXPECT_EQ(after.day_off[0][2], is_second ? 1 : 0) << changes;
    }
    EXPECT_TRUE(saved);
}

TEST_F(YearFiles, AChangeMadeOutsideWhileTheYearWasOpenIsKept)
{
    set_day(v, 12, 9, DayEntry{100, "own", 0});
    ASSERT_TRUE(save_ledger_year(v));
    read_ledger_year(2009, v);  // the day entry of 12/9 opens
    // Meanwhile another copy of the year adds 1/21 and its visit.
    LedgerYear outside;
    read_ledger_year(2009, outside);
    set_day(outside, 1, 21, DayEntry{8888, "outside", 0});
    set_day_visits(outside, 1, 21, {Visit{0, 0, "パチンコ", "遠征", "", 1000, 9888, no_time, no_time, ""}});
    ASSERT_TRUE(save_ledger_year(outside));
    set_day(v, 12, 9, DayEntry{5000, "mine", 0});
    SaveReport report;
    ASSERT_TRUE(save_ledger_year(v, &report));
    EXPECT_EQ(report.changed_outside, (std::vector<int>{part_amounts, part_memos, part_visits}));
    LedgerYear after;
    read_ledger_year(2009, after);
    EXPECT_EQ(day_of(after, 1, 21).amount, 8888);
    EXPECT_EQ(visits_of_day(after, 1, 21).size(), 1u);
    EXPECT_EQ(day_of(after, 12, 9).amount, 5000);

    // The same day changed on both sides: the user chooses.
    LedgerYear mine = after;
    set_day(outside = after, 12, 9, DayEntry{1, "theirs", 0});
    ASSERT_TRUE(save_ledger_year(outside));
    set_day(mine, 12, 9, DayEntry{2, "mine", 0});
    std::vector<DayConflict> asked;
    const SaveChoices keep_theirs = {[](const DayConflict& conflict, void* context) {
                                         static_cast<std::vector<DayConflict>*>(context)->push_back(conflict);
                                         return false;
                                     },
                                     &asked};
    ASSERT_TRUE(save_ledger_year(mine, &report, &keep_theirs));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].month * 100 + asked[0].day, 1209);
    EXPECT_STREQ(asked[0].theirs.memo, "theirs");
    EXPECT_STREQ(asked[0].mine.memo, "mine");
    read_ledger_year(2009, after);
    EXPECT_STREQ(after.memos[11][8], "theirs");
    // Only the visits changed outside, the amount here: asked too.
    mine = after;
    replace_day_visits(outside = after, 12, 9, {Visit{0, 0, "競馬", "x", "", 1, 0, no_time, no_time, ""}});
    ASSERT_TRUE(save_ledger_year(outside));
    set_day(mine, 12, 9, DayEntry{3, "theirs", 0});
    asked.clear();
    ASSERT_TRUE(save_ledger_year(mine, &report, &keep_theirs));
    EXPECT_EQ(asked.size(), 1u);
    read_ledger_year(2009, after);

    // A change kept in memory by a failed save never hides the files'.
    const std::filesystem::path blocker = folder.path() / "2009h.dat.new";
    std::filesystem::create_directory(blocker);
    set_day(after, 2, 2, DayEntry{22, "held", 0});
    EXPECT_FALSE(save_ledger_year(after));
    std::filesystem::remove(blocker);
    set_day(outside, 3, 3, DayEntry{33, "restored", 0});
    write_bytes(folder.path() / "2009m.dat", part_bytes(outside, part_memos));  // restored from a backup
    ASSERT_TRUE(ledger_has_unsaved_changes());
    read_ledger_year(2009, mine);
    EXPECT_STREQ(mine.memos[2][2], "restored");
    EXPECT_STREQ(mine.memos[1][1], "held");
    EXPECT_TRUE(save_unsaved_years());
    read_ledger_year(2009, mine);
    EXPECT_STREQ(mine.memos[2][2], "restored");
    EXPECT_STREQ(mine.memos[1][1], "held");

    // The held change's day changed outside too: shown as held, asked when
    // it is written.
    std::filesystem::create_directory(blocker);
    set_day(mine, 4, 4, DayEntry{44, "held", 0});
    EXPECT_FALSE(save_ledger_year(mine));
    std::filesystem::remove(blocker);
    set_day(outside = mine, 4, 4, DayEntry{45, "outside", 0});
    write_bytes(folder.path() / "2009.dat", part_bytes(outside, part_amounts));
    write_bytes(folder.path() / "2009m.dat", part_bytes(outside, part_memos));
    read_ledger_year(2009, after);
    EXPECT_STREQ(after.memos[3][3], "held");
    asked.clear();
    EXPECT_TRUE(save_ledger_year(after, nullptr, &keep_theirs));  // the day entry's OK on what it read
    EXPECT_FALSE(asked.empty());
    read_ledger_year(2009, after);
    EXPECT_STREQ(after.memos[3][3], "outside");

    // A conflict decided takes the files' day as the base; left undecided
    // (a read showing a held change), the day keeps its old base.
    LedgerYear own = after, theirs = after;
    set_day(own, 5, 5, DayEntry{1, "own", 0});
    set_day(theirs, 5, 5, DayEntry{2, "theirs", 0});
    replace_day_visits(theirs, 5, 5, {Visit{0, 0, "", "t", "", 0, 0, no_time, no_time, ""}});
    take_prints(theirs);
    LedgerYear fresh = theirs;
    ASSERT_TRUE(merge_own_days(own, fresh, &keep_theirs));
    EXPECT_EQ(fresh.day_prints[4][4], theirs.day_prints[4][4]);
    EXPECT_STREQ(fresh.memos[4][4], "theirs");
    fresh = theirs;
    ASSERT_TRUE(merge_own_days(own, fresh, nullptr));
    EXPECT_STREQ(fresh.memos[4][4], "own");
    EXPECT_EQ(fresh.day_prints[4][4], own.day_prints[4][4]);
    EXPECT_EQ(fresh.visit_prints[4][4], own.visit_prints[4][4]);

    // A visit's texts count apart: "ab", "c" is not "a", "bc".
    LedgerYear split = after;
    split.visits = {Visit{1, 1, "ab", "c", "", 0, 0, no_time, no_time, ""}};
    take_prints(split);
    const uint64_t print = split.visit_prints[0][0];
    split.visits = {Visit{1, 1, "a", "bc", "", 0, 0, no_time, no_time, ""}};
    take_prints(split);
    EXPECT_NE(split.visit_prints[0][0], print);
    // A day's visits go among the others by date.
    ASSERT_TRUE(set_day_visits(split, 3, 31, {Visit{0, 0, "", "p", "", 0, 0, no_time, no_time, ""}}));
    ASSERT_TRUE(set_day_visits(split, 4, 1, {Visit{0, 0, "", "q", "", 0, 0, no_time, no_time, ""}}));
    EXPECT_EQ(split.visits.back().month * 100 + split.visits.back().day, 401);
}

TEST_F(YearFiles, HeldAndReadOnlyFilesAreNamedForWhatTheyAre)
{
    ASSERT_TRUE(save_ledger_year(v));
    std::filesystem::permissions(folder.path() / "2009.dat", std::filesystem::perms::owner_read);
    set_day(v, 1, 1, DayEntry{1, "", 0});
    SaveReport report;
    EXPECT_FALSE(save_ledger_year(v, &report));
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].problem, file_read_only);
    EXPECT_NE(describe_save_failure(report).find("読み取り専用です"), std::string::npos);
    EXPECT_FALSE(exists("2009.commit") || exists("2009.dat.new")) << "refused before anything is written";
    std::filesystem::permissions(folder.path() / "2009.dat", std::filesystem::perms::owner_all);
    EXPECT_TRUE(save_unsaved_years());

    // A file that cannot be read when the save reads the year again.
    std::filesystem::rename(folder.path() / "2009.dat", folder.path() / "kept.dat");
    std::filesystem::create_directory(folder.path() / "2009.dat");
    EXPECT_FALSE(save_ledger_year(v, &report));
    ASSERT_EQ(report.files.size(), 1u);
    EXPECT_EQ(report.files[0].part * 10 + report.files[0].problem, part_amounts * 10 + file_unreadable);
    std::filesystem::remove(folder.path() / "2009.dat");
    std::filesystem::rename(folder.path() / "kept.dat", folder.path() / "2009.dat");
    discard_unsaved_changes();

    // The record as written: each file of the save, then the end line; a
    // record that cannot be written leaves every part unsaved.
    read_ledger_year(2009, v);
    set_day(v, 1, 2, DayEntry{2, "", 0});
    stop_file_changes_after(5);
    EXPECT_FALSE(save_ledger_year(v));
    stop_file_changes_after(-1);
    const std::string record = "2009.dat\r\n2009m.dat\r\n2009h.dat\r\nend\r\n";
    EXPECT_EQ(file("2009.commit"), Bytes(record.begin(), record.end()));
    read_ledger_year(2009, v);
    stop_file_changes_after(3);
    EXPECT_FALSE(save_ledger_year(v, &report));
    stop_file_changes_after(-1);
    EXPECT_EQ(report.files.size(), 3u);
    discard_unsaved_changes();

    // Records found on a later start (the list of clean years is the
    // folder's: another folder's read is no reason to skip this one's).
    // A record cut short names every part that has a .new; a whole one
    // only the parts it names.
    auto next_start = [&] {
        TempFolder other;
        set_program_path(other.file("Ravo.exe").c_str());
        read_ledger_year(2009, v);
        set_program_path(folder.file("Ravo.exe").c_str());
        read_ledger_year(2009, v);
    };
    write_bytes(folder.path() / "2009h.dat.new", Bytes(372, 1));
    write_bytes(folder.path() / "2009.commit", Bytes{'2', '0', '0', '9'});
    next_start();
    EXPECT_EQ(v.day_off[0][0], 1);
    EXPECT_FALSE(exists("2009.commit"));
    Bytes amounts(1488, 0);
    amounts[0] = 77;
    write_bytes(folder.path() / "2009.dat.new", amounts);
    write_bytes(folder.path() / "2009h.dat.new", Bytes(372, 0));
    const std::string amounts_only = "2009.dat\r\nend\r\n";
    write_bytes(folder.path() / "2009.commit", Bytes(amounts_only.begin(), amounts_only.end()));
    next_start();
    EXPECT_EQ(v.amounts[0][0] * 10 + v.day_off[0][0], 771) << "the part not named stays as it was";
}

#ifndef _WIN32
TEST_F(YearFiles, AFileOfSeveralNamesIsWrittenInPlaceTheOthersReplaced)
{
    ASSERT_TRUE(save_ledger_year(v));
    std::filesystem::create_hard_link(folder.path() / "2009m.dat", folder.path() / "memos-elsewhere.dat");
    const auto inode = [&](const char* name) {
        struct stat information;
        stat((folder.path() / name).c_str(), &information);
        return information.st_ino;
    };
    const auto memos = inode("2009m.dat"), amounts = inode("2009.dat");
    set_day(v, 1, 1, DayEntry{5, "linked", 0});
    ASSERT_TRUE(save_ledger_year(v));
    EXPECT_EQ(inode("2009m.dat"), memos);
    EXPECT_NE(inode("2009.dat"), amounts) << "replaced whole by its .new";
    EXPECT_EQ(read_bytes(folder.path() / "memos-elsewhere.dat"), file("2009m.dat"));
    EXPECT_EQ(file("2009m.dat")[0], 'l');
    EXPECT_FALSE(exists("2009m.dat.new"));
}
#endif

TEST_F(YearFiles, NamesFollowTheYear)
{
    EXPECT_EQ(ledger_part_path(2009, part_amounts), folder.file("2009.dat"));
    EXPECT_EQ(ledger_part_path(2009, part_memos), folder.file("2009m.dat"));
    EXPECT_EQ(ledger_part_path(2009, part_day_off), folder.file("2009h.dat"));
}
