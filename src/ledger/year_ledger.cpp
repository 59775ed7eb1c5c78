#include "ledger/year_ledger.h"

#include <cstdio>
#include <cstring>

#include "calendar/holiday_file.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "settings/program_folder.h"

static_assert(sizeof(AmountTable) == 1488, "2009.dat is 1488 bytes");
static_assert(sizeof(MemoTable) == 7812, "2009m.dat is 7812 bytes");
static_assert(sizeof(DayOffTable) == 372, "2009h.dat is 372 bytes");

namespace {
unsigned save_count;
AmountTable amounts;
MemoTable memos;
DayOffTable day_off;
int loaded_year;

void year_file(char* destination, int capacity, int year, const char* suffix)
{
    std::snprintf(destination, static_cast<size_t>(capacity), "%s%04d%s.dat", program_folder(), year, suffix);
}

// A missing or short file leaves zeros, never another year's data.
void load_buffer(int year, void* buffer, size_t size, void (*name)(char*, int, int))
{
    std::memset(buffer, 0, size);
    if (year < first_ledger_year) return;
    char path[path_capacity];
    name(path, sizeof path, year);
    size_t ignored = 0;
    read_file_start(path, buffer, size, &ignored);
}

bool save_buffer(int year, void* buffer, size_t size, void (*name)(char*, int, int), std::string* failed_file)
{
    if (year < first_ledger_year) {
        std::memset(buffer, 0, size);
        return true;
    }
    char path[path_capacity];
    name(path, sizeof path, year);
    if (write_file_start(path, buffer, size)) return true;
    if (failed_file && failed_file->empty()) *failed_file = path;
    return false;
}
}  // namespace

AmountTable& ledger_amounts() { return amounts; }
MemoTable& ledger_memos() { return memos; }
DayOffTable& ledger_day_off() { return day_off; }
int ledger_year() { return loaded_year; }
unsigned ledger_save_count() { return save_count; }

void amounts_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, ""); }
void memos_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, "m"); }
void day_off_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, "h"); }

void load_amounts(int year, AmountTable& into) { load_buffer(year, into, sizeof into, amounts_file); }

void load_memos(int year, MemoTable& into)
{
    load_buffer(year, into, sizeof into, memos_file);
    // A damaged file may hold a memo without its NUL.
    for (auto& month : into)
        for (auto& memo : month) terminate_sjis_field(memo, memo_size);
}

void load_day_off(int year, DayOffTable& into) { load_buffer(year, into, sizeof into, day_off_file); }

int load_year(int year)
{
    load_amounts(year, amounts);
    load_memos(year, memos);
    load_day_off(year, day_off);
    loaded_year = year;
    return load_holiday_file();
}

bool save_year(int year, std::string* failed_file)
{
    if (failed_file) failed_file->clear();
    ++save_count;
    bool saved = save_buffer(year, amounts, sizeof amounts, amounts_file, failed_file);
    saved = save_buffer(year, memos, sizeof memos, memos_file, failed_file) && saved;
    saved = save_buffer(year, day_off, sizeof day_off, day_off_file, failed_file) && saved;
    return saved;
}
