#include "calendar/holidays.h"

#include <cstring>

#include "calendar/dates.h"

namespace {
HolidayRule rules[holiday_rule_count];

// Shift-JIS names of the days the program derives.
const char day_off_name[] = "\x8B\x78\x93\xFA";                           // 休日
const char citizens_holiday_name[] = "\x8D\x91\x96\xAF\x82\xCC\x8B\x78\x93\xFA";  // 国民の休日
const char substitute_holiday_name[] = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";        // 振替休日

DayKind named(int kind, int weekday, const char* name)
{
    DayKind result = {kind, weekday, {}};
    std::strncpy(result.name, name, holiday_name_max_bytes);
    result.name[holiday_name_max_bytes] = 0;
    return result;
}

// The day of the month a rule falls on in a year, or -1 when it names none.
int rule_day(const HolidayRule& rule, int year)
{
    switch (rule.day_code) {
    case day_code_equinox: return rule.month == 3 || rule.month == 9 ? equinox_day(year, rule.month) : -1;
    case day_code_second_monday: return nth_weekday(year, rule.month, 2, 1);
    case day_code_third_monday: return nth_weekday(year, rule.month, 3, 1);
    default: return rule.day_code >= 1 && rule.day_code <= 31 ? rule.day_code : -1;
    }
}

// The rule of the table the day falls on, or none.
const HolidayRule* rule_on(int year, int month, int day)
{
    for (const HolidayRule& rule : rules)
        if (rule.month == month && rule.from_year <= year && year <= rule.to_year && rule_day(rule, year) == day)
            return &rule;
    return nullptr;
}

bool is_rule_holiday(int16_t year, int8_t month, int8_t day) { return rule_on(year, month, day) != nullptr; }

// A holiday of the table, or the day-off mark.
DayKind looked_up(int year, int month, int day, int weekday, int day_off_mark)
{
    if (const HolidayRule* rule = rule_on(year, month, day)) return named(kind_holiday, weekday, rule->name);
    if (day_off_mark == 1) return named(kind_day_off, weekday, day_off_name);
    return named(weekday, weekday, "");
}
}  // namespace

HolidayRule* holiday_table() { return rules; }

int equinox_day(int year, int month)
{
    int k = year - 1980;
    double base = month == 3 ? 20.8431 : 23.2488;
    return static_cast<int>(base + 0.242194 * k - (k / 4));
}

int holiday_lookup(int year, int month, int day, int day_off_mark)
{
    if (rule_on(year, month, day)) return kind_holiday;
    return day_off_mark == 1 ? kind_day_off : 0;
}

DayKind kind_of_day(int year, int month, int day, int day_off_mark)
{
    const int weekday = weekday_of(year, month, day);
    const DayKind own = looked_up(year, month, day, weekday, day_off_mark);
    if (own.kind != weekday) return own;

    int16_t before_year = static_cast<int16_t>(year), after_year = before_year;
    int8_t before_month = static_cast<int8_t>(month), after_month = before_month;
    int8_t before_day = static_cast<int8_t>(day), after_day = before_day;
    previous_day(before_year, before_month, before_day);
    next_day(after_year, after_month, after_day);

    // Only holidays of the table count as neighbours.
    if (!is_rule_holiday(before_year, before_month, before_day)) return own;
    if (is_rule_holiday(after_year, after_month, after_day)) return named(kind_holiday, weekday, citizens_holiday_name);
    if (weekday == kind_sunday) return own;
    // A substitute holiday: the Sunday that opens the week was a holiday too.
    int16_t sunday_year = static_cast<int16_t>(year);
    int8_t sunday_month = static_cast<int8_t>(month);
    int8_t sunday_day = static_cast<int8_t>(day);
    for (int i = 0; i < weekday; ++i) previous_day(sunday_year, sunday_month, sunday_day);
    if (is_rule_holiday(sunday_year, sunday_month, sunday_day))
        return named(kind_holiday, weekday, substitute_holiday_name);
    return own;
}

bool is_red_day(const DayKind& kind)
{
    return kind.kind == kind_sunday || kind.kind == kind_day_off || kind.kind == kind_holiday;
}
