#include "ledger/year_ledger.h"

#include <cstdio>
#include <cstring>

#include "ledger/backup.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "settings/program_folder.h"

static_assert(sizeof(AmountTable) == 1488, "2009.dat is 1488 bytes");
static_assert(sizeof(MemoTable) == 7812, "2009m.dat is 7812 bytes");
static_assert(sizeof(DayOffTable) == 372, "2009h.dat is 372 bytes");

namespace {
struct YearBuffers {
    AmountTable amounts;
    MemoTable memos;
    DayOffTable day_off;
};
// A year whose changes no save could write, kept while another is loaded.
struct HeldYear {
    int year;
    YearBuffers buffers;
    bool unreadable[3];
};

typedef void (*FileName)(char*, int, int);
struct PartFile {
    LedgerPart part;
    FileName name;
    const char* label;
};
const PartFile part_files[3] = {
    {part_amounts, amounts_file, "金額"},
    {part_memos, memos_file, "メモ"},
    {part_day_off, day_off_file, "休日"},
};

unsigned save_count;
YearBuffers loaded;
int loaded_year;
// Files of the loaded year that exist but could not be read: their buffer
// holds zeros, not the file, and must never be written over it.
bool unreadable[3];
// The loaded year holds changes that a save could not write.
bool unsaved;
std::vector<HeldYear> held_years;

void* part_buffer(YearBuffers& buffers, int part)
{
    if (part == 0) return buffers.amounts;
    return part == 1 ? static_cast<void*>(buffers.memos) : static_cast<void*>(buffers.day_off);
}

size_t part_size(int part)
{
    return part == 0 ? sizeof(AmountTable) : part == 1 ? sizeof(MemoTable) : sizeof(DayOffTable);
}

void year_file(char* destination, int capacity, int year, const char* suffix)
{
    std::snprintf(destination, static_cast<size_t>(capacity), "%s%04d%s.dat", program_folder(), year, suffix);
}

void copy_file_bytes(void* table, size_t table_size, const unsigned char* data, size_t size)
{
    std::memset(table, 0, table_size);
    if (size) std::memcpy(table, data, size < table_size ? size : table_size);
}

// A missing or short file leaves zeros, never another year's data. True
// when the file exists but could not be read; `opened` (when given) tells
// whether it could be.
template <typename Table>
bool load_table(int year, Table& into, FileName name, void (*parse)(Table&, const unsigned char*, size_t),
                bool* opened = nullptr)
{
    static unsigned char bytes[sizeof(MemoTable)];
    size_t size = 0;
    bool unreadable = false, read = false;
    if (year >= first_ledger_year) {
        char path[path_capacity];
        name(path, sizeof path, year);
        read = read_file_start(path, bytes, sizeof into, &size, &unreadable);
    }
    if (opened) *opened = read;
    parse(into, bytes, size);
    return unreadable;
}

bool save_buffers(int year, YearBuffers& buffers, const bool (&refused)[3], SaveFailure* failure)
{
    ++save_count;
    if (year >= first_ledger_year) {
        // The day's first save keeps the files as they were; a backup that
        // cannot be made never holds the save back.
        LocalTime now;
        local_time_now(&now);
        back_up_before_first_save(year, now);
    }
    bool saved = true;
    for (int part = 0; part < 3; ++part) {
        if (year < first_ledger_year) {
            std::memset(part_buffer(buffers, part), 0, part_size(part));
            continue;
        }
        char path[path_capacity];
        part_files[part].name(path, sizeof path, year);
        if (!refused[part] && write_file_start(path, part_buffer(buffers, part), part_size(part))) continue;
        saved = false;
        if (failure) failure->files.push_back(UnsavedFile{part_files[part].part, path});
    }
    return saved;
}

HeldYear* held_year(int year)
{
    for (HeldYear& held : held_years)
        if (held.year == year) return &held;
    return nullptr;
}

void hold_loaded_year()
{
    HeldYear* held = held_year(loaded_year);
    if (!held) {
        held_years.emplace_back();
        held = &held_years.back();
    }
    held->year = loaded_year;
    held->buffers = loaded;
    std::memcpy(held->unreadable, unreadable, sizeof unreadable);
}

// Puts a held year back into the buffers. False when none is held.
bool take_held_year(int year)
{
    for (auto held = held_years.begin(); held != held_years.end(); ++held) {
        if (held->year != year) continue;
        loaded = held->buffers;
        std::memcpy(unreadable, held->unreadable, sizeof unreadable);
        held_years.erase(held);
        return true;
    }
    return false;
}

void read_loaded_year(int year)
{
    unreadable[0] = load_table(year, loaded.amounts, amounts_file, amounts_from_bytes);
    unreadable[1] = load_table(year, loaded.memos, memos_file, memos_from_bytes);
    unreadable[2] = load_table(year, loaded.day_off, day_off_file, day_off_from_bytes);
}

// The buffers of a year that holds changes not yet written, if any.
const YearBuffers* changed_year(int year)
{
    if (unsaved && year == loaded_year) return &loaded;
    const HeldYear* held = held_year(year);
    return held ? &held->buffers : nullptr;
}

template <typename Table>
bool copy_changed(int year, Table YearBuffers::*member, Table& into)
{
    const YearBuffers* changed = changed_year(year);
    if (!changed) return false;
    if (&into != &(changed->*member)) std::memcpy(&into, &(changed->*member), sizeof into);
    return true;
}
}  // namespace

AmountTable& ledger_amounts() { return loaded.amounts; }
MemoTable& ledger_memos() { return loaded.memos; }
DayOffTable& ledger_day_off() { return loaded.day_off; }
int ledger_year() { return loaded_year; }

int day_off_mark(int month, int day)
{
    if (month < 1 || month > 12 || day < 1 || day > 31) return 0;
    return loaded.day_off[month - 1][day - 1];
}
unsigned ledger_save_count() { return save_count; }

void amounts_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, ""); }
void memos_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, "m"); }
void day_off_file(char* destination, int capacity, int year) { year_file(destination, capacity, year, "h"); }

void amounts_from_bytes(AmountTable& into, const unsigned char* data, size_t size)
{
    copy_file_bytes(into, sizeof into, data, size);
}

void memos_from_bytes(MemoTable& into, const unsigned char* data, size_t size)
{
    copy_file_bytes(into, sizeof into, data, size);
    // A damaged file may hold a memo without its NUL.
    for (auto& month : into)
        for (auto& memo : month) terminate_sjis_field(memo, memo_size);
}

void day_off_from_bytes(DayOffTable& into, const unsigned char* data, size_t size)
{
    copy_file_bytes(into, sizeof into, data, size);
}

bool load_amounts(int year, AmountTable& into, bool* unreadable)
{
    if (unreadable) *unreadable = false;
    if (copy_changed(year, &YearBuffers::amounts, into)) return true;
    bool opened = false;
    bool failed = load_table(year, into, amounts_file, amounts_from_bytes, &opened);
    if (unreadable) *unreadable = failed;
    return opened;
}

void load_memos(int year, MemoTable& into, bool* unreadable)
{
    if (unreadable) *unreadable = false;
    if (copy_changed(year, &YearBuffers::memos, into)) return;
    bool failed = load_table(year, into, memos_file, memos_from_bytes);
    if (unreadable) *unreadable = failed;
}

void load_day_off(int year, DayOffTable& into)
{
    if (!copy_changed(year, &YearBuffers::day_off, into)) load_table(year, into, day_off_file, day_off_from_bytes);
}

void load_year(int year)
{
    // Changes a save could not write stay while their year stays loaded and
    // all its files were read, so a later save keeps them. Before another
    // year replaces them they get one more try, and are kept aside when it
    // fails too: the year comes back with them.
    bool read_whole = !unreadable[0] && !unreadable[1] && !unreadable[2];
    if (unsaved && year != loaded_year && !save_year(loaded_year)) hold_loaded_year();
    if (!unsaved || !read_whole || year != loaded_year) {
        unsaved = take_held_year(year);
        if (!unsaved) read_loaded_year(year);
    }
    loaded_year = year;
}

bool save_year(int year, SaveFailure* failure)
{
    if (failure) *failure = SaveFailure();
    bool saved = save_buffers(year, loaded, unreadable, failure);
    if (year == loaded_year) unsaved = !saved;
    return saved;
}

bool ledger_has_unsaved_changes() { return unsaved || !held_years.empty(); }

bool save_unsaved_years(SaveFailure* failure)
{
    if (failure) *failure = SaveFailure();
    if (unsaved) unsaved = !save_buffers(loaded_year, loaded, unreadable, failure);
    for (auto held = held_years.begin(); held != held_years.end();) {
        if (save_buffers(held->year, held->buffers, held->unreadable, failure))
            held = held_years.erase(held);
        else
            ++held;
    }
    return !ledger_has_unsaved_changes();
}

void discard_unsaved_changes()
{
    unsaved = false;
    held_years.clear();
}

std::string describe_save_failure(const SaveFailure& failure)
{
    std::string text;
    for (const UnsavedFile& file : failure.files) {
        for (const PartFile& part : part_files)
            if (part.part == file.part) text += part.label;
        text += ": " + file.path + "\n";
    }
    return text;
}
