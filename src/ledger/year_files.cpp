#include "ledger/year_files.h"

#include <cstdio>
#include <set>

#include "platform/folders.h"
#include "platform/platform.h"
#include "settings/program_folder.h"

namespace {
const char new_suffix[] = ".new";

// Years of this folder that this run found with nothing left by a save, or
// saved whole since: only a save that stopped leaves files behind, and one
// of this run's says so by failing. Looking again for each read costs a
// dozen file lookups a year.
struct CleanYears {
    std::string folder;
    std::set<int> years;
};
CleanYears clean_years;

bool known_clean(int year)
{
    if (clean_years.folder != program_folder()) {
        clean_years.folder = program_folder();
        clean_years.years.clear();
    }
    return clean_years.years.count(year) != 0;
}

void mark_clean(int year, bool clean)
{
    known_clean(year);
    if (clean)
        clean_years.years.insert(year);
    else
        clean_years.years.erase(year);
}

// The file a part is written to: the one its name links to. A file of
// several names is written in place, so every name keeps seeing it.
struct PartTarget {
    std::string path;
    bool in_place;
};

PartTarget part_target(int year, int part)
{
    unsigned names = 1;
    std::string path = linked_file(ledger_part_path(year, part).c_str(), &names);
    return PartTarget{path, names > 1};
}

std::string file_name_of(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One line per file of the save, by the name of its part.
std::vector<unsigned char> record_text(int year, const PartChanges& changes)
{
    std::string text;
    for (int part = 0; part < ledger_part_count; ++part)
        if (changes[part].action != PartChange::keep) text += file_name_of(ledger_part_path(year, part)) + "\r\n";
    return std::vector<unsigned char>(text.begin(), text.end());
}

// The parts a record names. Only the year's own file names count: a
// damaged record can never make the program move any other file.
void parts_named(int year, const std::vector<unsigned char>& record, bool (&named)[ledger_part_count])
{
    const std::string text(record.begin(), record.end());
    for (int part = 0; part < ledger_part_count; ++part) {
        const std::string line = file_name_of(ledger_part_path(year, part)) + "\r\n";
        named[part] = text.find(line) != std::string::npos;
    }
}

// Step 3 for one part: its .new takes the file's place; an empty one
// stands for the file's removal.
bool put_in_place(const PartTarget& target)
{
    const std::string fresh = target.path + new_suffix;
    std::vector<unsigned char> content;
    if (!read_whole_file(fresh.c_str(), content, nullptr)) return false;
    if (content.empty()) return (!path_exists(target.path.c_str()) || remove_file(target.path.c_str())) && remove_file(fresh.c_str());
    if (!target.in_place) return move_over(fresh.c_str(), target.path.c_str());
    return write_in_place(target.path.c_str(), content) && remove_file(fresh.c_str());
}

void remove_new_files(const PartTarget (&targets)[ledger_part_count], const PartChanges& changes, int count)
{
    for (int part = 0; part < count; ++part)
        if (changes[part].action != PartChange::keep) remove_file((targets[part].path + new_suffix).c_str());
}

void add_unsaved(SaveFailure* failure, int year, int part)
{
    if (failure) failure->files.push_back(UnsavedFile{part, ledger_part_path(year, part)});
}

// A record was left: its save wrote every .new it names completely, so
// it is finished now. While a file stays held the record stays too, and
// the part is read from its .new: the year is wholly the new one.
void finish_committed_save(int year, const std::string& record, PartSources& sources)
{
    std::vector<unsigned char> text;
    bool named[ledger_part_count] = {};
    // A record that cannot be read still says a save was committed.
    if (read_whole_file(record.c_str(), text, nullptr))
        parts_named(year, text, named);
    else
        for (bool& part : named) part = true;
    bool finished = true;
    for (int part = 0; part < ledger_part_count; ++part) {
        const PartTarget target = part_target(year, part);
        const std::string fresh = target.path + new_suffix;
        if (!named[part] || !path_exists(fresh.c_str()) || put_in_place(target)) continue;
        finished = false;
        sources.paths[part] = fresh;
    }
    if (finished) remove_file(record.c_str());
}

// No record: what a save left had not been committed and goes; see
// PartSources for the one exception.
void drop_unfinished_save(const std::string& record, PartSources& sources)
{
    const std::string record_draft = record + new_suffix;
    if (path_exists(record_draft.c_str())) remove_file(record_draft.c_str());
    bool year_exists = false;
    for (int part = 0; part < ledger_part_count; ++part)
        year_exists = year_exists || (ledger_part_is_table(part) && path_exists(sources.paths[part].c_str()));
    for (int part = 0; part < ledger_part_count; ++part) {
        const std::string fresh = sources.paths[part] + new_suffix;
        if (!path_exists(fresh.c_str())) continue;
        // Only a table's file was ever replaced in two steps.
        if (ledger_part_is_table(part) && year_exists && !path_exists(sources.paths[part].c_str()))
            sources.orphaned[part] = true;
        else
            remove_file(fresh.c_str());
    }
}
// Every file a save leaves before it is done ends in .new; one look for
// them spares a start the many of looking for each.
bool leftovers_may_exist(int year)
{
    char pattern[32];
    std::snprintf(pattern, sizeof pattern, "%04d*%s", year, new_suffix);
    return any_file_matches((std::string(program_folder()) + pattern).c_str());
}
}  // namespace

std::string commit_record_path(int year)
{
    char name[32];
    std::snprintf(name, sizeof name, "%04d.commit", year);
    return std::string(program_folder()) + name;
}

PartSources recover_year_files(int year)
{
    PartSources sources = {};
    for (int part = 0; part < ledger_part_count; ++part) sources.paths[part] = ledger_part_path(year, part);
    if (known_clean(year)) return sources;
    const std::string record = commit_record_path(year);
    if (path_exists(record.c_str()))
        finish_committed_save(year, record, sources);
    else if (leftovers_may_exist(year))
        drop_unfinished_save(record, sources);
    else
        mark_clean(year, true);
    return sources;
}

bool commit_year_files(int year, const PartChanges& changes, SaveFailure* failure)
{
    mark_clean(year, false);  // until the save is whole
    PartTarget targets[ledger_part_count];
    for (int part = 0; part < ledger_part_count; ++part) {
        targets[part] = part_target(year, part);
        const PartChange& change = changes[part];
        if (change.action == PartChange::keep) continue;
        const std::vector<unsigned char> removal;
        if (write_new_file((targets[part].path + new_suffix).c_str(), change.action == PartChange::write ? change.bytes : removal))
            continue;
        add_unsaved(failure, year, part);
        remove_new_files(targets, changes, part + 1);
        return false;
    }
    const std::string record = commit_record_path(year), record_draft = record + new_suffix;
    if (!write_new_file(record_draft.c_str(), record_text(year, changes)) || !move_over(record_draft.c_str(), record.c_str())) {
        remove_file(record_draft.c_str());
        remove_new_files(targets, changes, ledger_part_count);
        for (int part = 0; part < ledger_part_count; ++part)
            if (changes[part].action != PartChange::keep) add_unsaved(failure, year, part);
        return false;
    }
    bool all = true;
    for (int part = 0; part < ledger_part_count; ++part) {
        if (changes[part].action == PartChange::keep || put_in_place(targets[part])) continue;
        all = false;
        add_unsaved(failure, year, part);
    }
    // A file that stayed held keeps the record: the next read finishes it.
    if (all) mark_clean(year, remove_file(record.c_str()));
    return all;
}
