// Reading a year back from its CSV file, CSV\<year>.csv: the program's own
// export, also after a spreadsheet program saved it again (UTF-8 or
// Shift-JIS, any line ends, with or without the header, dates, amounts and
// memos in the forms a spreadsheet writes, csv_forms.h). Only the date, the
// amount, the memo and the draw flag are read. Everything is checked before
// anything changes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/backup.h"
#include "ledger/undo_steps.h"
#include "ledger/year_ledger.h"

enum { import_problems_kept = 10 };

struct ImportedDay {
    int month;             // 1..12
    int day;               // 1..31
    int32_t amount;        // as stored: -1 for a draw, 0 for an empty day
    char memo[memo_size];  // Shift-JIS, cut to 20 bytes on a character boundary
    bool memo_cut;
};

struct ImportProblem {
    int line;             // physical line of the file, from 1; 0 for the whole file
    std::string message;  // Japanese, UTF-8, naming the line
};

// Either days or problems, never both and never neither.
struct CsvImport {
    int year;
    std::vector<ImportedDay> days;  // in the order of the file
    int memos_cut;
    std::vector<ImportProblem> problems;  // the first ones, in the order of the file
    int problem_count;                    // all of them
};

CsvImport parse_year_csv(int year, const unsigned char* data, size_t size);

enum CsvFileStatus { csv_file_read, csv_file_missing, csv_file_unreadable, csv_file_too_large };
// The largest file read back (a year's file is under 40 KB).
enum { csv_import_limit = 1024 * 1024 };

// Reads csv_path(year) and parses it.
CsvFileStatus read_year_csv(int year, CsvImport* parsed);

enum ImportStatus {
    import_saved,      // the year holds the file's days, on disk too
    import_not_saved,  // the days are in memory; `failure` names what could not be written
    import_no_backup,  // nothing changed: the backup could not be made
    import_unreadable, // nothing changed: a file of the year could not be read (`year_status`)
    import_refused,    // nothing changed: problems, no days, or a year before 1990
};

struct ImportOutcome {
    ImportStatus status;
    BackupResult backup;
    SaveReport failure;
    YearStatus year_status;
    int days_read;
    int memos_cut;
    int memos_kept;  // memos a spreadsheet turned into numbers or dates, kept as stored
    UndoStep step;   // what a saved import changed, to take it back
};

// Reads the file's year, backs it up into a folder of its own, writes the
// days into it and saves it. Day-off marks and the days the file does not
// name stay as they are.
ImportOutcome apply_year_csv(const CsvImport& parsed);
// How many of the file's memos differ from the stored ones only as a
// spreadsheet rewrites a number or a date (0123 → 123, 1/2 → 1月2日): those
// keep the stored memo; any other change is the user's edit.
int memos_a_spreadsheet_changed(const CsvImport& parsed);
