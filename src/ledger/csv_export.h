// One year of the ledger as a CSV file: CSV\<year>.csv in the program
// folder, Shift-JIS, CRLF, one line per calendar day.
#pragma once
#include <string>

#include "ledger/year_ledger.h"

// The folder of every CSV file: CSV in the program folder, with the
// folder's separator at its end.
std::string csv_folder();
// The path of the file for `year`.
std::string csv_path(int year);
// Writes the file of a year as the ledger holds it.
// True when the whole file was written; a failure leaves any previous file
// as it was. A year whose files exist but could not be read is not written
// (`unreadable` tells it).
bool export_csv(int year, bool* unreadable = nullptr);
// The file's bytes, for a year as the ledger holds it, or for a value.
std::string csv_text(int year, bool* unreadable = nullptr);
std::string csv_text_of(const LedgerYear& value);
