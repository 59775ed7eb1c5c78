// Any bytes as a year's CSV file: either clean days of that year or a list
// of problems, never both, never neither.
#include <cstdlib>
#include <cstring>

#include "calendar/dates.h"
#include "ledger/csv_forms.h"
#include "ledger/csv_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int year = 2008;
    CsvImport parsed = parse_year_csv(year, data, size);
    if (parsed.days.empty() == parsed.problems.empty()) std::abort();
    int kept = static_cast<int>(parsed.problems.size());
    if (kept > import_problems_kept || parsed.problem_count < kept) std::abort();
    for (const ImportProblem& problem : parsed.problems)
        if (problem.line < 0 || problem.message.empty()) std::abort();
    bool seen[12][31] = {};
    int cut = 0;
    for (const ImportedDay& day : parsed.days) {
        if (day.month < 1 || day.month > 12 || day.day < 1 || day.day > days_in_month(year, day.month)) std::abort();
        if (seen[day.month - 1][day.day - 1]) std::abort();
        seen[day.month - 1][day.day - 1] = true;
        if (std::memchr(day.memo, 0, memo_size) == nullptr) std::abort();
        cut += day.memo_cut;
    }
    if (cut != parsed.memos_cut) std::abort();
    // Each memo against the next, as stored against as a spreadsheet wrote.
    for (size_t i = 1; i < parsed.days.size(); ++i) spreadsheet_rewrote(parsed.days[i - 1].memo, parsed.days[i].memo);
    return 0;
}
