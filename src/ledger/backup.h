// Copies of a year's files as they stood before the first save of a day,
// in backup\YYYYMMDD\ of the program folder. The newest days are kept.
#pragma once
#include <string>

#include "platform/platform.h"

enum { backup_days_kept = 30 };

enum BackupStatus {
    backup_made,             // the year's files are copied
    backup_nothing_to_copy,  // the year has no files yet
    backup_already_made,     // this day's folder already holds the year
    backup_folder_failed,    // the folder could not be created
    backup_read_failed,      // a year file exists but could not be read
    backup_write_failed,     // a copy could not be written: full disk, no rights
};

struct BackupResult {
    BackupStatus status;
    std::string folder;  // the day's folder, ending in its separator
    FileProblem problem;  // why it failed, where the system said
};

bool backup_failed(BackupStatus status);

// The folder holding the day folders, ending in its separator.
std::string backup_root();

// The day a folder of ours belongs to: "YYYYMMDD" or "YYYYMMDD-N"; 0 for
// any other name, which is never touched.
long backup_day_of(const std::string& name);

// Copies the year's files into the day's folder once per day: later calls
// of the same day, in this run or a later one, copy nothing. save_year
// calls it with today, and with what is left of its waits for held files.
// A failure is kept for take_backup_failure.
BackupResult back_up_before_first_save(int year, const LocalTime& today, FileWaits* waits = nullptr);

// Copies the year's files into a folder of their own, even when the day
// already has one: YYYYMMDD, else the first free YYYYMMDD-2, -3, ...
BackupResult back_up_year_anew(int year, const LocalTime& today);

// The last failure of back_up_before_first_save not taken yet: its folder
// and its reason with its cause (Japanese, UTF-8). Each failure is given
// out once.
bool take_backup_failure(std::string* folder, std::string* reason);

// What went wrong, in Japanese (UTF-8); empty for a status that is no
// failure.
const char* backup_failure_reason(BackupStatus status);
