#include "view/tip_text.h"

#include <cstdio>

#include "view/amount_text.h"

namespace {
std::u16string widened(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }
}  // namespace

std::u16string date_line(const DateRecord& today)
{
    char date[24];
    std::snprintf(date, sizeof date, "%04d/%02d/%02d(", today.year, today.month, today.day);
    char16_t weekday[3];
    weekday_name(weekday, 1, today.weekday);
    return widened(date) + weekday + u")";
}

namespace {

std::u16string count_text(int32_t count)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(count));
    return widened(digits);
}

std::u16string balance_line(const ResultSummary& summary)
{
    char16_t amount[large_amount_text_size];
    format_large_amount(summary.sum, amount);
    return u"今月 " + std::u16string(summary.sum > 0 ? u"+" : u"") + amount + u" (" + count_text(summary.wins) + u"勝" +
           count_text(summary.losses) + u"敗" + count_text(summary.draws) + u"分)";
}

}  // namespace

std::u16string limit_note(int64_t balance, const LossLimits& limits)
{
    switch (limit_standing(balance, limits.month, limits.warn_percent)) {
    case limit_passed: return u"上限超過";
    case limit_near: {
        char16_t amount[large_amount_text_size];
        format_large_amount(limits.month + balance, amount);
        return u"上限まで " + std::u16string(amount);
    }
    default: return std::u16string();
    }
}

std::u16string month_limit_line(int64_t balance, const LossLimits& limits)
{
    if (limits.month <= 0) return std::u16string();
    char16_t amount[large_amount_text_size], limit[large_amount_text_size];
    format_large_amount(balance < 0 ? -balance : balance, amount);
    format_large_amount(limits.month, limit);
    const std::u16string sign = balance > 0 ? u"+" : balance < 0 ? u"−" : u"";
    const bool passed = limit_standing(balance, limits.month, limits.warn_percent) == limit_passed;
    return u"今月 " + sign + amount + u"／上限 " + limit + (passed ? u"（超過）" : u"");
}

namespace {
// As much of the name as fits in `room` characters, never half a
// surrogate pair.
std::u16string cut_name(const std::u16string& name, size_t room)
{
    std::u16string cut = name.substr(0, room);
    if (cut.size() < name.size() && !cut.empty() && cut.back() >= 0xD800 && cut.back() <= 0xDBFF) cut.pop_back();
    return cut;
}
}  // namespace

std::u16string tray_tip_text(const DateRecord& today, const std::u16string& holiday, const ResultSummary& month_so_far,
                             const LossLimits& limits, size_t max_length)
{
    const std::u16string date = date_line(today);
    const std::u16string note = limit_note(month_so_far.sum, limits);
    const std::u16string balance = balance_line(month_so_far) + (note.empty() ? u"" : u" " + note);
    std::u16string text = date + u"\n";
    const size_t fixed = text.size() + balance.size();
    // The name takes its own line: the room left less its line break.
    if (!holiday.empty() && fixed + 1 < max_length) {
        std::u16string name = cut_name(holiday, max_length - fixed - 1);
        if (!name.empty()) text += name + u"\n";
    }
    return (text + balance).substr(0, max_length);
}
