// The three year files of any content, from memory: read, classify, sum,
// export.
#include <cstring>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "ledger/csv_export.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input is cut into the three files in turn.
    size_t first = size / 3, second = 2 * size / 3;
    amounts_from_bytes(ledger_amounts(), data, first);
    memos_from_bytes(ledger_memos(), data + first, second - first);
    day_off_from_bytes(ledger_day_off(), data + second, size - second);
    for (auto& month : ledger_memos())
        for (auto& memo : month)
            if (std::memchr(memo, 0, memo_size) == nullptr) std::abort();
    for (int month = 0; month < 12; ++month) month_summary(month);
    year_summary();
    csv_text_of(2009, ledger_amounts(), ledger_memos());
    for (int day = 1; day <= 31; ++day) day_kind(2009, 12, day, 2);
    return 0;
}
