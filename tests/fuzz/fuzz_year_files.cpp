// The three year files of any content, from memory: read, classify, sum,
// export, and the analysis's memo words.
#include <algorithm>
#include <cstring>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "analysis/analysis.h"
#include "ledger/csv_export.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input is cut into the three files in turn.
    static LedgerYear value;
    size_t first = size / 3, second = 2 * size / 3;
    part_from_bytes(value, part_amounts, data, first);
    part_from_bytes(value, part_memos, data + first, second - first);
    part_from_bytes(value, part_day_off, data + second, size - second);
    value.year = 2009;
    for (auto& month : value.memos)
        for (auto& memo : month)
            if (std::memchr(memo, 0, memo_size) == nullptr) std::abort();
    for (int month = 0; month < 12; ++month) month_summary(value, month);
    year_summary(value);
    csv_text_of(value);
    for (int part = 0; part < ledger_part_count; ++part) part_bytes(value, part);
    // The analysis takes a memo's first word even from a field without NUL.
    static MemoTable raw_memos;
    std::memcpy(raw_memos, data + first, std::min(second - first, sizeof raw_memos));
    char tag[memo_size];
    for (auto& month : raw_memos)
        for (auto& memo : month) memo_tag(memo, tag);
    for (int day = 1; day <= 31; ++day) kind_of_day(2009, 12, day, day_of(value, 12, day).day_off);
    return 0;
}
