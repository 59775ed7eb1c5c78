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

PartTarget part_target(const YearFileList& files, int part)
{
    unsigned names = 1;
    std::string path = linked_file(files.paths[part].c_str(), &names);
    return PartTarget{path, names > 1};
}

// One line per file of the save, by the name of its part, then the end
// line that says the record is whole.
const char end_line[] = "end\r\n";

std::vector<unsigned char> record_text(const YearFileList& files, const PartChanges& changes)
{
    std::string text;
    for (int part = 0; part < ledger_part_count; ++part)
        if (changes[part].action != PartChange::keep) text += file_name_of(files.paths[part]) + "\r\n";
    text += end_line;
    return std::vector<unsigned char>(text.begin(), text.end());
}

// The parts a record names. Only the year's own file names count: a
// damaged record can never make the program move any other file. A record
// cut short, or one that cannot be read, still says a save was committed:
// every part with a .new is taken as named.
void parts_named(const YearFileList& files, const std::vector<unsigned char>* record, bool (&named)[ledger_part_count])
{
    const std::string text = record ? std::string(record->begin(), record->end()) : std::string();
    const size_t end = text.rfind(end_line);
    const bool whole = end != std::string::npos && end + sizeof end_line - 1 == text.size();
    for (int part = 0; part < ledger_part_count; ++part) {
        const std::string name = file_name_of(files.paths[part]);
        named[part] = whole ? text.find(name + "\r\n") != std::string::npos : true;
    }
}

// Step 3 for one part: its .new takes the file's place; an empty one
// stands for the file's removal.
bool put_in_place(const PartTarget& target, FileWaits* waits)
{
    const std::string fresh = target.path + new_suffix;
    std::vector<unsigned char> content;
    if (!read_whole_file(fresh.c_str(), content, nullptr)) return false;
    if (content.empty()) return (!path_exists(target.path.c_str()) || remove_file(target.path.c_str())) && remove_file(fresh.c_str());
    if (!target.in_place) return move_over(fresh.c_str(), target.path.c_str(), waits);
    return write_in_place(target.path.c_str(), content) && remove_file(fresh.c_str());
}

void remove_new_files(const PartTarget (&targets)[ledger_part_count], const PartChanges& changes, int count)
{
    for (int part = 0; part < count; ++part)
        if (changes[part].action != PartChange::keep) remove_file((targets[part].path + new_suffix).c_str());
}

void add_unsaved(SaveReport* report, const YearFileList& files, int part, FileProblem problem)
{
    if (report) report->files.push_back(UnsavedFile{part, files.paths[part], problem});
}

// A record was left: its save wrote every .new it names completely, so
// it is finished now. While a file stays held the record stays too, and
// the part is read from its .new: the year is wholly the new one.
void finish_committed_save(const YearFileList& files, const std::string& record, PartSources& sources, FileWaits* waits)
{
    std::vector<unsigned char> text;
    bool named[ledger_part_count] = {};
    const bool readable = read_whole_file(record.c_str(), text, nullptr);
    parts_named(files, readable ? &text : nullptr, named);
    for (int part = 0; part < ledger_part_count; ++part) {
        const PartTarget target = part_target(files, part);
        const std::string fresh = target.path + new_suffix;
        if (!named[part] || !path_exists(fresh.c_str()) || put_in_place(target, waits)) continue;
        sources.waiting.push_back(WaitingPart{part, last_file_problem()});
        sources.paths[part] = fresh;
    }
    if (sources.waiting.empty()) remove_file(record.c_str());
}

// No record: the save never reached its commit, so what it left goes,
// whether or not the file it was to replace exists.
void drop_unfinished_save(const std::string& record, const PartSources& sources)
{
    const std::string record_draft = record + new_suffix;
    if (path_exists(record_draft.c_str())) remove_file(record_draft.c_str());
    for (const std::string& path : sources.paths) {
        const std::string fresh = path + new_suffix;
        if (path_exists(fresh.c_str())) remove_file(fresh.c_str());
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

PartSources recover_year_files(const YearFileList& files, FileWaits* waits)
{
    const int year = files.year;
    PartSources sources = {};
    for (int part = 0; part < ledger_part_count; ++part) sources.paths[part] = files.paths[part];
    if (known_clean(year)) return sources;
    const std::string record = commit_record_path(year);
    if (path_exists(record.c_str()))
        finish_committed_save(files, record, sources, waits);
    else if (leftovers_may_exist(year))
        drop_unfinished_save(record, sources);
    else
        mark_clean(year, true);
    return sources;
}

bool commit_year_files(const YearFileList& files, const PartChanges& changes, SaveReport* report, FileWaits* waits)
{
    const int year = files.year;
    mark_clean(year, false);  // until the save is whole
    const std::string record = commit_record_path(year), record_draft = record + new_suffix;
    // The .new files an earlier record names are its own: never touched.
    if (path_exists(record.c_str())) {
        if (report) report->record_waiting = true;
        return false;
    }
    PartTarget targets[ledger_part_count];
    for (int part = 0; part < ledger_part_count; ++part) targets[part] = part_target(files, part);
    // A read-only file would stop the save after its record: refused first,
    // with nothing written.
    bool read_only = false;
    for (int part = 0; part < ledger_part_count; ++part)
        if (changes[part].action != PartChange::keep && is_read_only_file(targets[part].path.c_str())) {
            add_unsaved(report, files, part, file_read_only);
            read_only = true;
        }
    if (read_only) return false;
    for (int part = 0; part < ledger_part_count; ++part) {
        const PartChange& change = changes[part];
        if (change.action == PartChange::keep) continue;
        const std::vector<unsigned char> removal;
        if (write_new_file((targets[part].path + new_suffix).c_str(), change.action == PartChange::write ? change.bytes : removal))
            continue;
        add_unsaved(report, files, part, last_file_problem());
        remove_new_files(targets, changes, part + 1);
        return false;
    }
    if (!write_new_file(record_draft.c_str(), record_text(files, changes)) || !move_over(record_draft.c_str(), record.c_str())) {
        const FileProblem problem = last_file_problem();
        remove_file(record_draft.c_str());
        remove_new_files(targets, changes, ledger_part_count);
        for (int part = 0; part < ledger_part_count; ++part)
            if (changes[part].action != PartChange::keep) add_unsaved(report, files, part, problem);
        return false;
    }
    bool all = true;
    for (int part = 0; part < ledger_part_count; ++part) {
        if (changes[part].action == PartChange::keep || put_in_place(targets[part], waits)) continue;
        all = false;
        add_unsaved(report, files, part, last_file_problem());
    }
    // A file that stayed held keeps the record: it is finished before the
    // year is read or saved again.
    if (all)
        mark_clean(year, remove_file(record.c_str()));
    else if (report)
        report->record_waiting = true;
    return all;
}
