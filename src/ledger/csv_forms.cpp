#include "ledger/csv_forms.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// 年, 月 and 日 in Shift-JIS.
const char year_mark[] = "\x94\x4E", month_mark[] = "\x8C\x8E", day_mark[] = "\x93\xFA";

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The words of a date: runs of digits or of letters; anything else
// separates them. Empty when the text holds anything but digits, letters,
// spaces and the separators / - . ,
std::vector<std::string> date_words(const std::string& text)
{
    std::vector<std::string> words;
    for (size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (is_digit(c) || is_letter(c)) {
            size_t end = at;
            while (end < text.size() && (is_digit(c) ? is_digit(text[end]) : is_letter(text[end]))) ++end;
            words.push_back(text.substr(at, end - at));
            at = end;
        } else if (std::strchr(" /-.,", c)) {
            ++at;
        } else {
            return std::vector<std::string>();
        }
    }
    return words;
}

// Jan..Dec, whole or in three letters; 0 for any other word.
int month_named(const std::string& word)
{
    static const char* const names[12] = {"january", "february", "march",     "april",   "may",      "june",
                                          "july",    "august",   "september", "october", "november", "december"};
    std::string name;
    for (char c : word) name += lower(c);
    if (name.size() < 3) return 0;
    for (int month = 0; month < 12; ++month)
        if (std::strncmp(names[month], name.c_str(), name.size()) == 0 && (name.size() == 3 || name == names[month]))
            return month + 1;
    return 0;
}

bool number_word(const std::string& word, size_t max_digits, int* value)
{
    if (word.empty() || word.size() > max_digits || !is_digit(word[0])) return false;
    *value = 0;
    for (char c : word) *value = *value * 10 + (c - '0');
    return true;
}

bool set_year(const std::string& word, CsvDate* date)
{
    if (word.size() != 2 && word.size() != 4) return false;
    date->two_digit_year = word.size() == 2;
    return number_word(word, 4, &date->year);
}

// Jan 04, 4-Jan, 04-Jan-09, January 4, 2009: the day, then the year.
bool english_date(const std::vector<std::string>& words, CsvDate* date)
{
    std::vector<std::string> numbers;
    for (const std::string& word : words) {
        if (!is_digit(word[0])) {
            if (date->month || !(date->month = month_named(word))) return false;
        } else {
            numbers.push_back(word);
        }
    }
    if (numbers.empty() || numbers.size() > 2 || !number_word(numbers[0], 2, &date->day)) return false;
    return numbers.size() == 1 || set_year(numbers[1], date);
}

// Y/M/D or M/D, as Japanese dates run.
bool numeric_date(const std::vector<std::string>& words, CsvDate* date)
{
    size_t at = 0;
    if (words.size() == 3 && !set_year(words[at++], date)) return false;
    if (words.size() - at != 2) return false;
    return number_word(words[at], 2, &date->month) && number_word(words[at + 1], 2, &date->day);
}

// A comma after a digit with three digits after it, then the end or the
// next comma.
bool separates_thousands(const std::string& text, size_t at)
{
    if (at == 0 || !is_digit(text[at - 1])) return false;
    for (size_t i = at + 1; i <= at + 3; ++i)
        if (i >= text.size() || !is_digit(text[i])) return false;
    return at + 4 == text.size() || text[at + 4] == ',';
}

// Without a time of day after the date ("2009/1/4 0:00").
std::string without_time(const std::string& text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return text;
    const size_t space = text.rfind(' ', colon);
    return space == std::string::npos ? text : trimmed(text.substr(0, space));
}

// A number as a spreadsheet writes it back: no sign but a minus, no
// leading zeros, no separators, no exponent, no trailing zeros after the
// point. Empty for text that is no number to a spreadsheet: digits (with
// commas between them), a point, an exponent.
std::string spreadsheet_number(const std::string& text)
{
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) ++at;
    std::string digits;
    long exponent = 0;
    bool point = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (is_digit(c)) {
            digits += c;
            exponent -= point ? 1 : 0;
        } else if (c == ',' && !point && !digits.empty() && at + 1 < text.size() && is_digit(text[at + 1])) {
            continue;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::string();
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        const bool down = at + 1 < text.size() && text[at + 1] == '-';
        at += at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-') ? 2 : 1;
        if (at >= text.size()) return std::string();
        long power = 0;
        for (; at < text.size() && is_digit(text[at]) && power < 100; ++at) power = power * 10 + (text[at] - '0');
        exponent += down ? -power : power;
    }
    if (at != text.size()) return std::string();
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    // Beyond 15 digits a spreadsheet writes another form: left alone.
    if (digits.empty()) return "0";
    if (static_cast<long>(digits.size()) + (exponent > 0 ? exponent : 0) > 15 || exponent < -15) return std::string();
    if (exponent >= 0) digits.append(static_cast<size_t>(exponent), '0');
    else if (static_cast<long>(digits.size()) <= -exponent)
        digits = "0." + std::string(static_cast<size_t>(-exponent) - digits.size(), '0') + digits;
    else
        digits.insert(digits.size() - static_cast<size_t>(-exponent), ".");
    return (negative ? "-" : "") + digits;
}
}  // namespace

bool read_csv_date(const std::string& text, CsvDate* date)
{
    *date = CsvDate{0, 0, 0, false};
    // The program's own YYYY/MM/DD, read at once: a year's files hold
    // thousands of them.
    const char* c = text.c_str();
    if (text.size() == 10 && c[4] == '/' && c[7] == '/' && is_digit(c[0]) && is_digit(c[1]) && is_digit(c[2]) &&
        is_digit(c[3]) && is_digit(c[5]) && is_digit(c[6]) && is_digit(c[8]) && is_digit(c[9])) {
        const CsvDate plain = {((c[0] - '0') * 10 + c[1] - '0') * 100 + (c[2] - '0') * 10 + c[3] - '0',
                               (c[5] - '0') * 10 + c[6] - '0', (c[8] - '0') * 10 + c[9] - '0', false};
        if (plain.month >= 1 && plain.month <= 12 && plain.day >= 1 && plain.day <= 31) {
            *date = plain;
            return true;
        }
    }
    std::string plain = without_time(trimmed(text));
    // 2009年1月4日 and 1月4日 become 2009/1/4 and 1/4.
    plain = replaced(replaced(plain, year_mark, "/"), month_mark, "/");
    const size_t day_at = plain.size() >= 2 ? plain.size() - 2 : std::string::npos;
    if (day_at != std::string::npos && plain.compare(day_at, 2, day_mark) == 0) plain.erase(day_at);
    std::vector<std::string> words = date_words(plain);
    if (words.empty() || words.size() > 3) return false;
    for (const std::string& word : words)
        if (!is_digit(word[0])) return english_date(words, date);
    return numeric_date(words, date);
}

int full_year_of(const CsvDate& date, int file_year)
{
    if (date.year == 0 && !date.two_digit_year) return file_year;
    if (date.two_digit_year) return file_year - file_year % 100 + date.year;
    return date.year;
}

AmountCheck read_csv_amount(const std::string& text, bool utf8, int32_t* amount)
{
    *amount = 0;
    // Plain digits, as the program writes them, read at once.
    if (!text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos) {
        for (char c : text) *amount = *amount * 10 + (c - '0');
        return amount_read;
    }
    // Minus signs, then currency marks, in either encoding, as ASCII.
    const char* const minus_signs[] = {"\x81\x7C", "\x81\xA2", "\x81\xA3"};  // －△▲
    const char* const utf8_minus_signs[] = {"\xE2\x88\x92", "\xEF\xBC\x8D", "\xE2\x96\xB3", "\xE2\x96\xB2"};
    const char* const utf8_yen_signs[] = {"\xC2\xA5", "\xEF\xBF\xA5"};
    std::string plain = trimmed(text);
    if (utf8) {
        for (const char* sign : utf8_minus_signs) plain = replaced(plain, sign, "-");
        for (const char* sign : utf8_yen_signs) plain = replaced(plain, sign, "");
    } else {
        for (const char* sign : minus_signs) plain = replaced(plain, sign, "-");
        plain = replaced(plain, "\x81\x8F", "");  // ￥
    }
    // ¥ is the backslash's byte in Shift-JIS; in front of the number only.
    size_t start = plain[0] == '-' || plain[0] == '+' ? 1 : 0;
    if (start < plain.size() && plain[start] == '\\') plain.erase(start, 1);
    plain = trimmed(plain);
    if (plain.empty()) return text.empty() ? amount_read : amount_not_whole;
    size_t position = plain[0] == '-' || plain[0] == '+' ? 1 : 0;
    if (position == plain.size()) return amount_not_whole;
    int64_t value = 0;
    for (size_t i = position; i < plain.size(); ++i) {
        if (plain[i] == ',' && i > position && separates_thousands(plain, i)) continue;
        if (!is_digit(plain[i])) return amount_not_whole;
        // Past 32 bits the value only has to stay too big.
        if (value <= INT64_C(0xFFFFFFFF)) value = value * 10 + (plain[i] - '0');
    }
    if (plain[0] == '-') value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return amount_too_big;
    *amount = static_cast<int32_t>(value);
    return amount_read;
}

bool spreadsheet_rewrote(const char* stored, const char* written)
{
    if (std::strcmp(stored, written) == 0) return false;
    const std::string before = trimmed(stored), after = trimmed(written);
    const std::string number = spreadsheet_number(before);
    // Written back as a plain number, or in its own scientific form
    // (1e3 → 1000 or 1.00E+03).
    const bool scientific = after.find_first_of("eE") != std::string::npos;
    if (!number.empty()) return number == after || (scientific && number == spreadsheet_number(after));
    CsvDate stored_date, written_date;
    return read_csv_date(before, &stored_date) && read_csv_date(after, &written_date) &&
           stored_date.month == written_date.month && stored_date.day == written_date.day;
}
