#include "ledger/year_ledger.h"

#include <cstdio>
#include <cstring>

#include "ledger/backup.h"
#include "ledger/year_files.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "settings/program_folder.h"

static_assert(sizeof(AmountTable) == 1488, "2009.dat is 1488 bytes");
static_assert(sizeof(MemoTable) == 7812, "2009m.dat is 7812 bytes");
static_assert(sizeof(DayOffTable) == 372, "2009h.dat is 372 bytes");

namespace {
// Each file of a year: where its table lies in the value, its name's
// suffix and its name in messages. A new file of a year is one more entry.
struct PartFormat {
    const char* suffix;
    const char* label;
    size_t size;
    void* (*table)(LedgerYear&);
};
const PartFormat part_formats[ledger_part_count] = {
    {"", "金額", sizeof(AmountTable), [](LedgerYear& v) -> void* { return v.amounts; }},
    {"m", "メモ", sizeof(MemoTable), [](LedgerYear& v) -> void* { return v.memos; }},
    {"h", "休日", sizeof(DayOffTable), [](LedgerYear& v) -> void* { return v.day_off; }},
};

unsigned save_count;
// Years whose changes no save could write yet: reads see them, exit
// writes them.
std::vector<LedgerYear> held_years;

void set_all(YearStatus& status, PartState state)
{
    for (PartState& part : status.parts) part = state;
}

LedgerYear* held_year(int year)
{
    for (LedgerYear& held : held_years)
        if (held.year == year) return &held;
    return nullptr;
}

// Held in memory, the year is whole: every part is what it says.
void hold(const LedgerYear& value)
{
    LedgerYear* held = held_year(value.year);
    if (!held) {
        held_years.push_back(value);
        held = &held_years.back();
    }
    *held = value;
    set_all(held->status, part_read);
}

void release(int year)
{
    for (auto held = held_years.begin(); held != held_years.end(); ++held)
        if (held->year == year) {
            held_years.erase(held);
            return;
        }
}

bool valid_day(int month, int day) { return month >= 1 && month <= ledger_months && day >= 1 && day <= ledger_month_days; }


PartState read_part(LedgerYear& value, int part, const std::string& path)
{
    std::vector<unsigned char> content;
    bool missing = false;
    bool read = read_whole_file(path.c_str(), content, &missing);
    part_from_bytes(value, part, content.data(), read ? content.size() : 0);
    return read ? part_read : missing ? part_missing : part_unreadable;
}

bool commit(const LedgerYear& value, SaveFailure* failure)
{
    if (value.year < first_ledger_year) return true;
    // The day's first save keeps the files as they were; a backup that
    // cannot be made never holds the save back.
    LocalTime now;
    local_time_now(&now);
    back_up_before_first_save(value.year, now);
    PartContents contents;
    for (int part = 0; part < ledger_part_count; ++part) contents[part] = part_bytes(value, part);
    return commit_year_files(value.year, contents, failure);
}
}  // namespace

DayEntry day_of(const LedgerYear& value, int month, int day)
{
    DayEntry entry = {};
    if (!valid_day(month, day)) return entry;
    entry.amount = value.amounts[month - 1][day - 1];
    std::memcpy(entry.memo, value.memos[month - 1][day - 1], memo_size);
    entry.memo[memo_size - 1] = 0;
    entry.day_off = value.day_off[month - 1][day - 1];
    return entry;
}

void set_day(LedgerYear& value, int month, int day, const DayEntry& entry)
{
    if (!valid_day(month, day)) return;
    value.amounts[month - 1][day - 1] = entry.amount;
    char* memo = value.memos[month - 1][day - 1];
    std::memset(memo, 0, memo_size);
    copy_sjis_cut(memo, entry.memo, memo_max_bytes);
    value.day_off[month - 1][day - 1] = entry.day_off;
}

void clear_ledger_year(LedgerYear& value, int year)
{
    value.year = year;
    set_all(value.status, part_missing);
    for (int part = 0; part < ledger_part_count; ++part) {
        std::memset(part_formats[part].table(value), 0, part_formats[part].size);
        value.beyond[part].clear();
    }
}

bool year_is_whole(const YearStatus& status)
{
    for (PartState part : status.parts)
        if (part == part_unreadable) return false;
    return true;
}

bool read_ledger_year(int year, LedgerYear& value, YearStatus* status)
{
    if (const LedgerYear* held = held_year(year)) {
        value = *held;
    } else {
        clear_ledger_year(value, year);
        if (year >= first_ledger_year) {
            const PartSources sources = recover_year_files(year);
            for (int part = 0; part < ledger_part_count; ++part)
                value.status.parts[part] =
                    sources.orphaned[part] ? part_unreadable : read_part(value, part, sources.paths[part]);
        }
    }
    if (status) *status = value.status;
    return year_is_whole(value.status);
}

bool save_ledger_year(const LedgerYear& value, SaveFailure* failure)
{
    ++save_count;
    if (failure) *failure = SaveFailure();
    if (!year_is_whole(value.status)) {
        for (int part = 0; part < ledger_part_count; ++part)
            if (failure && value.status.parts[part] == part_unreadable)
                failure->files.push_back(UnsavedFile{part, ledger_part_path(value.year, part)});
        return false;
    }
    if (!commit(value, failure)) {
        hold(value);
        return false;
    }
    release(value.year);
    return true;
}

bool ledger_has_unsaved_changes() { return !held_years.empty(); }

bool save_unsaved_years(SaveFailure* failure)
{
    if (failure) *failure = SaveFailure();
    for (auto held = held_years.begin(); held != held_years.end();) {
        ++save_count;
        if (commit(*held, failure))
            held = held_years.erase(held);
        else
            ++held;
    }
    return held_years.empty();
}

void discard_unsaved_changes() { held_years.clear(); }

unsigned ledger_save_count() { return save_count; }

std::string describe_save_failure(const SaveFailure& failure)
{
    std::string text;
    for (const UnsavedFile& file : failure.files)
        text += std::string(ledger_part_label(file.part)) + ": " + file.path + "\n";
    return text;
}

std::string describe_unreadable_parts(int year, const YearStatus& status)
{
    std::string text;
    for (int part = 0; part < ledger_part_count; ++part)
        if (status.parts[part] == part_unreadable)
            text += std::string(ledger_part_label(part)) + ": " + ledger_part_path(year, part) + "\n";
    return text;
}

const char* ledger_part_label(int part)
{
    return part >= 0 && part < ledger_part_count ? part_formats[part].label : "";
}

std::string ledger_part_path(int year, int part)
{
    char name[32];
    std::snprintf(name, sizeof name, "%04d%s.dat", year, part_formats[part].suffix);
    return std::string(program_folder()) + name;
}

void part_from_bytes(LedgerYear& value, int part, const unsigned char* data, size_t size)
{
    const PartFormat& format = part_formats[part];
    unsigned char* table = static_cast<unsigned char*>(format.table(value));
    std::memset(table, 0, format.size);
    const size_t taken = size < format.size ? size : format.size;
    if (taken) std::memcpy(table, data, taken);
    value.beyond[part].assign(data + taken, data + size);
    // A damaged file may hold a memo without its NUL.
    if (part == part_memos)
        for (auto& month : value.memos)
            for (auto& memo : month) terminate_sjis_field(memo, memo_size);
}

std::vector<unsigned char> part_bytes(const LedgerYear& value, int part)
{
    const PartFormat& format = part_formats[part];
    const unsigned char* table = static_cast<const unsigned char*>(format.table(const_cast<LedgerYear&>(value)));
    std::vector<unsigned char> bytes(table, table + format.size);
    bytes.insert(bytes.end(), value.beyond[part].begin(), value.beyond[part].end());
    return bytes;
}
