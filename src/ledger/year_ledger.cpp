#include "ledger/year_ledger.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "ledger/backup.h"
#include "ledger/year_files.h"
#include "ledger/year_merge.h"
#include "platform/platform.h"
#include "platform/shift_jis.h"
#include "platform/text_convert.h"
#include "settings/program_folder.h"

static_assert(sizeof(AmountTable) == 1488, "2009.dat is 1488 bytes");
static_assert(sizeof(MemoTable) == 7812, "2009m.dat is 7812 bytes");
static_assert(sizeof(DayOffTable) == 372, "2009h.dat is 372 bytes");

namespace {
PartState read_table(LedgerYear& value, int part, const unsigned char* data, size_t size);
std::vector<unsigned char> table_bytes(const LedgerYear& value, int part);
PartState read_visits(LedgerYear& value, int part, const unsigned char* data, size_t size);
std::vector<unsigned char> visits_bytes(const LedgerYear& value, int part);

// Each file of a year: its name with the year, its name in messages, and
// how it is read and written. A new file of a year is one more entry.
struct PartFormat {
    const char* name;
    const char* label;
    PartState (*read)(LedgerYear&, int, const unsigned char*, size_t);
    std::vector<unsigned char> (*bytes)(const LedgerYear&, int);
    bool table;  // a fixed table: unreadable, it keeps the whole year from changing
};
const PartFormat part_formats[ledger_part_count] = {
    {"%04d.dat", "金額", read_table, table_bytes, true},
    {"%04dm.dat", "メモ", read_table, table_bytes, true},
    {"%04dh.dat", "休日", read_table, table_bytes, true},
    {"%04dd.csv", "明細", read_visits, visits_bytes, false},
};

// A table of the value and its size.
unsigned char* table_of(LedgerYear& value, int part, size_t* size)
{
    switch (part) {
    case part_amounts: *size = sizeof value.amounts; return reinterpret_cast<unsigned char*>(value.amounts);
    case part_memos: *size = sizeof value.memos; return reinterpret_cast<unsigned char*>(value.memos);
    default: *size = sizeof value.day_off; return value.day_off[0];
    }
}

PartState read_table(LedgerYear& value, int part, const unsigned char* data, size_t size)
{
    size_t table_size = 0;
    unsigned char* table = table_of(value, part, &table_size);
    std::memset(table, 0, table_size);
    const size_t taken = size < table_size ? size : table_size;
    if (taken) std::memcpy(table, data, taken);
    value.beyond[part].assign(data + taken, data + size);
    // A damaged file may hold a memo without its NUL.
    if (part == part_memos)
        for (auto& month : value.memos)
            for (auto& memo : month) terminate_sjis_field(memo, memo_size);
    return part_read;
}

std::vector<unsigned char> table_bytes(const LedgerYear& value, int part)
{
    size_t size = 0;
    const unsigned char* table = table_of(const_cast<LedgerYear&>(value), part, &size);
    std::vector<unsigned char> bytes(table, table + size);
    bytes.insert(bytes.end(), value.beyond[part].begin(), value.beyond[part].end());
    return bytes;
}

PartState read_visits(LedgerYear& value, int, const unsigned char* data, size_t size)
{
    VisitsFile file = parse_visits_file(value.year, data, size);
    value.visits = std::move(file.visits);
    value.visit_problems = std::move(file.problems);
    if (file.problem_count > static_cast<int>(value.visit_problems.size()))
        value.visit_problems.push_back("ほかにもあり、全部で " + std::to_string(file.problem_count) + " 件です。");
    return file.problem_count ? part_unreadable : part_read;
}

std::vector<unsigned char> visits_bytes(const LedgerYear& value, int) { return visits_file_bytes(value.year, value.visits); }

// The saves of this run: how many were tried (summaries kept of the
// files are stale when it moved), and the years whose changes no save
// could write yet (reads see them, exit writes them).
struct SavesOfTheRun {
    unsigned count;
    std::vector<LedgerYear> held_years;
};
SavesOfTheRun saves;

void set_all(YearStatus& status, PartState state)
{
    for (PartState& part : status.parts) part = state;
}

LedgerYear* held_year(int year)
{
    for (LedgerYear& held : saves.held_years)
        if (held.year == year) return &held;
    return nullptr;
}

void hold(const LedgerYear& value)
{
    LedgerYear* held = held_year(value.year);
    if (!held) {
        saves.held_years.push_back(value);
        held = &saves.held_years.back();
    }
    *held = value;
}

void release(int year)
{
    for (auto held = saves.held_years.begin(); held != saves.held_years.end(); ++held)
        if (held->year == year) {
            saves.held_years.erase(held);
            return;
        }
}

bool valid_day(int month, int day) { return month >= 1 && month <= ledger_months && day >= 1 && day <= ledger_month_days; }


YearFileList file_list(int year)
{
    YearFileList files;
    files.year = year;
    for (int part = 0; part < ledger_part_count; ++part) files.paths[part] = ledger_part_path(year, part);
    return files;
}

PartState read_part(LedgerYear& value, int part, const std::string& path)
{
    std::vector<unsigned char> content;
    bool missing = false;
    if (!read_whole_file(path.c_str(), content, &missing)) {
        part_from_bytes(value, part, nullptr, 0);
        value.stamps[part] = PartStamp{!missing, 0, 0};
        return missing ? part_missing : part_unreadable;
    }
    value.stamps[part] = stamp_of(content.data(), content.size());
    return part_formats[part].read(value, part, content.data(), content.size());
}

// The year as its files hold it now, a stopped save finished or dropped
// first; `waiting` gets the parts an earlier save still waits for.
void read_files(int year, LedgerYear& value, unsigned parts, FileWaits* waits, std::vector<WaitingPart>* waiting)
{
    clear_ledger_year(value, year);
    if (year < first_ledger_year) return;
    const PartSources sources = recover_year_files(file_list(year), waits);
    for (int part = 0; part < ledger_part_count; ++part)
        value.status.parts[part] = (parts & (1u << part)) ? read_part(value, part, sources.paths[part]) : PartState(part_not_read);
    if (parts == all_ledger_parts) take_prints(value);
    if (waiting) *waiting = sources.waiting;
}

// What a save does with each file: the tables are written; the visits file
// is written, removed with the year's last visit, or left alone when it
// could not be read.
void plan_changes(const LedgerYear& value, PartChanges& changes)
{
    for (int part = 0; part < ledger_part_count; ++part) {
        PartChange& change = changes[part];
        change.action = PartChange::write;
        if (part_formats[part].table) {
            change.bytes = part_bytes(value, part);
        } else if (!visits_are_editable(value.status)) {
            change.action = PartChange::keep;
        } else if (value.visits.empty()) {
            change.action = path_exists(ledger_part_path(value.year, part).c_str()) ? PartChange::remove : PartChange::keep;
        } else {
            change.bytes = part_bytes(value, part);
        }
    }
}

bool commit(const LedgerYear& value, SaveReport* report, FileWaits* waits)
{
    // The day's first save keeps the files as they were; a backup that
    // cannot be made never holds the save back.
    LocalTime now;
    local_time_now(&now);
    back_up_before_first_save(value.year, now, waits);
    PartChanges changes;
    plan_changes(value, changes);
    return commit_year_files(file_list(value.year), changes, report, waits);
}

void add_unsaved(SaveReport* report, int year, int part, FileProblem problem)
{
    if (report) report->files.push_back(UnsavedFile{part, ledger_part_path(year, part), problem});
}

// Parts whose files another program changed since `value` was read.
void note_changed_outside(const LedgerYear& value, const LedgerYear& fresh, SaveReport& report)
{
    for (int part = 0; part < ledger_part_count; ++part)
        if (!(fresh.stamps[part] == value.stamps[part])) report.changed_outside.push_back(part);
}

// The days changed in `value` onto its files as they are now, then one
// commit. Whatever keeps it from disk keeps it in memory instead, unless
// a commit record already holds it.
bool save_onto_files(const LedgerYear& value, SaveReport& report, const SaveChoices* choices, bool is_held)
{
    FileWaits waits = {save_wait_ms};
    std::vector<WaitingPart> waiting;
    LedgerYear fresh;
    read_files(value.year, fresh, all_ledger_parts, &waits, &waiting);
    // One save at a time: while a committed one waits for a held file, the
    // .new files its record names are its own and this change waits.
    if (!waiting.empty()) {
        for (const WaitingPart& part : waiting) add_unsaved(&report, value.year, part.part, part.problem);
        report.record_waiting = true;
        report.kept_in_memory = true;
        hold(value);
        return false;
    }
    // Changes kept from a failed save go in too, even under a value read
    // before them.
    const LedgerYear* held = is_held ? nullptr : held_year(value.year);
    if (!year_is_whole(fresh.status) || (held && !merge_own_days(*held, fresh, choices)) ||
        !merge_own_days(value, fresh, choices)) {
        for (int part = 0; part < ledger_part_count; ++part)
            if (fresh.status.parts[part] == part_unreadable) add_unsaved(&report, value.year, part, file_unreadable);
        report.kept_in_memory = true;
        hold(value);
        return false;
    }
    note_changed_outside(value, fresh, report);
    if (commit(fresh, &report, &waits)) {
        release(value.year);
        return true;
    }
    // Once its record is written the save is made: the record finishes it.
    report.kept_in_memory = !report.record_waiting;
    if (report.record_waiting)
        release(value.year);
    else
        hold(fresh);
    return false;
}

// The memo visits give a day: their places in order, without repeats.
void memo_from_places(const std::vector<Visit>& visits, char (&memo)[memo_size])
{
    std::string places;
    std::vector<std::string> seen;
    for (const Visit& visit : visits) {
        if (visit.place.empty() || std::find(seen.begin(), seen.end(), visit.place) != seen.end()) continue;
        seen.push_back(visit.place);
        places += (places.empty() ? "" : "・") + visit.place;
    }
    const std::string sjis = utf8_to_sjis(places.data(), places.size());
    std::memset(memo, 0, memo_size);
    copy_sjis_cut(memo, sjis.c_str(), memo_max_bytes);
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
        part_from_bytes(value, part, nullptr, 0);
        value.stamps[part] = stamp_of(nullptr, 0);
    }
    take_prints(value);
}

bool year_is_whole(const YearStatus& status)
{
    for (int part = 0; part < ledger_part_count; ++part)
        if (part_formats[part].table && (status.parts[part] == part_unreadable || status.parts[part] == part_not_read))
            return false;
    return true;
}

bool visits_are_editable(const YearStatus& status)
{
    return status.parts[part_visits] != part_unreadable && status.parts[part_visits] != part_not_read;
}

bool read_ledger_year(int year, LedgerYear& value, YearStatus* status, unsigned parts)
{
    const LedgerYear* held = held_year(year);
    read_files(year, value, held ? unsigned{all_ledger_parts} : parts, nullptr, nullptr);
    // What another program wrote since stays; the changes not written yet
    // go over it, and their save asks where both changed a day.
    if (held && year_is_whole(value.status)) {
        const PartStamp* stamps = held->stamps;
        if (merge_own_days(*held, value, nullptr)) std::copy(stamps, stamps + ledger_part_count, value.stamps);
    }
    if (status) *status = value.status;
    return year_is_whole(value.status);
}

bool save_ledger_year(const LedgerYear& value, SaveReport* report, const SaveChoices* choices)
{
    ++saves.count;
    SaveReport unused;
    SaveReport& out = report ? *report : unused;
    out = SaveReport();
    if (!year_is_whole(value.status)) {
        for (int part = 0; part < ledger_part_count; ++part)
            if (value.status.parts[part] == part_unreadable) add_unsaved(&out, value.year, part, file_unreadable);
        return false;
    }
    if (value.year < first_ledger_year) return true;
    return save_onto_files(value, out, choices, false);
}

bool replace_ledger_year_files(int year, const PartChanges& changes, SaveReport* report)
{
    ++saves.count;
    SaveReport unused;
    SaveReport& out = report ? *report : unused;
    out = SaveReport();
    if (year < first_ledger_year) return false;
    FileWaits waits = {save_wait_ms};
    const PartSources sources = recover_year_files(file_list(year), &waits);
    if (!sources.waiting.empty()) {
        for (const WaitingPart& part : sources.waiting) add_unsaved(&out, year, part.part, part.problem);
        out.record_waiting = true;
        return false;
    }
    const bool saved = commit_year_files(file_list(year), changes, &out, &waits);
    // Once its record is written the commit is made: the record finishes it.
    if (saved || out.record_waiting) release(year);
    return saved;
}

bool ledger_has_unsaved_changes() { return !saves.held_years.empty(); }

bool save_unsaved_years(SaveReport* report, const SaveChoices* choices)
{
    SaveReport all = SaveReport();
    const std::vector<LedgerYear> waiting = saves.held_years;
    for (const LedgerYear& held : waiting) {
        ++saves.count;
        SaveReport one = SaveReport();
        save_onto_files(held, one, choices, true);
        all.files.insert(all.files.end(), one.files.begin(), one.files.end());
        all.record_waiting = all.record_waiting || one.record_waiting;
        all.kept_in_memory = all.kept_in_memory || one.kept_in_memory;
    }
    if (report) *report = all;
    return saves.held_years.empty();
}

void discard_unsaved_changes() { saves.held_years.clear(); }

unsigned ledger_save_count() { return saves.count; }

std::string describe_save_failure(const SaveReport& report)
{
    std::string text;
    for (const UnsavedFile& file : report.files)
        text += std::string(ledger_part_label(file.part)) + ": " + file.path + "\n　" + file_problem_text(file.problem) + "\n";
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
    std::snprintf(name, sizeof name, part_formats[part].name, year);
    return std::string(program_folder()) + name;
}

void part_from_bytes(LedgerYear& value, int part, const unsigned char* data, size_t size)
{
    part_formats[part].read(value, part, data, size);
}

std::vector<unsigned char> part_bytes(const LedgerYear& value, int part) { return part_formats[part].bytes(value, part); }

bool ledger_part_is_table(int part) { return part_formats[part].table; }

std::vector<Visit> visits_of_day(const LedgerYear& value, int month, int day)
{
    std::vector<Visit> day_visits;
    for (const Visit& visit : value.visits)
        if (visit.month == month && visit.day == day) day_visits.push_back(visit);
    return day_visits;
}

int64_t visits_sum(const std::vector<Visit>& visits)
{
    int64_t sum = 0;
    for (const Visit& visit : visits) sum += visit_balance(visit);
    return sum;
}

void replace_day_visits(LedgerYear& value, int month, int day, const std::vector<Visit>& visits)
{
    if (!valid_day(month, day)) return;
    auto after = [month, day](const Visit& visit) { return visit.month * 32 + visit.day > month * 32 + day; };
    std::vector<Visit> kept;
    kept.reserve(value.visits.size() + visits.size());
    for (const Visit& visit : value.visits)
        if (visit.month != month || visit.day != day) kept.push_back(visit);
    auto at = std::find_if(kept.begin(), kept.end(), after);
    at = kept.insert(at, visits.begin(), visits.end());
    for (auto placed = at; placed != at + static_cast<long>(visits.size()); ++placed) {
        placed->month = month;
        placed->day = day;
    }
    value.visits = std::move(kept);
}

bool set_day_visits(LedgerYear& value, int month, int day, const std::vector<Visit>& visits)
{
    if (!valid_day(month, day)) return false;
    const int64_t sum = visits_sum(visits);
    if (sum < INT32_MIN || sum > INT32_MAX) return false;
    // The day's visits take the place of its old ones, among the others by date.
    replace_day_visits(value, month, day, visits);
    if (!visits.empty()) value.amounts[month - 1][day - 1] = sum == 0 ? -1 : static_cast<int32_t>(sum);
    char* memo = value.memos[month - 1][day - 1];
    if (!visits.empty() && memo[0] == 0) memo_from_places(visits, value.memos[month - 1][day - 1]);
    return true;
}
