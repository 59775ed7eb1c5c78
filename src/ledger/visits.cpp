#include "ledger/visits.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <utility>

#include "calendar/dates.h"
#include "ledger/csv.h"
#include "ledger/csv_forms.h"
#include "platform/text_convert.h"

const char* const offered_categories[offered_category_count] = {"パチンコ", "スロット",     "競馬", "競輪",
                                                                "競艇",     "オートレース", "麻雀", "その他"};

namespace {
enum { column_date, column_category, column_place, column_game, column_stake, column_return, column_start,
       column_end, column_note, visit_columns };
enum { problems_kept = 10 };

const char header[] = "日付,種別,場所,機種,投資,回収,開始,終了,メモ";

struct TextField {
    int column;
    const char* name;
    size_t max_chars;
    std::string Visit::*member;
};
const TextField text_fields[] = {
    {column_category, "種別", category_max_chars, &Visit::category},
    {column_place, "場所", place_max_chars, &Visit::place},
    {column_game, "機種", game_max_chars, &Visit::game},
    {column_note, "メモ", note_max_chars, &Visit::note},
};

std::string two_digits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

struct VisitsParse {
    int year;
    bool utf8;
    bool header_possible;
    VisitsFile result;
};

void add_problem(VisitsParse& parse, int line, const std::string& text)
{
    ++parse.result.problem_count;
    if (parse.result.problems.size() < problems_kept)
        parse.result.problems.push_back(std::to_string(line) + "行目: " + text);
}

std::string as_utf8(const VisitsParse& parse, const std::string& field)
{
    return parse.utf8 ? field : sjis_to_utf8(field.data(), field.size());
}

// A field as a message shows it, cut to about 24 bytes.
std::string shown(const std::string& field)
{
    if (field.size() <= 24) return field;
    size_t cut = 24;
    while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) --cut;
    return field.substr(0, cut) + "…";
}

bool read_date(VisitsParse& parse, int line, const std::string& field, Visit& visit)
{
    CsvDate date;
    // ASCII reads the same in either encoding, and most dates are ASCII.
    const bool ascii = std::all_of(field.begin(), field.end(), [](char c) { return (c & 0x80) == 0; });
    const std::string sjis = parse.utf8 && !ascii ? utf8_to_sjis(field.data(), field.size()) : field;
    if (!read_csv_date(sjis, &date)) {
        add_problem(parse, line, "日付「" + shown(as_utf8(parse, field)) + "」が読めません。");
        return false;
    }
    const int year = full_year_of(date, parse.year);
    const bool in_year = year == parse.year;
    if (!in_year || date.month < 1 || date.month > 12 || date.day < 1 || date.day > days_in_month(year, date.month)) {
        const std::string text = std::to_string(year) + "/" + two_digits(date.month) + "/" + two_digits(date.day);
        add_problem(parse, line, in_year ? text + " はありません。" : text + " は" + std::to_string(parse.year) + "年の日付ではありません。");
        return false;
    }
    visit.month = date.month;
    visit.day = date.day;
    return true;
}

bool read_money(VisitsParse& parse, int line, const char* name, const std::string& field, int32_t* amount)
{
    if (read_csv_amount(field, parse.utf8, amount) == amount_read && *amount >= 0 && *amount <= visit_amount_max)
        return true;
    add_problem(parse, line,
                std::string(name) + "「" + shown(as_utf8(parse, field)) + "」が 0 から 99,999,999 の整数ではありません。");
    return false;
}

bool read_clock(VisitsParse& parse, int line, const char* name, const std::string& field, int* minutes)
{
    if (read_time(field, minutes)) return true;
    add_problem(parse, line, std::string(name) + "「" + shown(as_utf8(parse, field)) + "」が時刻ではありません。");
    return false;
}

bool is_header(const VisitsParse& parse, const std::string& first_field)
{
    return as_utf8(parse, first_field) == "日付" || first_field == "date" || first_field == "Date";
}

void take_record(VisitsParse& parse, const CsvRecord& record)
{
    const bool first = parse.header_possible;
    parse.header_possible = false;
    const int line = record.line;
    if (record.unclosed) return add_problem(parse, record.quote_line, "引用符が閉じていません。");
    Visit visit = {0, 0, {}, {}, {}, 0, 0, no_time, no_time, {}};
    const std::string date_field = trimmed_field(record.fields[column_date]);
    if (first && is_header(parse, date_field)) return;
    bool whole = read_date(parse, line, date_field, visit);
    for (const TextField& field : text_fields) {
        std::string text = trimmed_field(record.fields[static_cast<size_t>(field.column)]);
        if (!parse.utf8) text = sjis_to_utf8(text.data(), text.size());
        if (character_count(text) > field.max_chars) {
            add_problem(parse, line, std::string(field.name) + "が " + std::to_string(field.max_chars) + " 文字を超えています。");
            whole = false;
        }
        // A zero byte written back would make the file read as UTF-16.
        if (text.find('\0') != std::string::npos) {
            add_problem(parse, line, std::string(field.name) + "に NUL 文字があります。");
            whole = false;
        }
        visit.*field.member = std::move(text);
    }
    if (visit.note.find_first_of("\r\n") != std::string::npos) {
        add_problem(parse, line, "メモに改行があります。");
        whole = false;
    }
    whole = read_money(parse, line, "投資", record.fields[column_stake], &visit.stake) && whole;
    whole = read_money(parse, line, "回収", record.fields[column_return], &visit.returned) && whole;
    whole = read_clock(parse, line, "開始", record.fields[column_start], &visit.start) && whole;
    whole = read_clock(parse, line, "終了", record.fields[column_end], &visit.end) && whole;
    if (whole && parse.result.problem_count == 0) parse.result.visits.push_back(std::move(visit));
}

}  // namespace

const std::string& visit_field(const Visit& visit, int table)
{
    return table == table_category ? visit.category : table == table_place ? visit.place : visit.game;
}

int32_t visit_balance(const Visit& visit) { return visit.returned - visit.stake; }

int visit_minutes(const Visit& visit)
{
    if (visit.start == no_time || visit.end == no_time) return -1;
    return visit.end >= visit.start ? visit.end - visit.start : visit.end + 24 * 60 - visit.start;
}

size_t character_count(const std::string& text)
{
    size_t count = 0;
    for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
    return count;
}

std::string visit_fault(const Visit& visit)
{
    for (const TextField& field : text_fields)
        if (character_count(visit.*field.member) > field.max_chars)
            return std::string(field.name) + "は " + std::to_string(field.max_chars) + " 文字までです。";
    if (visit.note.find_first_of("\r\n") != std::string::npos) return "メモは 1 行です。";
    if (visit.stake < 0 || visit.stake > visit_amount_max || visit.returned < 0 || visit.returned > visit_amount_max)
        return "投資と回収は 0 から 99,999,999 円までです。";
    return std::string();
}

std::string time_text(int minutes)
{
    if (minutes < 0) return std::string();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60 % 100, minutes % 60);
    return text;
}

bool read_time(const std::string& text, int* minutes)
{
    std::string plain = trimmed_field(text);
    *minutes = no_time;
    if (plain.empty()) return true;
    // A spreadsheet writes its times with seconds: 10:00:00.
    const size_t seconds = plain.rfind(':');
    if (seconds != plain.find(':')) {
        if (plain.size() != seconds + 3 || !std::isdigit(static_cast<unsigned char>(plain[seconds + 1])) ||
            !std::isdigit(static_cast<unsigned char>(plain[seconds + 2])) || plain[seconds + 1] > '5')
            return false;
        plain.resize(seconds);
    }
    // "930" and "1000" typed without the colon: the last two digits are the minutes.
    if ((plain.size() == 3 || plain.size() == 4) && plain.find_first_not_of("0123456789") == std::string::npos)
        plain.insert(plain.size() - 2, ":");
    const size_t colon = plain.find(':');
    if (colon == std::string::npos || colon == 0 || colon > 2 || plain.size() != colon + 3) return false;
    int hours = 0, mins = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (i == colon) continue;
        if (plain[i] < '0' || plain[i] > '9') return false;
        int& part = i < colon ? hours : mins;
        part = part * 10 + (plain[i] - '0');
    }
    if (hours > 23 || mins > 59) return false;
    *minutes = hours * 60 + mins;
    return true;
}

std::vector<unsigned char> visits_file_bytes(int year, const std::vector<Visit>& visits)
{
    std::string text = "\xEF\xBB\xBF";
    text += header;
    text += "\r\n";
    for (const Visit& visit : visits) {
        text += std::to_string(year) + "/" + two_digits(visit.month) + "/" + two_digits(visit.day) + ",";
        for (const std::string* field : {&visit.category, &visit.place, &visit.game}) {
            append_quoted_when_needed(text, *field);
            text += ',';
        }
        append_number(text, visit.stake);
        text += ',';
        append_number(text, visit.returned);
        text += "," + time_text(visit.start) + "," + time_text(visit.end) + ",";
        append_quoted_when_needed(text, visit.note);
        text += "\r\n";
    }
    return std::vector<unsigned char>(text.begin(), text.end());
}

VisitsFile parse_visits_file(int year, const unsigned char* data, size_t size)
{
    VisitsParse parse = {year, false, true, VisitsFile()};
    size_t start = 0;
    parse.utf8 = csv_encoding(data, size, &start) == csv_utf8;
    parse.result.visits.reserve(static_cast<size_t>(std::count(data, data + size, '\n')));
    if (read_csv_records(data, size, visit_columns, [&](const CsvRecord& record) { take_record(parse, record); }) ==
        csv_utf16) {
        parse.result.problems.push_back("UTF-16 のファイルは読めません。UTF-8 か Shift-JIS で保存してください。");
        parse.result.problem_count = 1;
        return std::move(parse.result);
    }
    if (parse.result.problem_count) parse.result.visits.clear();
    // By date, each day's visits in the order they came.
    const auto earlier = [](const Visit& a, const Visit& b) { return a.month * 32 + a.day < b.month * 32 + b.day; };
    if (!std::is_sorted(parse.result.visits.begin(), parse.result.visits.end(), earlier))
        std::stable_sort(parse.result.visits.begin(), parse.result.visits.end(), earlier);
    return std::move(parse.result);
}
