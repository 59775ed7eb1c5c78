#include "ledger/csv_export.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "calendar/dates.h"
#include "ledger/csv.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/platform.h"
#include "settings/program_folder.h"

namespace {
// 年月日,金額,メモ,合計,勝ち,負け,分け in Shift-JIS.
const char header[] =
    "\x94\x4E\x8C\x8E\x93\xFA,\x8B\xE0\x8A\x7A,\x83\x81\x83\x82,\x8D\x87\x8C\x76,\x8F\x9F\x82\xBF,\x95\x89\x82\xAF,"
    "\x95\xAA\x82\xAF\r\n";

// Zero-padded to `width` digits, as "%0*d" writes it.
void append_padded(std::string& text, int value, int width)
{
    char digits[24];
    char* end = std::to_chars(digits, digits + sizeof digits, value < 0 ? -static_cast<int64_t>(value) : value).ptr;
    if (value < 0) {
        text += '-';
        --width;
    }
    for (int pad = width - static_cast<int>(end - digits); pad > 0; --pad) text += '0';
    text.append(digits, end);
}
}  // namespace

std::string csv_folder() { return program_subfolder("CSV"); }

std::string csv_path(int year) { return csv_folder() + std::to_string(year) + ".csv"; }

std::string csv_text(int year, bool* unreadable)
{
    LedgerYear value;
    YearStatus status;
    read_ledger_year(year, value, &status);
    if (unreadable)
        *unreadable = status.parts[part_amounts] == part_unreadable || status.parts[part_memos] == part_unreadable;
    return csv_text_of(value);
}

std::string csv_text_of(const LedgerYear& value)
{
    const int year = value.year;
    const AmountTable& amounts = value.amounts;
    const MemoTable& memos = value.memos;
    std::string text = header;
    text.reserve(366 * 64);
    int64_t total = 0;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= days_in_month(year, month); ++day) {
            int32_t amount = amounts[month - 1][day - 1];
            DayResult result = day_result(amount);
            total += counted_amount(amount);
            append_padded(text, year, 4);
            text += '/';
            append_padded(text, month, 2);
            text += '/';
            append_padded(text, day, 2);
            text += ',';
            append_number(text, counted_amount(amount));
            text += ',';
            append_always_quoted(text, memos[month - 1][day - 1]);
            text += ',';
            append_number(text, total);
            text += result == result_win ? ",1" : ",0";
            text += result == result_loss ? ",1" : ",0";
            text += result == result_draw ? ",1\r\n" : ",0\r\n";
        }
    }
    return text;
}

bool export_csv(int year, bool* unreadable)
{
    // A year whose files could not be read is not written as an empty one.
    bool not_read = false;
    std::string text = csv_text(year, &not_read);
    if (unreadable) *unreadable = not_read;
    if (not_read) return false;
    make_directory(csv_folder().c_str());
    return replace_file(csv_path(year).c_str(), std::vector<unsigned char>(text.begin(), text.end()));
}
