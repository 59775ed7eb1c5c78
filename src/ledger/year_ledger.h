// A year of the ledger as a value: one amount, one memo and one day-off
// mark per day, 31 slots for every month. It is read and saved as one:
// each table is a raw little-endian dump in a file of its own (a part), and
// a save changes all of a year's files or none, even when the program is
// killed or the power goes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "ledger/visits.h"
#include "ledger/year_files.h"
#include "platform/platform.h"

enum {
    ledger_months = 12,
    ledger_month_days = 31,
    memo_size = 21,       // Shift-JIS text, NUL-terminated
    memo_max_bytes = 20,
    // No ledger before the calendar's first year; none after its last.
    first_ledger_year = first_calendar_year,
    last_ledger_year = last_calendar_year,
};

typedef int32_t AmountTable[ledger_months][ledger_month_days];
typedef char MemoTable[ledger_months][ledger_month_days][memo_size];
typedef uint8_t DayOffTable[ledger_months][ledger_month_days];

// What reading found of each part.
enum PartState { part_missing, part_read, part_unreadable, part_not_read };
struct YearStatus {
    PartState parts[ledger_part_count];
};

// A file's bytes as read, to tell when another program changed it since.
struct PartStamp {
    bool present;
    uint64_t size;
    uint64_t hash;
};
bool operator==(const PartStamp& a, const PartStamp& b);
typedef uint64_t DayPrints[ledger_months][ledger_month_days];

// An amount of 0 means nothing was entered; -1 is a draw entered as "±0".
struct LedgerYear {
    int year;
    AmountTable amounts;
    MemoTable memos;
    DayOffTable day_off;
    // Every visit of the year, by date, each day's in the order entered.
    std::vector<Visit> visits;
    // What a file holds beyond its table (written by another program):
    // kept as it was.
    std::vector<unsigned char> beyond[ledger_part_count];
    // The visits file's problems, with their lines, when it could not be
    // read whole (UTF-8).
    std::vector<std::string> visit_problems;
    // How it was read: a year with a part that could not be read is never
    // saved, or the zeros it holds there would wipe that file.
    YearStatus status;
    // What its files held when read: a save writes only the days changed
    // since onto the files as they are then, so a change another program
    // made meanwhile stays. Each part's stamp, and a print of each day's
    // table entries and of its visits (a value read in part has none).
    PartStamp stamps[ledger_part_count];
    DayPrints day_prints;
    DayPrints visit_prints;
};

struct DayEntry {
    int32_t amount;
    char memo[memo_size];
    uint8_t day_off;  // 1 marks a day off
};

// A day of the year (month 1..12, day 1..31); empty outside the table.
DayEntry day_of(const LedgerYear& value, int month, int day);
// Changes one day; the memo's whole field is written, so a shorter memo
// never leaves the end of an older one behind.
void set_day(LedgerYear& value, int month, int day, const DayEntry& entry);
// An empty year.
void clear_ledger_year(LedgerYear& value, int year);

// No table is unreadable: the year may be changed and saved. A table that
// exists but could not be read reads as empty, and saving that would wipe
// it for good.
bool year_is_whole(const YearStatus& status);
// The visits file was read whole (or is not there): visits may change. A
// file that could not be read is never written over; the days' amounts
// keep working all the same.
bool visits_are_editable(const YearStatus& status);

// A day's visits, in their order.
std::vector<Visit> visits_of_day(const LedgerYear& value, int month, int day);
// Puts `visits` in the place of the day's, among the others by date;
// nothing else of the day changes.
void replace_day_visits(LedgerYear& value, int month, int day, const std::vector<Visit>& visits);
// Gives a day its visits: their balances' sum becomes its amount (a sum of
// 0 the entered "±0"), and an empty memo becomes their places, joined by
// "・" and cut to 20 bytes. False, with nothing changed, when the sum
// lies outside 32 bits.
bool set_day_visits(LedgerYear& value, int month, int day, const std::vector<Visit>& visits);
// The sum of the visits' balances.
int64_t visits_sum(const std::vector<Visit>& visits);

// Reads a year: its files, after an interrupted save has been finished
// (or dropped when it never got as far as its commit record), with the
// changes no save could write yet over them. A read never waits for a
// file another program holds. A year before 1990 or without files reads
// as empty. True when the year is whole.
// `parts` (bits 1 << part) reads only those: the totals need the amounts
// alone, not every visit; the others then read as missing and such a value
// is for reading only.
enum { all_ledger_parts = (1u << ledger_part_count) - 1, amounts_only = 1u << part_amounts };
bool read_ledger_year(int year, LedgerYear& value, YearStatus* status = nullptr, unsigned parts = all_ledger_parts);

// A day changed both here and in its files since they were read.
struct DayConflict {
    int year, month, day;
    DayEntry theirs, mine;
    size_t their_visits, my_visits;
};
// Asks which to keep: true keeps this program's change.
struct SaveChoices {
    bool (*keep_mine)(const DayConflict& conflict, void* context);
    void* context;
};

// Saves the year as one commit, after the day's backup: the days changed
// since it was read go onto its files as they are now (a stopped save is
// finished first), so nothing another program wrote meanwhile is lost; a
// day changed on both sides goes by `choices` (without, this change is
// kept). True when it is on disk; else `report` (when given) names the
// files not written and why, and unless a record holds it the year is
// kept in memory, so reads see it and a later save (or exit) writes it.
// A year read with a part it could not read is refused whole (the
// unreadable parts are named). A year before 1990 has no files: nothing
// is written.
bool save_ledger_year(const LedgerYear& value, SaveReport* report = nullptr, const SaveChoices* choices = nullptr);

// Puts a year's files as `changes` give them, as one commit (the day's
// backup is the caller's). The whole year is replaced: its changes no
// save could write yet are given up once the commit record is written.
// Refused while an earlier save waits for a held file (`report` then
// says so); kept in memory never.
bool replace_ledger_year_files(int year, const PartChanges& changes, SaveReport* report = nullptr);

// Whether any year holds changes that no save could write yet.
bool ledger_has_unsaved_changes();
// One more try at every such year (at exit). True when nothing is left.
bool save_unsaved_years(SaveReport* report = nullptr, const SaveChoices* choices = nullptr);
// Gives up every change not yet written.
void discard_unsaved_changes();
// The parts and files of a report, a line each, with why (UTF-8).
std::string describe_save_failure(const SaveReport& report);
// The parts and files a read could not take, a line each (UTF-8).
std::string describe_unreadable_parts(int year, const YearStatus& status);

// Counts the saves of this run: summaries kept of the files are stale when
// it moved.
unsigned ledger_save_count();

// The part's name for messages ("金額") and its file in the program folder
// (2009.dat, 2009m.dat, 2009h.dat, 2009d.csv).
const char* ledger_part_label(int part);
std::string ledger_part_path(int year, int part);
// The bytes of a file into its part of the value: what a short file lacks
// is zero, every memo ends in its NUL, what lies beyond the table is kept.
void part_from_bytes(LedgerYear& value, int part, const unsigned char* data, size_t size);
// The file's bytes for a part: the table, then what lay beyond it; the
// visits file.
std::vector<unsigned char> part_bytes(const LedgerYear& value, int part);
// A fixed table, whose unreadable file keeps the whole year from changing
// (the visits file is not one).
bool ledger_part_is_table(int part);
