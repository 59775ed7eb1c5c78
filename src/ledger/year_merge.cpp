#include "ledger/year_merge.h"

#include <cstring>

namespace {
const uint64_t fnv_offset = 14695981039346656037ull, fnv_prime = 1099511628211ull;

uint64_t mix(uint64_t hash, const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * fnv_prime;
    return hash;
}

uint64_t mix_text(uint64_t hash, const std::string& text) { return mix(mix(hash, text.data(), text.size()), "", 1); }

uint64_t mix_number(uint64_t hash, int64_t number) { return mix(hash, &number, sizeof number); }

void table_prints(const LedgerYear& value, DayPrints& prints)
{
    for (int month = 0; month < ledger_months; ++month)
        for (int day = 0; day < ledger_month_days; ++day) {
            uint64_t hash = mix_number(fnv_offset, value.amounts[month][day]);
            hash = mix(hash, value.memos[month][day], memo_size);
            prints[month][day] = mix_number(hash, value.day_off[month][day]);
        }
}

void visit_prints(const LedgerYear& value, DayPrints& prints)
{
    for (auto& month : prints)
        for (uint64_t& print : month) print = fnv_offset;
    for (const Visit& visit : value.visits) {
        if (visit.month < 1 || visit.month > ledger_months || visit.day < 1 || visit.day > ledger_month_days) continue;
        uint64_t& hash = prints[visit.month - 1][visit.day - 1];
        for (const std::string* text : {&visit.category, &visit.place, &visit.game, &visit.note}) hash = mix_text(hash, *text);
        for (int64_t number : {int64_t{visit.stake}, int64_t{visit.returned}, int64_t{visit.start}, int64_t{visit.end}})
            hash = mix_number(hash, number);
    }
}

// Everything of a day: its table entries, and its visits when both sides
// could read theirs.
void copy_day(const LedgerYear& from, LedgerYear& to, int month, int day, bool with_visits)
{
    to.amounts[month - 1][day - 1] = from.amounts[month - 1][day - 1];
    std::memcpy(to.memos[month - 1][day - 1], from.memos[month - 1][day - 1], memo_size);
    to.day_off[month - 1][day - 1] = from.day_off[month - 1][day - 1];
    if (with_visits) replace_day_visits(to, month, day, visits_of_day(from, month, day));
}

DayConflict conflict_of(const LedgerYear& own, const LedgerYear& fresh, int month, int day)
{
    return DayConflict{own.year,
                       month,
                       day,
                       day_of(fresh, month, day),
                       day_of(own, month, day),
                       visits_of_day(fresh, month, day).size(),
                       visits_of_day(own, month, day).size()};
}
}  // namespace

PartStamp stamp_of(const unsigned char* data, size_t size)
{
    return PartStamp{data != nullptr, size, data ? mix(fnv_offset, data, size) : 0};
}

bool operator==(const PartStamp& a, const PartStamp& b)
{
    return a.present == b.present && a.size == b.size && a.hash == b.hash;
}

void take_prints(LedgerYear& value)
{
    table_prints(value, value.day_prints);
    visit_prints(value, value.visit_prints);
}

bool merge_own_days(const LedgerYear& own, LedgerYear& fresh, const SaveChoices* choices)
{
    DayPrints own_table, own_visits;
    table_prints(own, own_table);
    visit_prints(own, own_visits);
    const bool visits_go_in = visits_are_editable(fresh.status);
    // Visits count only where both sides could read theirs.
    const bool visits_compared = visits_are_editable(own.status) && visits_go_in;
    LedgerYear merged = fresh;
    for (int month = 1; month <= ledger_months; ++month)
        for (int day = 1; day <= ledger_month_days; ++day) {
            const int m = month - 1, d = day - 1;
            const bool visits_changed = own_visits[m][d] != own.visit_prints[m][d];
            if (visits_changed && !visits_go_in && visits_are_editable(own.status)) return false;
            const bool visits_differ = visits_compared && own_visits[m][d] != fresh.visit_prints[m][d];
            if (own_table[m][d] == own.day_prints[m][d] && !(visits_compared && visits_changed)) continue;
            if (own_table[m][d] == fresh.day_prints[m][d] && !visits_differ) continue;
            const bool theirs_changed = fresh.day_prints[m][d] != own.day_prints[m][d] ||
                                        (visits_compared && fresh.visit_prints[m][d] != own.visit_prints[m][d]);
            const bool keep_mine =
                !theirs_changed || !choices || choices->keep_mine(conflict_of(own, fresh, month, day), choices->context);
            if (keep_mine) copy_day(own, merged, month, day, visits_compared);
            if (theirs_changed && !choices) {
                merged.day_prints[m][d] = own.day_prints[m][d];
                merged.visit_prints[m][d] = own.visit_prints[m][d];
            }
        }
    fresh = std::move(merged);
    return true;
}
