// A year changed by this program and, meanwhile, by another (a spreadsheet,
// a copy from another PC, a sync folder, a restore from a backup): each
// day this program changed goes onto the files as they are now, every
// other day stays as the files have it.
#pragma once
#include <cstddef>

#include "ledger/year_ledger.h"

// The stamp of a file's bytes (or of a missing file: null data).
PartStamp stamp_of(const unsigned char* data, size_t size);
// The value's days as they are become its base: a day that differs from
// its print later was changed since.
void take_prints(LedgerYear& value);

// Puts the days `own` changed since it was read into `fresh`, the year as
// its files hold it now. A day changed on both sides goes by `choices`;
// without them `own`'s day is kept and keeps its old print, so a later
// save still asks. False, with `fresh` as it was, when a changed day's
// visits cannot go in because the fresh visits file cannot be read.
bool merge_own_days(const LedgerYear& own, LedgerYear& fresh, const SaveChoices* choices);
