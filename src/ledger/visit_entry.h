// What the visits window offers and reads: the names entered before, and
// amounts and times as people type them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/visits.h"
#include "ledger/year_ledger.h"

// The names of each field (table_category, table_place, table_game) in
// the visits of `current` and of the years before it, newest first, each
// once: names that differ only in width are one, in their latest
// spelling. The categories end with the offered ones not entered yet.
struct RecentNames {
    std::vector<std::string> names[visit_table_count];
};
RecentNames recent_visit_names(const LedgerYear& current);

// The first of `names` that goes on from what was typed, the two compared
// folded (so ＡＢ completes ABCホール and AB ＡＢＣホール), or -1. `covered`
// gets the bytes of the name's start that stand for the typed text.
int completing_name(const std::vector<std::string>& names, const std::string& typed, size_t* covered);

// 投資 or 回収 as typed (UTF-8): whole yen, with or without separators,
// in either width; empty is 0. False outside 0..99,999,999.
bool read_typed_yen(const std::string& text, int32_t* amount);
// The same within 0..`most`.
bool read_typed_amount(const std::string& text, int32_t most, int32_t* amount);
// A time as typed, in either width: H:MM, HH:MM or nothing (no_time).
bool read_typed_time(const std::string& text, int* minutes);
