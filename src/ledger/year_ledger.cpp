#include "ledger/year_ledger.h"

#include <cstdio>
#include <cstring>

#include "calendar/holiday_file.h"
#include "ledger/backup.h"
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
// Files of the loaded year that exist but could not be read: their buffer
// holds zeros, not the file, and must never be written over it.
bool unreadable_amounts, unreadable_memos, unreadable_day_off;
// The loaded year holds changes that a save could not write.
bool unsaved;

void year_file(char* destination, int capacity, int year, const char* suffix)
{
    std::snprintf(destination, static_cast<size_t>(capacity), "%s%04d%s.dat", program_folder(), year, suffix);
}

// A missing or short file leaves zeros, never another year's data. True
// when the file exists but could not be read.
bool load_buffer(int year, void* buffer, size_t size, void (*name)(char*, int, int))
{
    std::memset(buffer, 0, size);
    if (year < first_ledger_year) return false;
    char path[path_capacity];
    name(path, sizeof path, year);
    size_t ignored = 0;
    bool unreadable = false;
    read_file_start(path, buffer, size, &ignored, &unreadable);
    return unreadable;
}

bool save_buffer(int year, void* buffer, size_t size, void (*name)(char*, int, int), bool unreadable,
                 std::string* failed_file)
{
    if (year < first_ledger_year) {
        std::memset(buffer, 0, size);
        return true;
    }
    char path[path_capacity];
    name(path, sizeof path, year);
    if (!unreadable && write_file_start(path, buffer, size)) return true;
    if (failed_file && failed_file->empty()) *failed_file = path;
    return false;
}

void memos_from_file(int year, MemoTable& into, bool* unreadable)
{
    bool failed = load_buffer(year, into, sizeof into, memos_file);
    if (unreadable) *unreadable = failed;
    // A damaged file may hold a memo without its NUL.
    for (auto& month : into)
        for (auto& memo : month) terminate_sjis_field(memo, memo_size);
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
void load_memos(int year, MemoTable& into) { memos_from_file(year, into, nullptr); }
void load_day_off(int year, DayOffTable& into) { load_buffer(year, into, sizeof into, day_off_file); }

int load_year(int year)
{
    // Changes a save could not write stay while their year stays loaded and
    // all its files were read, so a later save keeps them. Before another
    // year replaces them, they get one more try.
    bool read_whole = !unreadable_amounts && !unreadable_memos && !unreadable_day_off;
    if (unsaved && year != loaded_year) save_year(loaded_year);
    if (!unsaved || !read_whole || year != loaded_year) {
        unreadable_amounts = load_buffer(year, amounts, sizeof amounts, amounts_file);
        memos_from_file(year, memos, &unreadable_memos);
        unreadable_day_off = load_buffer(year, day_off, sizeof day_off, day_off_file);
        unsaved = false;
    }
    loaded_year = year;
    return load_holiday_file();
}

bool save_year(int year, std::string* failed_file)
{
    if (failed_file) failed_file->clear();
    // The day's first save keeps the files as they were; a backup that
    // cannot be made never holds the save back.
    LocalTime now;
    local_time_now(&now);
    back_up_before_first_save(year, now);
    ++save_count;
    bool saved = save_buffer(year, amounts, sizeof amounts, amounts_file, unreadable_amounts, failed_file);
    saved = save_buffer(year, memos, sizeof memos, memos_file, unreadable_memos, failed_file) && saved;
    saved = save_buffer(year, day_off, sizeof day_off, day_off_file, unreadable_day_off, failed_file) && saved;
    if (year == loaded_year) unsaved = !saved;
    return saved;
}
