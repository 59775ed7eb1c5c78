#include "ledger/csv_export.h"

#include <cinttypes>
#include <cstdio>
#include <vector>

#include "calendar/dates.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/platform.h"
#include "settings/program_folder.h"

namespace {
// 年月日,金額,メモ,合計,勝ち,負け,分け in Shift-JIS.
const char header[] =
    "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82,\x8D\x87\x8C\x76,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,"
    "\x95\xAA\x82\xAF\r\n";

std::string csv_folder() { return program_subfolder("CSV"); }

// A memo in double quotes; a quote inside is doubled, so a memo can never
// break its row.
void append_quoted(std::string& text, const char* memo)
{
    text += '"';
    for (const char* p = memo; *p; ++p) {
        if (*p == '"') text += '"';
        text += *p;
    }
    text += '"';
}
}  // namespace

std::string csv_path(int year) { return csv_folder() + std::to_string(year) + ".csv"; }

std::string csv_text(int year)
{
    static AmountTable amounts;
    static MemoTable memos;
    load_amounts(year, amounts);
    load_memos(year, memos);

    std::string text = header;
    int64_t total = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= days_in_month(year, month); ++day) {
            int32_t amount = amounts[month - 1][day - 1];
            DayResult result = day_result(amount);
            total += counted_amount(amount);
            char part[96];
            std::snprintf(part, sizeof part, "%04d/%02d/%02d,%" PRId32 ",", year, month, day, counted_amount(amount));
            text += part;
            append_quoted(text, memos[month - 1][day - 1]);
            std::snprintf(part, sizeof part, ",%" PRId64 ",%d,%d,%d\r\n", total, result == result_win,
                          result == result_loss, result == result_draw);
            text += part;
        }
    }
    return text;
}

bool export_csv(int year)
{
    make_directory(csv_folder().c_str());
    std::string text = csv_text(year);
    return replace_file(csv_path(year).c_str(), std::vector<unsigned char>(text.begin(), text.end()));
}
