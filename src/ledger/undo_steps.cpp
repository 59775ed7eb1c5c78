#include "ledger/undo_steps.h"

#include <algorithm>
#include <cstring>

#include "ledger/year_merge.h"

namespace {
// A day's table entries exactly as stored: a memo keeps what lies after
// its NUL, so a day put back gives the file's bytes back.
DayEntry stored_day(const LedgerYear& value, int month, int day)
{
    DayEntry entry = {};
    entry.amount = value.amounts[month - 1][day - 1];
    std::memcpy(entry.memo, value.memos[month - 1][day - 1], memo_size);
    entry.day_off = value.day_off[month - 1][day - 1];
    return entry;
}

void put_stored_day(LedgerYear& value, int month, int day, const DayEntry& entry)
{
    value.amounts[month - 1][day - 1] = entry.amount;
    std::memcpy(value.memos[month - 1][day - 1], entry.memo, memo_size);
    value.day_off[month - 1][day - 1] = entry.day_off;
}

// The prints of what a value holds now (a value read with changes kept
// from a failed save has its files' prints).
LedgerYear printed(const LedgerYear& value)
{
    LedgerYear copy = value;
    take_prints(copy);
    return copy;
}

void drop_year(std::vector<UndoStep>& steps, int year)
{
    steps.erase(std::remove_if(steps.begin(), steps.end(), [year](const UndoStep& step) { return step.year == year; }),
                       steps.end());
}

bool same_stamps(const PartStamp* a, const PartStamp* b)
{
    for (int part = 0; part < ledger_part_count; ++part)
        if (!(a[part] == b[part])) return false;
    return true;
}
}  // namespace

UndoStep step_between(const LedgerYear& before, const LedgerYear& after, StepKind kind, int month, int day)
{
    UndoStep step = {};
    step.year = after.year;
    step.kind = kind;
    step.month = month;
    step.day = day;
    step.with_visits = visits_are_editable(before.status) && visits_are_editable(after.status);
    std::copy(after.stamps, after.stamps + ledger_part_count, step.stamps);
    const LedgerYear old_prints = printed(before), new_prints = printed(after);
    for (int m = 1; m <= ledger_months; ++m)
        for (int d = 1; d <= ledger_month_days; ++d) {
            const bool visits_changed =
                step.with_visits && old_prints.visit_prints[m - 1][d - 1] != new_prints.visit_prints[m - 1][d - 1];
            if (!visits_changed && old_prints.day_prints[m - 1][d - 1] == new_prints.day_prints[m - 1][d - 1]) continue;
            StepDay changed = {m, d, stored_day(before, m, d), stored_day(after, m, d), {}, {}};
            if (step.with_visits) {
                changed.visits_before = visits_of_day(before, m, d);
                changed.visits_after = visits_of_day(after, m, d);
            }
            step.days.push_back(std::move(changed));
        }
    return step;
}

bool save_year_step(const LedgerYear& value, StepKind kind, int month, int day, UndoStep& step, SaveReport* report,
                    const SaveChoices* choices)
{
    // The files as they are just before: the save may also write what a
    // failed save kept, or keep a day another program changed meanwhile.
    LedgerYear before, after;
    read_ledger_year(value.year, before);
    if (!save_ledger_year(value, report, choices)) return false;
    read_ledger_year(value.year, after);
    step = step_between(before, after, kind, month, day);
    return true;
}

void add_undo_step(UndoHistory& history, const UndoStep& step)
{
    history.redo.clear();
    history.undo.push_back(step);
    if (history.undo.size() > undo_steps_kept) history.undo.erase(history.undo.begin());
}

void apply_step(const UndoStep& step, bool back, LedgerYear& value)
{
    for (const StepDay& changed : step.days) {
        put_stored_day(value, changed.month, changed.day, back ? changed.before : changed.after);
        if (step.with_visits)
            replace_day_visits(value, changed.month, changed.day, back ? changed.visits_before : changed.visits_after);
    }
}

std::string step_caption(const UndoStep& step)
{
    if (step.kind == step_import) return std::to_string(step.year) + "年の読み込み";
    return std::to_string(step.month) + "/" + std::to_string(step.day) + " の入力";
}

StepOutcome take_step(UndoHistory& history, bool redo, SaveReport* report, const SaveChoices* choices,
                      YearStatus* status)
{
    std::vector<UndoStep>& from = redo ? history.redo : history.undo;
    std::vector<UndoStep>& to = redo ? history.undo : history.redo;
    if (from.empty()) return step_none;
    UndoStep step = from.back();
    LedgerYear value;
    if (!read_ledger_year(step.year, value, status)) return step_unreadable;
    // Another program wrote the year since: the step would undo its change
    // too, and every older step of the year rests on this one.
    if (!same_stamps(value.stamps, step.stamps)) {
        drop_year(history.undo, step.year);
        drop_year(history.redo, step.year);
        return step_changed_on_disk;
    }
    apply_step(step, !redo, value);
    if (!save_ledger_year(value, report, choices)) return step_not_saved;
    LedgerYear saved;
    read_ledger_year(step.year, saved);
    std::copy(saved.stamps, saved.stamps + ledger_part_count, step.stamps);
    from.pop_back();
    to.push_back(std::move(step));
    return step_taken;
}
