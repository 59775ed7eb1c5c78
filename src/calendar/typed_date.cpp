#include "calendar/typed_date.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "calendar/dates.h"

namespace {
// Full-width digits, letters and the signs between the numbers (０-９,
// Ｒ, ／, ．, －) read as their half-width forms; a space counts as none.
std::string narrowed(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // U+FF01..FF5E: EF BC 81..BF, EF BD 80..9E.
        if (c == 0xEF && i + 2 < text.size() && (text[i + 1] == '\xBC' || text[i + 1] == '\xBD')) {
            const int code = 0xFF00 + ((static_cast<unsigned char>(text[i + 1]) & 0x03) << 6) +
                             (static_cast<unsigned char>(text[i + 2]) & 0x3F);
            if (code >= 0xFF01 && code <= 0xFF5E) {
                plain += static_cast<char>(code - 0xFEE0);
                i += 2;
                continue;
            }
        }
        if (c != ' ') plain += static_cast<char>(c);
    }
    return plain;
}

struct Era {
    const char* name;  // UTF-8
    char letter;
    int year_before_first;
};
const Era eras[] = {{"令和", 'R', 2018}, {"平成", 'H', 1988}, {"昭和", 'S', 1925}};

bool starts_with(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

// The numbers of the text, in order; false when anything else stands
// between them than the separators a date is written with.
bool numbers_of(const std::string& text, std::vector<int>* numbers, std::vector<size_t>* lengths)
{
    static const char* const separators[] = {"/", "-", ".", "年", "月", "日"};
    for (size_t i = 0; i < text.size();) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            size_t end = i;
            int value = 0;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])) && end - i < 9)
                value = value * 10 + (text[end++] - '0');
            numbers->push_back(value);
            lengths->push_back(end - i);
            i = end;
            continue;
        }
        bool separator = false;
        for (const char* mark : separators)
            if (text.compare(i, std::string(mark).size(), mark) == 0) {
                i += std::string(mark).size();
                separator = true;
                break;
            }
        if (!separator) return false;
    }
    return true;
}

// The year an era gives, and the text after its name: 0 when there is none.
int era_year(std::string& text)
{
    for (const Era& era : eras) {
        std::string rest;
        if (starts_with(text, era.name))
            rest = text.substr(std::string(era.name).size());
        else if (!text.empty() && std::toupper(static_cast<unsigned char>(text[0])) == era.letter)
            rest = text.substr(1);
        else
            continue;
        // 元年: the era's first year.
        if (starts_with(rest, "元")) rest = "1" + rest.substr(std::string("元").size());
        text = rest;
        return era.year_before_first;
    }
    return 0;
}

bool date_of(const std::vector<int>& n, const std::vector<size_t>& lengths, int era_base, int this_year, TypedDate* date)
{
    if (era_base) {
        if (n.size() != 3 || n[0] == 0) return false;
        *date = TypedDate{era_base + n[0], n[1], n[2]};
        return true;
    }
    if (n.size() == 1 && lengths[0] == 8) {
        *date = TypedDate{n[0] / 10000, n[0] / 100 % 100, n[0] % 100};
        return true;
    }
    if (n.size() == 2) {
        *date = TypedDate{this_year, n[0], n[1]};
        return true;
    }
    if (n.size() == 3 && lengths[0] == 4) {
        *date = TypedDate{n[0], n[1], n[2]};
        return true;
    }
    return false;
}
}  // namespace

bool read_typed_date(const std::string& text, int this_year, TypedDate* date, std::string* fault)
{
    std::string plain = narrowed(text);
    const int era_base = era_year(plain);
    std::vector<int> numbers;
    std::vector<size_t> lengths;
    if (!numbers_of(plain, &numbers, &lengths) || !date_of(numbers, lengths, era_base, this_year, date)) {
        *fault = "日付として読めません。2009/12/6、12/6、20091206、R7.12.6、令和7年12月6日のように入力してください。";
        return false;
    }
    if (date->year < first_calendar_year || date->year > last_calendar_year) {
        *fault = std::to_string(first_calendar_year) + "年から" + std::to_string(last_calendar_year) +
                 "年までの日付を入力してください。";
        return false;
    }
    if (date->month < 1 || date->month > 12 || date->day < 1 || date->day > days_in_month(date->year, date->month)) {
        *fault = std::to_string(date->year) + "年" + std::to_string(date->month) + "月" + std::to_string(date->day) +
                 "日はありません。";
        return false;
    }
    return true;
}
