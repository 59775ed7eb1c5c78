// What the dialogs that save the ledger tell the user about it.
#pragma once
#include <windows.h>

#include <string>

#include "ledger/year_ledger.h"

// Names every file a save could not write; the changes stay in memory.
void tell_save_failure(HWND owner, const SaveReport& failure);
// Before the user ends the program: one more try at the entries no save
// could write; while it fails, the user may try again or give them up,
// told what is lost.
void save_ledger_before_exit(HWND owner);
// A year some of whose files could not be read: they are named, with what
// is refused (`refused`, e.g. "取り込めません。").
void tell_year_unreadable(HWND owner, int year, const YearStatus& status, const wchar_t* refused);
// A CSV file that could not be written, named.
void tell_csv_write_failure(HWND owner, const std::wstring& path);
// A backup that could not be made before a save, told once per run: the
// save went on without it, and saying so at every save would only nag.
void tell_backup_failure_once(HWND owner);
