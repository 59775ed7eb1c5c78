// The three year files of any content: load, classify, sum, analyse,
// export, save.
#include <algorithm>
#include <cstring>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "fuzz/fuzz_folder.h"
#include "ledger/analysis.h"
#include "ledger/csv_export.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input is cut into the three files in turn.
    size_t first = size / 3, second = 2 * size / 3;
    write_fuzz_file("2009.dat", data, first);
    write_fuzz_file("2009m.dat", data + first, second - first);
    write_fuzz_file("2009h.dat", data + second, size - second);
    load_year(2009);
    for (auto& month : ledger_memos())
        for (auto& memo : month)
            if (std::memchr(memo, 0, memo_size) == nullptr) std::abort();
    year_summary();
    all_years_summary(2009);
    csv_text(2009);
    static BalanceAnalysis analysis;
    analyse_period(all_years_period, analysis);
    analysis_csv_text(analysis);
    static MemoTable raw_memos;  // fields as they came, NUL or not
    std::memcpy(raw_memos, data + first, std::min(second - first, sizeof raw_memos));
    analyse_year(2009, ledger_amounts(), raw_memos, analysis);
    for (int day = 1; day <= 31; ++day) day_kind(2009, 12, day, 2);
    if (!save_year(2009)) std::abort();
    return 0;
}
