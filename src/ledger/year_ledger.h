// The loaded year of the ledger: one amount, one memo and one day-off mark
// per day, 31 slots for every month. Each buffer is stored as a raw
// little-endian dump in a file of its own per year.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum {
    ledger_months = 12,
    ledger_month_days = 31,
    memo_size = 21,       // Shift-JIS text, NUL-terminated
    memo_max_bytes = 20,
    first_ledger_year = 1990,
};

typedef int32_t AmountTable[ledger_months][ledger_month_days];
typedef char MemoTable[ledger_months][ledger_month_days][memo_size];
typedef uint8_t DayOffTable[ledger_months][ledger_month_days];

// An amount of 0 means nothing was entered; -1 is a draw entered as "±0".
AmountTable& ledger_amounts();
MemoTable& ledger_memos();
DayOffTable& ledger_day_off();
// The loaded year's day-off mark of a day, 0 outside the table.
int day_off_mark(int month, int day);
// The year the buffers hold.
int ledger_year();

// The three files of a year, in the order they are saved.
enum LedgerPart { part_amounts = 1, part_memos = 2, part_day_off = 4 };

// What a save could not write: each file with its part, in saving order.
struct UnsavedFile {
    LedgerPart part;
    std::string path;
};
struct SaveFailure {
    std::vector<UnsavedFile> files;
};

// Reads the three year files of `year` (whoever loads a year reads the
// holiday file again after it). Changes no save could write yet are kept:
// the year comes back with them.
void load_year(int year);
// Writes the three year files. True when every file was written completely;
// a failed write leaves the previous file as it was, the changes stay in
// memory, and `failure` (when given) names every file not written.
bool save_year(int year, SaveFailure* failure = nullptr);

// Whether any year holds changes that no save could write yet.
bool ledger_has_unsaved_changes();
// One more try at every such year (at exit). True when nothing is left.
bool save_unsaved_years(SaveFailure* failure = nullptr);
// Gives up every change not yet written (the loaded year keeps its buffers).
void discard_unsaved_changes();
// The parts and files of a failure, a line each, for a message (UTF-8).
std::string describe_save_failure(const SaveFailure& failure);

// Counts the saves of this run: summaries kept of the files are stale when
// it moved.
unsigned ledger_save_count();

// Single buffers of any year, into any table, as the ledger holds them:
// the files, or the changes no save could write yet. A year before 1990 or
// without its file reads as empty; load_amounts tells whether the year has
// data (its file could be opened, or changes are held). `unreadable` (when
// given) tells a file that exists but could not be read: it reads as empty.
bool load_amounts(int year, AmountTable& into, bool* unreadable = nullptr);
void load_memos(int year, MemoTable& into, bool* unreadable = nullptr);
void load_day_off(int year, DayOffTable& into);

// The bytes of a year file into its table: what a short file lacks is
// zero, and every memo ends in its NUL.
void amounts_from_bytes(AmountTable& into, const unsigned char* data, size_t size);
void memos_from_bytes(MemoTable& into, const unsigned char* data, size_t size);
void day_off_from_bytes(DayOffTable& into, const unsigned char* data, size_t size);

// The file names of a year, in the program folder.
void amounts_file(char* destination, int capacity, int year);
void memos_file(char* destination, int capacity, int year);
void day_off_file(char* destination, int capacity, int year);
