// The changes of this run that can be taken back and made again. A step
// holds what one save changed in a year: each day it changed as it was
// before and after (its amount, memo and day-off mark byte for byte, and
// its visits), and the stamps of the files as the step last left them. A
// step is taken as an ordinary save, and never over a change another
// program made to the year since.
#pragma once
#include <string>
#include <vector>

#include "ledger/year_ledger.h"

enum { undo_steps_kept = 20 };

enum StepKind { step_entry, step_import };

struct StepDay {
    int month, day;
    DayEntry before, after;  // the memo's whole field, as stored
    std::vector<Visit> visits_before, visits_after;
};

struct UndoStep {
    int year;
    StepKind kind;
    int month, day;             // the day entered (an entry)
    bool with_visits;           // both sides could read their visits
    std::vector<StepDay> days;  // every day the save changed: an import's whole year
    PartStamp stamps[ledger_part_count];
};

// The steps to take back and those taken back, the newest last.
struct UndoHistory {
    std::vector<UndoStep> undo, redo;
};

// What changed between two readings of a year's files.
UndoStep step_between(const LedgerYear& before, const LedgerYear& after, StepKind kind, int month, int day);
// Saves as save_ledger_year does; once the year is on disk, `step` holds
// what the save changed (no days when nothing did).
bool save_year_step(const LedgerYear& value, StepKind kind, int month, int day, UndoStep& step,
                    SaveReport* report = nullptr, const SaveChoices* choices = nullptr);
// A new change: the steps taken back go, and the oldest beyond 20.
void add_undo_step(UndoHistory& history, const UndoStep& step);
// The step's days onto `value`, as they were before it (`back`) or after.
void apply_step(const UndoStep& step, bool back, LedgerYear& value);
// "12/6 の入力", "2009年の読み込み" (UTF-8).
std::string step_caption(const UndoStep& step);

enum StepOutcome {
    step_taken,
    step_none,            // nothing to take
    step_changed_on_disk, // refused: the year's files changed since; its steps are forgotten
    step_unreadable,      // refused: a file of the year cannot be read (`status`)
    step_not_saved,       // the save failed (`report`); the step stays
};
// Takes back the newest step (`redo`: makes the newest taken back again)
// as one save; the step then moves to the other list.
StepOutcome take_step(UndoHistory& history, bool redo, SaveReport* report, const SaveChoices* choices,
                      YearStatus* status);
