// Bringing a year back from one of its backups: the day folders holding
// the year, each read and compared with the year as it is now, and the
// chosen one's files put back byte for byte as one save.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/backup.h"
#include "ledger/year_ledger.h"

// A day of the year that a backup holds otherwise than the year now.
struct ChangedDay {
    int month, day;
    DayEntry now, then;
    bool memo_changed, day_off_changed, visits_changed;
};

// A backup folder of the year. A part the folder lacks was not there
// when it was made: bringing the folder back removes that file.
struct YearBackup {
    std::string name;    // "20091206", or "20091206-2" for the day's second
    std::string folder;  // its path, ending in its separator
    long day;            // 20091206
    int serial;          // 1, or the N of "-N"
    bool readable;       // every file of the year there could be read whole
    int64_t total;       // the year's total then
    std::vector<ChangedDay> changed;  // in date order
    bool present[ledger_part_count];
    std::vector<unsigned char> bytes[ledger_part_count];
};

// The backup folders holding any file of the year, newest first, each
// compared with `now`.
std::vector<YearBackup> list_year_backups(int year, const LedgerYear& now);

enum RestoreStatus {
    restore_saved,      // the year's files are the backup's
    restore_not_saved,  // `failure` names what could not be written
    restore_no_backup,  // nothing changed: the year as it is could not be backed up
    restore_refused,    // nothing changed: the backup could not be read
};
struct RestoreOutcome {
    RestoreStatus status;
    BackupResult backup;  // the copy of the year as it was before
    SaveReport failure;
};

// Backs the year up anew as it is now (so the restore can be taken back
// from the backups too), then puts the backup's files in its place.
RestoreOutcome restore_year_backup(int year, const YearBackup& backup);
