// A date typed by a person to go to: 2009/12/6, 2009-12-6, 2009.12.6,
// 12/6 (of this year), 20091206, R7.12.6 (H and S as well) and
// 令和7年12月6日 (平成 and 昭和 as well, 元年 for the first), in half- or
// full-width characters. UTF-8 in.
#pragma once
#include <string>

struct TypedDate {
    int year, month, day;
};

// The date, or what is wrong with the text (Japanese, UTF-8): not a date,
// a day the month lacks, or a year outside the calendar's.
bool read_typed_date(const std::string& text, int this_year, TypedDate* date, std::string* fault);
