// The loaded year of the ledger: one amount, one memo and one day-off mark
// per day, 31 slots for every month. Each buffer is stored as a raw
// little-endian dump in a file of its own per year.
#pragma once
#include <cstdint>
#include <string>

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
// The year the buffers hold.
int ledger_year();

// Reads the three year files of `year`, then the holiday file. Its result
// is that of the holiday file.
int load_year(int year);
// Writes the three year files. True when every file was written completely;
// a failed write leaves the previous file as it was, and `failed_file`
// (when given) names the first file that could not be written.
bool save_year(int year, std::string* failed_file = nullptr);

// Counts the saves of this run: summaries kept of the files are stale when
// it moved.
unsigned ledger_save_count();

// Single buffers of any year, into any table (the loaded one by default).
// A year before 1990 or without its file reads as empty; load_amounts
// tells whether the year's file was there and could be opened.
bool load_amounts(int year, AmountTable& into);
void load_memos(int year, MemoTable& into);
void load_day_off(int year, DayOffTable& into);

// The file names of a year, in the program folder.
void amounts_file(char* destination, int capacity, int year);
void memos_file(char* destination, int capacity, int year);
void day_off_file(char* destination, int capacity, int year);
