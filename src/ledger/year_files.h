// How a year's files change as one. A save
//   1. writes each file's new content to <file>.new, flushed;
//   2. writes a commit record naming the files of this save (<year>.commit,
//      written as <year>.commit.new, flushed, then renamed into place);
//   3. renames each .new over its file;
//   4. removes the commit record.
// Whoever reads the year first looks for a record: with one, the save is
// finished before the year is read; without one, a .new file is an
// unfinished save and goes. So after any crash the year is wholly the old
// or wholly the new one.
#pragma once
#include <string>
#include <vector>

#include "ledger/year_ledger.h"

// What a save does with one file. A removal is written as an empty .new
// (no file of a year is ever empty): the rename step then removes both.
struct PartChange {
    enum Action { keep, write, remove } action;
    std::vector<unsigned char> bytes;
};
typedef PartChange PartChanges[ledger_part_count];

// Finishes a committed save or drops an unfinished one. For every part,
// where it is to be read from now (its file, or its .new while a committed
// save could not be finished), and whether it must count as unreadable: a
// .new left without its file while the year's other files exist may be
// the only copy of that file, so it is neither removed nor taken for an
// empty part.
struct PartSources {
    std::string paths[ledger_part_count];
    bool orphaned[ledger_part_count];
};
PartSources recover_year_files(int year);

// Steps 1 to 4 for the files that change. True when every one holds its
// new content (or is gone); else `failure` names the parts not written. A
// failure before the record leaves every file as it was.
bool commit_year_files(int year, const PartChanges& changes, SaveFailure* failure);

// The commit record's path.
std::string commit_record_path(int year);
