#include "ledger/restore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ledger/results.h"
#include "ledger/year_merge.h"
#include "platform/folders.h"

namespace {

// The N of "YYYYMMDD-N"; 1 for the day's first folder.
int serial_of(const std::string& name) { return name.size() > 9 ? std::atoi(name.c_str() + 9) : 1; }

// Every real day of the year whose entry or visits differ.
std::vector<ChangedDay> changed_days(const LedgerYear& now, const LedgerYear& then)
{
    // Visits are told apart by the prints a save compares them by.
    LedgerYear now_prints = now, then_prints = then;
    take_prints(now_prints);
    take_prints(then_prints);
    std::vector<ChangedDay> changed;
    for (int month = 1; month <= ledger_months; ++month)
        for (int day = 1; day <= days_in_month(now.year, month); ++day) {
            ChangedDay change = {month, day, day_of(now, month, day), day_of(then, month, day), false, false, false};
            change.memo_changed = std::strcmp(change.now.memo, change.then.memo) != 0;
            change.day_off_changed = change.now.day_off != change.then.day_off;
            change.visits_changed =
                now_prints.visit_prints[month - 1][day - 1] != then_prints.visit_prints[month - 1][day - 1];
            if (change.now.amount != change.then.amount || change.memo_changed || change.day_off_changed ||
                change.visits_changed)
                changed.push_back(change);
        }
    return changed;
}

bool newer(const YearBackup& a, const YearBackup& b) { return a.day != b.day ? a.day > b.day : a.serial > b.serial; }

// What the commit does with each file: the backup's bytes, or away with a
// file the backup lacks.
void plan_restore(int year, const YearBackup& backup, PartChanges& changes)
{
    for (int part = 0; part < ledger_part_count; ++part) {
        PartChange& change = changes[part];
        change.bytes = backup.bytes[part];
        if (backup.present[part])
            change.action = PartChange::write;
        else
            change.action = path_exists(ledger_part_path(year, part).c_str()) ? PartChange::remove : PartChange::keep;
    }
}

// A folder's files of the year, compared with `now`.
YearBackup read_year_backup(int year, const std::string& folder, const LedgerYear& now)
{
    YearBackup backup = {};
    backup.folder = folder;
    backup.readable = true;
    LedgerYear then;
    clear_ledger_year(then, year);
    for (int part = 0; part < ledger_part_count; ++part) {
        const std::string path = folder + file_name_of(ledger_part_path(year, part));
        bool missing = false;
        backup.present[part] = read_whole_file(path.c_str(), backup.bytes[part], &missing);
        if (!backup.present[part] && !missing) backup.readable = false;
        if (backup.present[part]) part_from_bytes(then, part, backup.bytes[part].data(), backup.bytes[part].size());
    }
    // A visits file with problems would come back unreadable.
    if (!then.visit_problems.empty()) backup.readable = false;
    if (!backup.readable) return backup;
    backup.total = year_summary(then).sum;
    backup.changed = changed_days(now, then);
    return backup;
}

}  // namespace

std::vector<YearBackup> list_year_backups(int year, const LedgerYear& now)
{
    std::vector<YearBackup> backups;
    const std::string root = backup_root();
    std::vector<FolderEntry> entries;
    if (!list_folder(root.c_str(), &entries)) return backups;
    for (const FolderEntry& entry : entries) {
        const long day = backup_day_of(entry.name);
        if (!entry.is_folder || !day) continue;
        YearBackup backup = read_year_backup(year, root + entry.name + root.back(), now);
        if (std::none_of(backup.present, backup.present + ledger_part_count, [](bool p) { return p; }) &&
            backup.readable)
            continue;
        backup.name = entry.name;
        backup.day = day;
        backup.serial = serial_of(entry.name);
        backups.push_back(std::move(backup));
    }
    std::sort(backups.begin(), backups.end(), newer);
    return backups;
}

RestoreOutcome restore_year_backup(int year, const YearBackup& backup)
{
    RestoreOutcome outcome = {restore_refused, BackupResult{backup_nothing_to_copy, std::string(), file_fine}, SaveReport()};
    if (!backup.readable || year < first_ledger_year) return outcome;
    LocalTime now;
    local_time_now(&now);
    outcome.backup = back_up_year_anew(year, now);
    if (backup_failed(outcome.backup.status)) {
        outcome.status = restore_no_backup;
        return outcome;
    }
    PartChanges changes;
    plan_restore(year, backup, changes);
    outcome.status = replace_ledger_year_files(year, changes, &outcome.failure) ? restore_saved : restore_not_saved;
    return outcome;
}
