#include "ledger/visit_entry.h"

#include <algorithm>

#include "ledger/csv_forms.h"
#include "ledger/name_folding.h"
#include "platform/platform.h"

namespace {
struct NameList {
    std::vector<std::string> names;
    std::vector<std::string> keys;
};

void offer(NameList& list, const std::string& name)
{
    const std::string key = folded_name(name);
    if (key.empty() || std::find(list.keys.begin(), list.keys.end(), key) != list.keys.end()) return;
    list.keys.push_back(key);
    list.names.push_back(name);
}

// A year's visits are by date: the latest entered is the last.
void offer_year(NameList (&lists)[visit_table_count], const LedgerYear& value)
{
    for (auto visit = value.visits.rbegin(); visit != value.visits.rend(); ++visit)
        for (int table = 0; table < visit_table_count; ++table) offer(lists[table], visit_field(*visit, table));
}
}  // namespace

RecentNames recent_visit_names(const LedgerYear& current)
{
    NameList lists[visit_table_count];
    offer_year(lists, current);
    LedgerYear earlier;
    for (int year = current.year - 1; year >= first_ledger_year; --year) {
        if (!path_exists(ledger_part_path(year, part_visits).c_str())) continue;
        read_ledger_year(year, earlier);
        offer_year(lists, earlier);
    }
    for (const char* category : offered_categories) offer(lists[table_category], category);
    RecentNames recent;
    for (int table = 0; table < visit_table_count; ++table) recent.names[table] = lists[table].names;
    return recent;
}

namespace {
// The longest start of `name`, on a character boundary, whose folded form
// is `folded`; 0 for none.
size_t folded_start(const std::string& name, const std::string& folded)
{
    size_t covered = 0;
    for (size_t end = 1; end <= name.size(); ++end) {
        if (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) continue;
        const std::string start = folded_name(name.substr(0, end));
        if (start == folded) covered = end;
        else if (start.size() > folded.size()) break;
    }
    return covered;
}
}  // namespace

int completing_name(const std::vector<std::string>& names, const std::string& typed, size_t* covered)
{
    const std::string folded = folded_name(typed);
    if (folded.empty()) return -1;
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t start = folded_start(names[i], folded);
        if (start == 0 || start >= names[i].size()) continue;
        *covered = start;
        return static_cast<int>(i);
    }
    return -1;
}

bool read_typed_yen(const std::string& text, int32_t* amount) { return read_typed_amount(text, visit_amount_max, amount); }

bool read_typed_amount(const std::string& text, int32_t most, int32_t* amount)
{
    const std::string plain = folded_name(text);
    *amount = 0;
    if (plain.empty()) return true;
    if (plain.find_first_not_of("0123456789,") != std::string::npos) return false;
    return read_csv_amount(plain, true, amount) == amount_read && *amount >= 0 && *amount <= most;
}

bool read_typed_time(const std::string& text, int* minutes) { return read_time(folded_name(text), minutes); }
