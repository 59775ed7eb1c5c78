#include "ledger/backup.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ledger/year_ledger.h"
#include "platform/folders.h"
#include "settings/program_folder.h"

namespace {
struct BackedUpYear {
    std::string day_folder;  // the day's first folder, so also the program's
    int year;
};
std::vector<BackedUpYear> backed_up_this_run;
BackupResult waiting_failure;
bool failure_waiting;

typedef void (*YearFileName)(char*, int, int);
const YearFileName year_file_names[] = {amounts_file, memos_file, day_off_file};

long day_number(const LocalTime& day) { return day.year * 10000L + day.month * 100L + day.day; }

// YYYYMMDD for the first folder of a day, YYYYMMDD-2 and on for the next.
std::string day_folder(const LocalTime& day, int serial)
{
    char name[32];
    if (serial == 1)
        std::snprintf(name, sizeof name, "%08ld", day_number(day));
    else
        std::snprintf(name, sizeof name, "%08ld-%d", day_number(day), serial);
    std::string root = backup_root();
    return root + name + root.back();
}

const char* file_name_part(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}

bool holds_year_files(const std::string& folder, int year)
{
    for (YearFileName name : year_file_names) {
        char path[path_capacity];
        name(path, sizeof path, year);
        if (path_exists((folder + file_name_part(path)).c_str())) return true;
    }
    return false;
}

// The day a folder of ours belongs to: "YYYYMMDD" or "YYYYMMDD-N"; 0 for
// any other name, which is never touched.
long backup_day_of(const std::string& name)
{
    if (name.size() < 8 || name.size() == 9) return 0;
    for (size_t i = 0; i < name.size(); ++i) {
        bool is_digit = name[i] >= '0' && name[i] <= '9';
        if (i == 8 ? name[i] != '-' : !is_digit) return 0;
    }
    return std::strtol(name.substr(0, 8).c_str(), nullptr, 10);
}

// Keeps the newest days and today (the clock may have been set back).
void remove_old_backups(const LocalTime& today)
{
    std::string root = backup_root();
    std::vector<FolderEntry> entries;
    if (!list_folder(root.c_str(), &entries)) return;
    std::vector<long> days;
    for (const FolderEntry& entry : entries)
        if (entry.is_folder && backup_day_of(entry.name)) days.push_back(backup_day_of(entry.name));
    std::sort(days.begin(), days.end(), [](long a, long b) { return a > b; });
    days.erase(std::unique(days.begin(), days.end()), days.end());
    if (days.size() <= backup_days_kept) return;
    long oldest_kept = days[backup_days_kept - 1];
    for (const FolderEntry& entry : entries) {
        long day = backup_day_of(entry.name);
        if (entry.is_folder && day && day < oldest_kept && day != day_number(today))
            remove_folder_with_files((root + entry.name).c_str());
    }
}

// Copies what exists of the year's files; the first failure decides the
// status, but every file that can be copied is.
BackupStatus copy_year_files(int year, const std::string& folder)
{
    BackupStatus status = backup_nothing_to_copy;
    for (YearFileName name : year_file_names) {
        char path[path_capacity];
        name(path, sizeof path, year);
        std::vector<unsigned char> content;
        bool missing = false;
        BackupStatus step = backup_made;
        if (!read_whole_file(path, content, &missing))
            step = missing ? backup_nothing_to_copy : backup_read_failed;
        else if (!make_directory(backup_root().c_str()) || !make_directory(folder.c_str()))
            step = backup_folder_failed;
        else if (!replace_file((folder + file_name_part(path)).c_str(), content))
            step = backup_write_failed;
        if (!backup_failed(status) && step != backup_nothing_to_copy) status = step;
    }
    return status;
}

BackupResult back_up_into(int year, const std::string& folder, const LocalTime& today)
{
    backed_up_this_run.push_back(BackedUpYear{day_folder(today, 1), year});
    BackupResult result{copy_year_files(year, folder), folder};
    if (result.status == backup_made) remove_old_backups(today);
    return result;
}
}  // namespace

bool backup_failed(BackupStatus status)
{
    return status == backup_folder_failed || status == backup_read_failed || status == backup_write_failed;
}

std::string backup_root() { return program_subfolder("backup"); }

BackupResult back_up_before_first_save(int year, const LocalTime& today)
{
    std::string folder = day_folder(today, 1);
    if (year < first_ledger_year) return BackupResult{backup_nothing_to_copy, folder};
    for (const BackedUpYear& done : backed_up_this_run)
        if (done.day_folder == folder && done.year == year) return BackupResult{backup_already_made, folder};
    // An earlier run of the same day copied the files as they were then.
    if (holds_year_files(folder, year)) {
        backed_up_this_run.push_back(BackedUpYear{folder, year});
        return BackupResult{backup_already_made, folder};
    }
    BackupResult result = back_up_into(year, folder, today);
    if (backup_failed(result.status)) {
        waiting_failure = result;
        failure_waiting = true;
    }
    return result;
}

BackupResult back_up_year_anew(int year, const LocalTime& today)
{
    for (int serial = 1; serial < 1000; ++serial) {
        std::string folder = day_folder(today, serial);
        if (!path_exists(folder.c_str())) return back_up_into(year, folder, today);
    }
    return BackupResult{backup_folder_failed, day_folder(today, 1000)};
}

bool take_backup_failure(std::string* folder, std::string* reason)
{
    if (!failure_waiting) return false;
    failure_waiting = false;
    if (folder) *folder = waiting_failure.folder;
    if (reason) *reason = backup_failure_reason(waiting_failure.status);
    return true;
}

const char* backup_failure_reason(BackupStatus status)
{
    switch (status) {
    case backup_folder_failed: return "フォルダを作れませんでした。";
    case backup_read_failed: return "年のファイルを読めませんでした。";
    case backup_write_failed: return "コピーを書き込めませんでした。ディスクの空きと書き込みの権限を確かめてください。";
    default: return "";
    }
}
