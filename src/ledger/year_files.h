// How a year's files change as one. A save
//   1. writes each file's new content to <file>.new, flushed;
//   2. writes a commit record naming the files of this save (<year>.commit,
//      written as <year>.commit.new, flushed, then renamed into place);
//   3. renames each .new over its file;
//   4. removes the commit record.
// Whoever reads or saves the year first looks for a record: with one, the
// save is finished before the year is read; without one, every .new file
// is a save that never reached its commit and goes. So after any crash the
// year is wholly the old or wholly the new one. The record ends with an
// end line: one cut short names every part that has a .new.
#pragma once
#include <string>
#include <vector>

#include "platform/platform.h"

// The files of a year, in the order they are saved.
enum LedgerPart { part_amounts, part_memos, part_day_off, part_visits, ledger_part_count };

// What a save could not write: each file with its part and why, in saving
// order.
struct UnsavedFile {
    int part;
    std::string path;
    FileProblem problem;
};
struct SaveReport {
    std::vector<UnsavedFile> files;
    // An earlier save is committed but waits for a file another program
    // holds: it is finished before the year is next read or saved (at the
    // latest at the next start), and nothing newer is written until then.
    bool record_waiting;
    // Not on disk at all: kept in memory for the next save or exit.
    bool kept_in_memory;
    // Parts another program changed since the year was read: their
    // changes were kept and only the days changed here written onto them.
    std::vector<int> changed_outside;
};

// A year's files, given as data: the year and each part's path.
struct YearFileList {
    int year;
    std::string paths[ledger_part_count];
};

// What a save does with one file. A removal is written as an empty .new
// (no file of a year is ever empty): the rename step then removes both.
struct PartChange {
    enum Action { keep, write, remove } action;
    std::vector<unsigned char> bytes;
};
typedef PartChange PartChanges[ledger_part_count];

// Finishes a committed save or drops an unfinished one, waiting for held
// files as long as `waits` allows (a read never waits). For every part,
// where it is to be read from now: its file, or its .new while a
// committed save could not be finished because another program holds the
// file; `waiting` lists those parts, the record stays and no later save
// may write until it is finished.
struct WaitingPart {
    int part;
    FileProblem problem;
};
struct PartSources {
    std::string paths[ledger_part_count];
    std::vector<WaitingPart> waiting;
};
PartSources recover_year_files(const YearFileList& files, FileWaits* waits);

// Steps 1 to 4 for the files that change. True when every one holds its
// new content (or is gone); else `report` names the parts not written and
// why. A failure before the record leaves every file as it was. Refused
// while an earlier save's record is there.
bool commit_year_files(const YearFileList& files, const PartChanges& changes, SaveReport* report, FileWaits* waits);

// The commit record's path.
std::string commit_record_path(int year);
