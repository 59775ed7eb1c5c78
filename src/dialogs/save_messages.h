// What the dialogs that save the ledger tell the user about it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ledger/backup.h"
#include "ledger/year_ledger.h"

// Names every file a save could not write and why, and what becomes of
// the change.
void tell_save_failure(HWND owner, const SaveReport& report);
// A save's choices that ask the user, over `owner`, which side to keep of
// a day changed both here and outside.
SaveChoices asking_choices(HWND owner);
// Names, once for the save, the files another program changed since the
// year was read, whose changes were kept.
void tell_changed_outside(HWND owner, int year, const SaveReport& report);
// Before the user ends the program: one more try at the entries no save
// could write; while it fails, the user may try again or give them up,
// told what is lost.
void save_ledger_before_exit(HWND owner);
// A year some of whose files could not be read: they are named, with what
// is refused (`refused`, e.g. "取り込めません。").
void tell_year_unreadable(HWND owner, int year, const YearStatus& status, const wchar_t* refused);
// A year's visits file that could not be read: named with its first lines
// with problems and what is left out because of it (`left_out`), once per
// run and year wherever its visits count. True when it told.
bool tell_visits_unreadable_once(HWND owner, int year, const std::vector<std::string>& problems,
                                 const wchar_t* left_out);
// The file's name, then its path and its problems (the problems only the
// first time in the run).
std::wstring visits_unreadable_text(int year, const std::vector<std::string>& problems, bool with_problems);
// A CSV file that could not be written, named.
void tell_csv_write_failure(HWND owner, const std::wstring& path);
// A restore from a backup that could not be written: the files named, and
// whether they stay as they were or the restore finishes later.
void tell_restore_failure(HWND owner, const SaveReport& report);
// A restore refused because the year as it is could not be backed up.
void tell_restore_without_backup(HWND owner, const BackupResult& backup);
// A backup that could not be made before a save, told once per run: the
// save went on without it, and saying so at every save would only nag.
void tell_backup_failure_once(HWND owner);
