// Dates, amounts and memos as a spreadsheet program writes them back when
// it saves a year's CSV file again: Japanese and English date forms, the
// year dropped, amounts with separators and currency or accounting marks,
// memos it took for numbers or dates.
#pragma once
#include <cstdint>
#include <string>

// A date of the date column. `year` is 0 when the text has none, and the
// last two digits only when it has two (`two_digit_year`).
struct CsvDate {
    int year, month, day;
    bool two_digit_year;
};

// Shift-JIS text (the date column is converted first): 2009/1/4,
// 2009-01-04, 2009.1.4, 2009年1月4日, 1月4日, 1/4, 09/1/4, with a time of
// day after it (2009/1/4 0:00), and the English forms Jan 04, 4-Jan,
// 04-Jan-09, January 4, 2009. The numbers need not make a real date.
bool read_csv_date(const std::string& text, CsvDate* date);
// The full year of a date: the file's when it has none, the file's century
// for two digits.
int full_year_of(const CsvDate& date, int file_year);

enum AmountCheck { amount_read, amount_not_whole, amount_too_big };
// A whole number with an optional sign, thousands separators, ¥ or ￥ in
// front, a full-width minus or △ ▲ for minus (Shift-JIS or UTF-8 text); an
// empty field is an empty day.
AmountCheck read_csv_amount(const std::string& text, bool utf8, int32_t* amount);

// Whether a spreadsheet reading the stored memo as a number or a date and
// writing it back in its own form would give `written` (both Shift-JIS):
// 0123 → 123, +5 → 5, 1e3 → 1000 or 1.00E+03, 1,000 → 1000; 1/2 → 1月2日
// and the like.
bool spreadsheet_rewrote(const char* stored, const char* written);
