#include "ledger/backup.h"

#include <gtest/gtest.h>

#include "ledger/year_ledger.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {
LocalTime day_of(int year, int month, int day) { return LocalTime{year, month, day, 0, 0, 0, 0}; }

std::vector<std::string> names_in(const fs::path& folder)
{
    std::vector<std::string> names;
    for (auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A folder as the program names it, ending in the separator.
std::string folder_name(const fs::path& path) { return (path / "").make_preferred().string(); }
}  // namespace

TEST(Backup, OncePerDayAndYearOfTheFilesThatExistAndAnewOnRequest)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    const fs::path backups = folder.path() / "backup";
    write_bytes(folder.path() / "2003.dat", Bytes{1});
    write_bytes(folder.path() / "2003m.dat", Bytes{2});
    write_bytes(folder.path() / "2004h.dat", Bytes{3});

    BackupResult first = back_up_before_first_save(2003, day_of(2001, 2, 3));
    EXPECT_EQ(first.status, backup_made);
    EXPECT_EQ(first.folder, folder_name(backups / "20010203"));
    EXPECT_EQ(names_in(backups / "20010203"), (std::vector<std::string>{"2003.dat", "2003m.dat"}));
    write_bytes(folder.path() / "2003.dat", Bytes{9});
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 2, 3)).status, backup_already_made);
    EXPECT_EQ(read_bytes(backups / "20010203" / "2003.dat"), Bytes{1}) << "the day keeps its first copy";
    EXPECT_EQ(back_up_before_first_save(2004, day_of(2001, 2, 3)).status, backup_made);
    EXPECT_EQ(back_up_before_first_save(2005, day_of(2001, 2, 3)).status, backup_nothing_to_copy);
    EXPECT_EQ(names_in(backups / "20010203").size(), 3u);
    fs::create_directories(backups / "20010205");
    write_bytes(backups / "20010205" / "2003h.dat", Bytes{4});  // from an earlier run of the day
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 2, 5)).status, backup_already_made);
    EXPECT_EQ(names_in(backups / "20010205").size(), 1u);
    fs::create_directories(backups / "20010206");
    write_bytes(backups / "20010206" / "2003.dat", Bytes{4});
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 2, 6)).status, backup_already_made);

    BackupResult anew = back_up_year_anew(2003, day_of(2001, 2, 3));
    EXPECT_EQ(anew.folder, folder_name(backups / "20010203-2"));
    EXPECT_EQ(read_bytes(backups / "20010203-2" / "2003.dat"), Bytes{9});
    EXPECT_EQ(back_up_year_anew(2003, day_of(2001, 2, 3)).folder, folder_name(backups / "20010203-3"));
    EXPECT_EQ(back_up_year_anew(2003, day_of(2001, 2, 4)).folder, folder_name(backups / "20010204"));

    // The save of the program takes today's copy before writing.
    write_bytes(folder.path() / "2006.dat", Bytes{5});
    LedgerYear value;
    read_ledger_year(2006, value);
    ASSERT_TRUE(save_ledger_year(value));
    LocalTime today;
    local_time_now(&today);
    char day_name[16];
    std::snprintf(day_name, sizeof day_name, "%04d%02d%02d", today.year, today.month, today.day);
    EXPECT_EQ(read_bytes(backups / day_name / "2006.dat"), Bytes{5});
}

TEST(Backup, FailureIsToldOnceWithItsFolderAndReason)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    const fs::path backups = folder.path() / "backup";
    write_bytes(folder.path() / "2003.dat", Bytes{1});
    write_bytes(backups, Bytes{0});  // a file where the folder belongs
    take_backup_failure(nullptr, nullptr);
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 3, 4)).status, backup_folder_failed);
    std::string failed_folder, reason;
    EXPECT_TRUE(take_backup_failure(&failed_folder, &reason));
    EXPECT_EQ(failed_folder, folder_name(backups / "20010304"));
    EXPECT_EQ(reason, "フォルダを作れませんでした。");
    EXPECT_FALSE(take_backup_failure(&failed_folder, &reason));
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 3, 4)).status, backup_folder_failed) << "tried again";
    std::filesystem::remove(backups);
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 3, 4)).status, backup_made);

    // One part unreadable (here a folder by its name): no backup, whatever
    // the parts after it.
    fs::create_directories(folder.path() / "2007.dat");
    write_bytes(folder.path() / "2007m.dat", Bytes{2});
    EXPECT_EQ(back_up_before_first_save(2007, day_of(2001, 3, 5)).status, backup_read_failed);
    EXPECT_FALSE(fs::exists(backups / "20010305" / "2007m.dat"));
    EXPECT_FALSE(fs::exists(backups / "20010305.partial"));

    // A crash's partial copy is thrown away, not taken for the day's backup.
    fs::create_directories(backups / "20010306.partial");
    write_bytes(backups / "20010306.partial" / "2004.dat", Bytes{7});
    fs::create_directories(backups / "20010309.partial");  // another day's, with a 9 in its name
    EXPECT_EQ(back_up_before_first_save(2003, day_of(2001, 3, 6)).status, backup_made);
    EXPECT_EQ(names_in(backups / "20010306"), (std::vector<std::string>{"2003.dat"}));
    EXPECT_FALSE(fs::exists(backups / "20010306.partial"));
    EXPECT_FALSE(fs::exists(backups / "20010309.partial"));
    // A whole copy a crash left on its way into the day's folder goes in.
    fs::create_directories(backups / "20010306.moving");
    write_bytes(backups / "20010306.moving" / "2005.dat", Bytes{8});
    back_up_before_first_save(2006, day_of(2001, 3, 6));
    EXPECT_EQ(names_in(backups / "20010306"), (std::vector<std::string>{"2003.dat", "2005.dat"}));
}

TEST(Backup, TheNewestThirtyDaysStayAndNothingElseIsTouched)
{
    TempFolder folder;
    set_program_path(folder.file("Ravo.exe").c_str());
    const fs::path backups = folder.path() / "backup";
    write_bytes(folder.path() / "2003.dat", Bytes{1});
    // 35 older days (20020111 to 20020145: the names only have to sort),
    // some with a second folder.
    for (int day = 1; day <= 35; ++day) {
        std::string name = "200201" + std::to_string(10 + day);
        fs::create_directories(backups / name);
        write_bytes(backups / name / "2002.dat", Bytes{1});
        if (day % 5 == 0) fs::create_directories(backups / (name + "-2"));
    }
    for (const char* other : {"notes", "2002011", "20020111x", "20020111-", "19990101-2x", "+2002011", "2002011x.partial"})
        fs::create_directories(backups / other);
    write_bytes(backups / "20020101", Bytes{1});
    fs::create_directories(backups / "20020112" / "kept");  // holds a folder: stays

    ASSERT_EQ(back_up_before_first_save(2003, day_of(2002, 3, 1)).status, backup_made);
    std::vector<std::string> expected = {"+2002011",  "19990101-2x", "20020101", "2002011",
                                         "2002011x.partial", "20020111-", "20020111x", "20020112"};
    for (int day = 7; day <= 35; ++day) {
        expected.push_back("200201" + std::to_string(10 + day));
        if (day % 5 == 0) expected.push_back("200201" + std::to_string(10 + day) + "-2");
    }
    expected.push_back("20020301");
    expected.push_back("notes");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names_in(backups), expected);
    // A clock set back: the day just made stays, however old.
    back_up_year_anew(2003, day_of(1999, 1, 1));
    EXPECT_TRUE(fs::exists(backups / "19990101"));
}
