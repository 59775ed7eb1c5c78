// The year dialog's CSV buttons: a year written to CSV\YYYY.csv, and a
// file edited elsewhere read back into its year.
#pragma once
#include <windows.h>

#include "ledger/csv_import.h"

// Asks, then writes the year; what fails is told.
void export_year_csv(HWND dialog, int year);
// Reads the year's file and asks before it replaces the days it names;
// what is wrong with the file is told. True, with what became of it, once
// the file was applied.
bool ask_and_import_year_csv(HWND dialog, int year, ImportOutcome* outcome);
// What became of an import that was applied: saved, kept in memory, or
// refused, and the days read.
void tell_import_outcome(HWND dialog, int year, const ImportOutcome& outcome);
