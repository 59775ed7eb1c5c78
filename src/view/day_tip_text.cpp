#include "view/day_tip_text.h"

#include <algorithm>

#include "calendar/dates.h"
#include "ledger/name_folding.h"
#include "view/amount_text.h"
#include "view/tip_text.h"

namespace {
std::u16string signed_amount(int64_t amount, bool stored)
{
    char16_t text[large_amount_text_size];
    if (stored)
        format_large_amount(amount, text);
    else
        format_sum(amount, text);
    return (amount > 0 ? u"+" : u"") + std::u16string(text);
}

void append_utf16(std::u16string& text, char32_t value)
{
    if (value < 0x10000) {
        text += static_cast<char16_t>(value);
        return;
    }
    value -= 0x10000;
    text += static_cast<char16_t>(0xD800 + (value >> 10));
    text += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
}

// A visit's name in UTF-16, cut to day_tip_name_chars with "…".
std::u16string tip_name(const std::string& name)
{
    std::u16string text;
    size_t at = 0;
    for (int count = 0; at < name.size() && count < day_tip_name_chars; ++count) append_utf16(text, next_character(name, at));
    return at < name.size() ? text + u"…" : text;
}

std::u16string visit_line(const Visit& visit)
{
    std::u16string line;
    for (const std::string* name : {&visit.category, &visit.place, &visit.game})
        if (!name->empty()) line += tip_name(*name) + u" ";
    return line + signed_amount(visit_balance(visit), false);
}

std::u16string count_text(size_t count)
{
    const std::string digits = std::to_string(count);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string joined(const std::vector<std::u16string>& lines)
{
    std::u16string text;
    for (const std::u16string& line : lines) text += (text.empty() ? u"" : u"\n") + line;
    return text;
}
}  // namespace

std::u16string day_tip_text(const DayTip& day, size_t max_length)
{
    if (day.amount == 0 && day.memo.empty() && day.visits.empty()) return std::u16string();
    const DateRecord date = {static_cast<int16_t>(day.year), static_cast<int8_t>(day.month), static_cast<int8_t>(day.day),
                             static_cast<int8_t>(weekday_of(day.year, day.month, day.day)), 0, 0, 0};
    std::vector<std::u16string> lines = {date_line(date) + (day.holiday.empty() ? u"" : u" " + day.holiday)};
    if (day.amount != 0) lines.push_back(u"収支 " + signed_amount(day.amount, true));
    if (!day.memo.empty()) lines.push_back(day.memo);
    const size_t fixed = lines.size();
    size_t shown = std::min<size_t>(day.visits.size(), day_tip_visit_lines);
    for (size_t i = 0; i < shown; ++i) lines.push_back(visit_line(day.visits[i]));
    // The last visits give way to their count until the text fits.
    for (;;) {
        std::vector<std::u16string> all = lines;
        if (shown < day.visits.size()) all.push_back(u"ほか " + count_text(day.visits.size() - shown) + u" 件");
        std::u16string text = joined(all);
        if (text.size() <= max_length || shown == 0) {
            text = text.substr(0, max_length);
            if (!text.empty() && text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
            return text;
        }
        lines.erase(lines.begin() + static_cast<long>(fixed + --shown));
    }
}
