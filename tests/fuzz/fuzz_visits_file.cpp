// Any bytes as a year's visits file: either visits or problems, never
// both; visits read whole are written back and read again as they were,
// and the analysis takes them.
#include <cstdlib>

#include "analysis/visit_analysis.h"
#include "ledger/visits.h"

namespace {
bool same(const Visit& a, const Visit& b)
{
    return a.month == b.month && a.day == b.day && a.category == b.category && a.place == b.place &&
           a.game == b.game && a.stake == b.stake && a.returned == b.returned && a.start == b.start &&
           a.end == b.end && a.note == b.note;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int year = 2009;
    const VisitsFile file = parse_visits_file(year, data, size);
    if (!file.visits.empty() && file.problem_count) std::abort();
    if (file.problem_count < static_cast<int>(file.problems.size())) std::abort();
    if (file.problem_count) return 0;
    const std::vector<unsigned char> bytes = visits_file_bytes(year, file.visits);
    const VisitsFile again = parse_visits_file(year, bytes.data(), bytes.size());
    if (again.problem_count || again.visits.size() != file.visits.size()) std::abort();
    for (size_t i = 0; i < file.visits.size(); ++i)
        if (!same(file.visits[i], again.visits[i]) || !visit_fault(file.visits[i]).empty()) std::abort();
    // A year cleared once: only its visits change, on played days (a visit
    // counts only on one).
    static LedgerYear value;
    static const bool cleared = (clear_ledger_year(value, year), true);
    (void)cleared;
    value.visits = file.visits;
    for (const Visit& visit : file.visits) value.amounts[visit.month - 1][visit.day - 1] = 1;
    VisitWalk walk;
    start_visit_walk(walk);
    add_year_visits(walk, value);
    VisitFigures figures;
    finish_visit_walk(walk, figures);
    if (figures.totals.visits != static_cast<int32_t>(file.visits.size())) std::abort();
    return 0;
}
