#include "ledger/csv_import.h"

#include <cstdio>
#include <cstring>

#include "calendar/dates.h"
#include "ledger/csv.h"
#include "ledger/csv_forms.h"
#include "ledger/csv_export.h"
#include "ledger/results.h"
#include "platform/shift_jis.h"
#include "platform/text_convert.h"

namespace {
enum { column_date, column_amount, column_memo, column_draw = 6, columns_read = 7 };
// Enough of a field to recognise it in a message.
enum { shown_field_bytes = 24 };

// The program's header names the date column 年月日; spreadsheets and
// people also write 日付 or date.
bool is_header(const std::string& first_field)
{
    const char* const names[] = {"\x94\x4E\x8C\x8E\x93\xFA", "年月日", "\x93\xFA\x95\x74", "日付"};
    for (const char* name : names)
        if (first_field == name) return true;
    std::string lower = first_field;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return lower == "date";
}

// A field as a message shows it: UTF-8, at most about 24 bytes.
std::string shown_field(const std::string& field, bool utf8)
{
    std::string shown;
    const unsigned char* text = reinterpret_cast<const unsigned char*>(field.data());
    size_t position = 0;
    if (utf8) {
        while (position < field.size() && shown.size() < shown_field_bytes) {
            size_t length = utf8_character_length(text + position, field.size() - position);
            shown += length ? field.substr(position, length) : std::string("?");
            position += length ? length : 1;
        }
    } else {
        position = sjis_cut_length(field.c_str(), shown_field_bytes);
        shown = sjis_to_utf8(field.data(), position);
    }
    if (position < field.size()) shown += "…";
    return shown;
}

void add_problem(CsvImport& result, int line, const std::string& text)
{
    ++result.problem_count;
    if (result.problems.size() >= import_problems_kept) return;
    char prefix[32] = "";
    if (line > 0) std::snprintf(prefix, sizeof prefix, "%d行目: ", line);
    result.problems.push_back(ImportProblem{line, prefix + text});
}

std::string date_text(const CsvDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

ImportedDay imported_day(const CsvDate& date, int32_t amount, const CsvRecord& record, bool utf8)
{
    ImportedDay day = {date.month, date.day, amount, {}, false};
    // Only an empty day marked as a draw is one; any other amount is kept.
    if (amount == 0 && trimmed_field(record.fields[column_draw]) == "1") day.amount = -1;
    const std::string& memo = record.fields[column_memo];
    std::string sjis = utf8 ? utf8_to_sjis(memo.data(), memo.size()) : memo;
    day.memo_cut = sjis_cut_length(sjis.c_str(), memo_max_bytes) < sjis.size();
    copy_sjis_cut(day.memo, sjis.c_str(), memo_max_bytes);
    return day;
}

struct ParseState {
    CsvImport result;
    bool utf8;
    bool header_possible;
    bool day_named[ledger_months][ledger_month_days];
};

// Checks one record; a record may be the header only when it comes first.
void take_record(ParseState& state, const CsvRecord& record)
{
    CsvImport& result = state.result;
    int line = record.line;
    bool first = state.header_possible;
    state.header_possible = false;
    if (record.unclosed) return add_problem(result, record.quote_line, "引用符が閉じていません。");
    std::string date_field = trimmed_field(record.fields[column_date]);
    CsvDate date;
    const std::string sjis_date = state.utf8 ? utf8_to_sjis(date_field.data(), date_field.size()) : date_field;
    if (!read_csv_date(sjis_date, &date)) {
        if (first && is_header(date_field)) return;
        return add_problem(result, line, "日付「" + shown_field(date_field, state.utf8) + "」が読めません。");
    }
    // A spreadsheet may drop the year, or keep two digits of it.
    date.year = full_year_of(date, result.year);
    if (date.year != result.year)
        return add_problem(result, line, date_text(date) + " は" + std::to_string(result.year) + "年の日付ではありません。");
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > days_in_month(date.year, date.month))
        return add_problem(result, line, date_text(date) + " はありません。");
    bool& seen = state.day_named[date.month - 1][date.day - 1];
    if (seen) return add_problem(result, line, date_text(date) + " が2回あります。");
    seen = true;
    std::string amount_field = trimmed_field(record.fields[column_amount]);
    int32_t amount = 0;
    AmountCheck check = read_csv_amount(amount_field, state.utf8, &amount);
    if (check != amount_read) {
        const char* why = check == amount_not_whole ? "が整数ではありません。" : "が大きすぎます。";
        return add_problem(result, line, "金額「" + shown_field(amount_field, state.utf8) + "」" + why);
    }
    if (result.problem_count) return;  // the days are of no use any more
    result.days.push_back(imported_day(date, amount, record, state.utf8));
    result.memos_cut += result.days.back().memo_cut;
}
}  // namespace

CsvImport parse_year_csv(int year, const unsigned char* data, size_t size)
{
    ParseState state = {};
    state.result.year = year;
    state.header_possible = true;
    size_t text_start = 0;
    state.utf8 = csv_encoding(data, size, &text_start) == csv_utf8;
    if (read_csv_records(data, size, columns_read, [&](const CsvRecord& record) { take_record(state, record); }) ==
        csv_utf16) {
        add_problem(state.result, 0, "UTF-16 のファイルは読めません。Shift-JIS か UTF-8 で保存してください。");
        return state.result;
    }

    CsvImport& result = state.result;
    if (result.days.empty() && result.problems.empty()) add_problem(result, 0, "日付の行がありません。");
    if (!result.problems.empty()) {
        result.days.clear();
        result.memos_cut = 0;
    }
    return result;
}

CsvFileStatus read_year_csv(int year, CsvImport* parsed)
{
    // A year's file is under 40 KB: anything far larger is no such file,
    // and reading it all would only keep the window waiting.
    std::vector<unsigned char> content(csv_import_limit + 1);
    size_t size = 0;
    bool unreadable = false;
    if (!read_file_start(csv_path(year).c_str(), content.data(), content.size(), &size, &unreadable))
        return unreadable ? csv_file_unreadable : csv_file_missing;
    if (unreadable) return csv_file_unreadable;
    if (size > csv_import_limit) return csv_file_too_large;
    *parsed = parse_year_csv(year, content.data(), size);
    return csv_file_read;
}

ImportOutcome apply_year_csv(const CsvImport& parsed)
{
    ImportOutcome outcome = {import_refused, BackupResult{backup_nothing_to_copy, std::string(), file_fine}, SaveReport(), {}, 0, 0, 0, {}};
    if (!parsed.problems.empty() || parsed.days.empty() || parsed.year < first_ledger_year) return outcome;
    // Never applied to a year read as zeros: saved, they would wipe it.
    LedgerYear value;
    if (!read_ledger_year(parsed.year, value, &outcome.year_status)) {
        outcome.status = import_unreadable;
        return outcome;
    }
    LocalTime now;
    local_time_now(&now);
    outcome.backup = back_up_year_anew(parsed.year, now);
    if (backup_failed(outcome.backup.status)) {
        outcome.status = import_no_backup;
        return outcome;
    }
    for (const ImportedDay& day : parsed.days) {
        // The export writes every draw as 0 with its mark: a day that is a
        // draw already keeps its own amount, so an unchanged file read back
        // changes nothing.
        int32_t& amount = value.amounts[day.month - 1][day.day - 1];
        if (day.amount != -1 || day_result(amount) != result_draw) amount = day.amount;
        // The whole field is cleared, as the day entry does.
        char* memo = value.memos[day.month - 1][day.day - 1];
        if (std::strcmp(memo, day.memo) == 0) continue;
        // A memo the spreadsheet took for a number or a date stays as it was.
        if (spreadsheet_rewrote(memo, day.memo)) {
            ++outcome.memos_kept;
            continue;
        }
        std::memset(memo, 0, memo_size);
        std::memcpy(memo, day.memo, std::strlen(day.memo));
    }
    outcome.days_read = static_cast<int>(parsed.days.size());
    outcome.memos_cut = parsed.memos_cut;
    outcome.status =
        save_year_step(value, step_import, 0, 0, outcome.step, &outcome.failure) ? import_saved : import_not_saved;
    return outcome;
}

int memos_a_spreadsheet_changed(const CsvImport& parsed)
{
    LedgerYear value;
    read_ledger_year(parsed.year, value);
    int count = 0;
    for (const ImportedDay& day : parsed.days)
        count += spreadsheet_rewrote(value.memos[day.month - 1][day.day - 1], day.memo);
    return count;
}
