#include "ledger/restore.h"

#include <gtest/gtest.h>

#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {
// A day folder holding the parts of `value` named in `parts`.
void put_backup(const fs::path& folder, const LedgerYear& value, std::initializer_list<int> parts)
{
    fs::create_directories(folder);
    for (int part : parts) write_bytes(folder / file_name_of(ledger_part_path(value.year, part)), part_bytes(value, part));
}
}  // namespace

TEST(Restore, ListsBackupsNewestFirstWithTheirDifferingDaysAndBringsOneBackExactly)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    const fs::path backups = folder.path() / "backup";
    LedgerYear now;
    clear_ledger_year(now, 2009);
    set_day(now, 1, 1, DayEntry{500, "", 0});
    set_day(now, 1, 2, DayEntry{0, "a", 0});
    put_backup(folder.path(), now, {part_amounts, part_memos, part_day_off});
    LedgerYear then = now;
    set_day(then, 1, 1, DayEntry{300, "", 0});
    set_day(then, 1, 3, DayEntry{-1, "", 0});
    put_backup(backups / "20090101", then, {part_amounts});  // no memos nor day-off marks then
    then = now;
    then.day_off[0][3] = 1;
    put_backup(backups / "20090105", then, {part_amounts, part_memos, part_day_off});
    then = now;
    ASSERT_TRUE(set_day_visits(then, 1, 6, {Visit{1, 6, "麻雀", "ABC", "", 0, 5, no_time, no_time, ""}}));
    put_backup(backups / "20090105-2", then, {part_amounts, part_memos, part_day_off, part_visits});
    fs::create_directories(backups / "20090110" / "2009.dat");  // a file that cannot be read
    put_backup(backups / "20090111", now, {});
    write_bytes(backups / "20090111" / "2010.dat", Bytes(8, 1));  // another year only
    put_backup(backups / "older", then, {part_amounts});          // not a day folder

    LedgerYear current;
    ASSERT_TRUE(read_ledger_year(2009, current));
    std::vector<YearBackup> listed = list_year_backups(2009, current);
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0].name, "20090110");
    EXPECT_FALSE(listed[0].readable);
    EXPECT_EQ(restore_year_backup(2009, listed[0]).status, restore_refused);
    EXPECT_EQ(listed[1].name, "20090105-2");
    EXPECT_EQ(listed[1].day, 20090105);
    ASSERT_EQ(listed[1].changed.size(), 1u);
    EXPECT_TRUE(listed[1].changed[0].visits_changed);
    EXPECT_EQ(listed[1].changed[0].then.amount, 5) << "the visit's balance";
    EXPECT_EQ(listed[2].name, "20090105");
    ASSERT_EQ(listed[2].changed.size(), 1u);
    EXPECT_TRUE(listed[2].changed[0].day_off_changed && !listed[2].changed[0].memo_changed);
    EXPECT_EQ(listed[2].changed[0].day, 4);
    const YearBackup& oldest = listed[3];
    EXPECT_TRUE(oldest.readable);
    EXPECT_EQ(oldest.total, 300);
    ASSERT_EQ(oldest.changed.size(), 3u);
    EXPECT_EQ(oldest.changed[0].now.amount, 500);
    EXPECT_EQ(oldest.changed[0].then.amount, 300);
    EXPECT_TRUE(oldest.changed[1].memo_changed);
    EXPECT_EQ(oldest.changed[1].then.memo[0], 0);
    EXPECT_EQ(oldest.changed[2].then.amount, -1);
    EXPECT_FALSE(oldest.changed[2].memo_changed || oldest.changed[2].day_off_changed || oldest.changed[2].visits_changed);

    // Today's folder exists already: the year as it was still gets one.
    LocalTime today;
    local_time_now(&today);
    const std::string today_name = std::to_string(today.year * 10000L + today.month * 100L + today.day);
    put_backup(backups / today_name, then, {part_amounts});
    const Bytes memos = read_bytes(folder.path() / "2009m.dat");
    ASSERT_EQ(restore_year_backup(2009, oldest).status, restore_saved);
    EXPECT_EQ(read_bytes(folder.path() / "2009.dat"), oldest.bytes[part_amounts]);
    EXPECT_FALSE(fs::exists(folder.path() / "2009m.dat")) << "a file the backup lacks goes";
    EXPECT_FALSE(fs::exists(folder.path() / "2009h.dat"));
    EXPECT_EQ(read_bytes(backups / (today_name + "-2") / "2009m.dat"), memos);
    ASSERT_TRUE(read_ledger_year(2009, current));
    listed = list_year_backups(2009, current);
    EXPECT_EQ(listed[0].name, today_name + "-2");
    EXPECT_EQ(listed[0].changed.size(), 3u) << "the restore is itself in the list, to be taken back";
}
