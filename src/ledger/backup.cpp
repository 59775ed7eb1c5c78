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
// What this run backed up, and its last failure not told yet.
struct BackupsOfTheRun {
    std::vector<BackedUpYear> years;
    BackupResult waiting_failure;
    bool failure_waiting;
};
BackupsOfTheRun this_run;

// A copy is made whole in a folder of its own, then renamed to its day
// folder: a crash leaves a .partial folder, never a day folder holding
// part of a year. When the day folder exists already (another year was
// backed up that day), the whole copy is first renamed to .moving and
// then moved in; a .moving folder left by a crash is moved in later.
const char partial_suffix[] = ".partial";
const char moving_suffix[] = ".moving";

long day_number(const LocalTime& day) { return day.year * 10000L + day.month * 100L + day.day; }

std::string day_name(long day)
{
    char name[16];
    std::snprintf(name, sizeof name, "%08ld", day);
    return name;
}

// YYYYMMDD for the first folder of a day, YYYYMMDD-2 and on for the next.
std::string day_folder(const LocalTime& day, int serial)
{
    std::string name = day_name(day_number(day));
    if (serial > 1) name += "-" + std::to_string(serial);
    std::string root = backup_root();
    return root + name + root.back();
}

// The folder of the day's first copies: YYYYMMDD, or the next name when a
// file took that one.
std::string first_day_folder(const LocalTime& day)
{
    for (int serial = 1; serial < 1000; ++serial) {
        std::string folder = day_folder(day, serial);
        if (!path_exists(folder.c_str()) || is_folder(folder.c_str())) return folder;
    }
    return day_folder(day, 1000);
}

bool holds_year_files(const std::string& folder, int year)
{
    for (int part = 0; part < ledger_part_count; ++part)
        if (path_exists((folder + file_name_of(ledger_part_path(year, part))).c_str())) return true;
    return false;
}

// "YYYYMMDD" followed by `suffix`.
bool is_day_name(const std::string& name, const char* suffix)
{
    const std::string tail = suffix;
    if (name.size() != 8 + tail.size() || name.compare(8, std::string::npos, tail) != 0) return false;
    for (size_t i = 0; i < 8; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

}  // namespace

long backup_day_of(const std::string& name)
{
    if (name.size() < 8 || name.size() == 9) return 0;
    for (size_t i = 0; i < name.size(); ++i) {
        bool is_digit = name[i] >= '0' && name[i] <= '9';
        if (i == 8 ? name[i] != '-' : !is_digit) return 0;
    }
    return std::strtol(name.substr(0, 8).c_str(), nullptr, 10);
}

namespace {

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

// Moves the files of a whole copy into its day folder, then removes it.
bool move_copy_in(const std::string& copy, const std::string& day_folder_path, FileWaits* waits)
{
    std::vector<FolderEntry> entries;
    if (!list_folder(copy.c_str(), &entries)) return false;
    for (const FolderEntry& entry : entries)
        if (!entry.is_folder && !move_over((copy + entry.name).c_str(), (day_folder_path + entry.name).c_str(), waits))
            return false;
    return remove_folder_with_files(copy.c_str());
}

// What a crash left: partial copies go, whole ones are moved in.
void finish_interrupted_backups()
{
    const std::string root = backup_root();
    std::vector<FolderEntry> entries;
    if (!list_folder(root.c_str(), &entries)) return;
    for (const FolderEntry& entry : entries) {
        if (!entry.is_folder) continue;
        const std::string folder = root + entry.name + root.back();
        if (is_day_name(entry.name, partial_suffix)) remove_folder_with_files(folder.c_str());
        if (is_day_name(entry.name, moving_suffix))
            move_copy_in(folder, root + entry.name.substr(0, 8) + root.back(), nullptr);
    }
}

// Copies what exists of the year's files into a new folder; the first
// failure decides the status.
BackupStatus copy_year_files(int year, const std::string& folder)
{
    if (!make_directory(folder.c_str())) return backup_folder_failed;
    BackupStatus status = backup_nothing_to_copy;
    for (int part = 0; part < ledger_part_count && !backup_failed(status); ++part) {
        const std::string path = ledger_part_path(year, part);
        std::vector<unsigned char> content;
        bool missing = false;
        if (!read_whole_file(path.c_str(), content, &missing))
            status = missing ? status : backup_read_failed;
        else if (!write_new_file((folder + file_name_of(path)).c_str(), content))
            status = backup_write_failed;
        else
            status = backup_made;
    }
    return status;
}

// The whole copy takes the folder's name, or joins the day folder there.
// A virus scanner or a sync tool often holds a file just copied.
bool put_copy_in_place(const std::string& copy, const std::string& moving, const std::string& folder, FileWaits* waits)
{
    if (!path_exists(folder.c_str())) return rename_folder(copy.c_str(), folder.c_str(), waits);
    return rename_folder(copy.c_str(), moving.c_str(), waits) && move_copy_in(moving, folder, waits);
}

BackupResult failure(BackupStatus status, const std::string& folder)
{
    return BackupResult{status, folder, last_file_problem()};
}

BackupResult back_up_into(int year, const std::string& folder, const LocalTime& today, FileWaits* waits)
{
    const std::string root = backup_root();
    if (!make_directory(root.c_str())) return failure(backup_folder_failed, folder);
    finish_interrupted_backups();
    const std::string stem = root + day_name(day_number(today));
    const std::string copy = stem + partial_suffix + root.back(), moving = stem + moving_suffix + root.back();
    BackupStatus status = copy_year_files(year, copy);
    if (status == backup_made && !put_copy_in_place(copy, moving, folder, waits)) status = backup_folder_failed;
    if (status != backup_made) {
        const BackupResult result = failure(status, folder);
        remove_folder_with_files(copy.c_str());
        return result;
    }
    remove_old_backups(today);
    return BackupResult{backup_made, folder, file_fine};
}

bool backed_up_today(int year, const std::string& day_folder_path)
{
    for (const BackedUpYear& done : this_run.years)
        if (done.day_folder == day_folder_path && done.year == year) return true;
    return false;
}
}  // namespace

bool backup_failed(BackupStatus status)
{
    return status == backup_folder_failed || status == backup_read_failed || status == backup_write_failed;
}

std::string backup_root() { return program_subfolder("backup"); }

BackupResult back_up_before_first_save(int year, const LocalTime& today, FileWaits* waits)
{
    std::string folder = first_day_folder(today);
    if (year < first_ledger_year) return BackupResult{backup_nothing_to_copy, folder, file_fine};
    if (backed_up_today(year, folder)) return BackupResult{backup_already_made, folder, file_fine};
    finish_interrupted_backups();
    // An earlier run of the same day copied the files as they were then.
    if (holds_year_files(folder, year)) {
        this_run.years.push_back(BackedUpYear{folder, year});
        return BackupResult{backup_already_made, folder, file_fine};
    }
    BackupResult result = back_up_into(year, folder, today, waits);
    // A failure is tried again at the next save.
    if (backup_failed(result.status)) {
        this_run.waiting_failure = result;
        this_run.failure_waiting = true;
    } else {
        this_run.years.push_back(BackedUpYear{folder, year});
    }
    return result;
}

BackupResult back_up_year_anew(int year, const LocalTime& today)
{
    for (int serial = 1; serial < 1000; ++serial) {
        std::string folder = day_folder(today, serial);
        if (path_exists(folder.c_str())) continue;
        FileWaits waits = {save_wait_ms};
        BackupResult result = back_up_into(year, folder, today, &waits);
        if (!backup_failed(result.status)) this_run.years.push_back(BackedUpYear{first_day_folder(today), year});
        return result;
    }
    return BackupResult{backup_folder_failed, day_folder(today, 1000), file_failed};
}

bool take_backup_failure(std::string* folder, std::string* reason)
{
    if (!this_run.failure_waiting) return false;
    this_run.failure_waiting = false;
    if (folder) *folder = this_run.waiting_failure.folder;
    if (reason) {
        *reason = backup_failure_reason(this_run.waiting_failure.status);
        // The system's word on it where it says more than "failed".
        const FileProblem problem = this_run.waiting_failure.problem;
        if (problem != file_fine && problem != file_failed) *reason += file_problem_text(problem);
    }
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
