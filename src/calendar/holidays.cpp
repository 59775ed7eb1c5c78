#include "calendar/holidays.h"

#include <cstring>

#include "calendar/dates.h"
#include "settings/options.h"

namespace {
HolidayRule rules[holiday_rule_count];
char last_name[holiday_name_size];

// Shift-JIS names of the days the program derives.
const char day_off_name[] = "\x8B\x78\x93\xFA";                           // 休日
const char citizens_holiday_name[] = "\x8D\x91\x96\xAF\x82\xCC\x8B\x78\x93\xFA";  // 国民の休日
const char substitute_holiday_name[] = "\x90\x55\x91\xD6\x8B\x78\x93\xFA";        // 振替休日

void set_name(const char* name)
{
    std::strncpy(last_name, name, holiday_name_max_bytes);
    last_name[holiday_name_max_bytes] = 0;
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

bool is_rule_holiday(int16_t year, int8_t month, int8_t day) { return holiday_lookup(year, month, day) == kind_holiday; }
}  // namespace

HolidayRule* holiday_table() { return rules; }
const char* holiday_name() { return last_name; }

int equinox_day(int year, int month)
{
    int k = year - 1980;
    double base = month == 3 ? 20.8431 : 23.2488;
    return static_cast<int>(base + 0.242194 * k - (k / 4));
}

int holiday_lookup(int year, int month, int day, int day_off_mark)
{
    for (const HolidayRule& rule : rules) {
        if (rule.month == month && rule.from_year <= year && year <= rule.to_year && rule_day(rule, year) == day) {
            set_name(rule.name);
            return kind_holiday;
        }
    }
    if (day_off_mark == 1) {
        set_name(day_off_name);
        return kind_day_off;
    }
    set_name("");
    return 0;
}

int day_kind(int year, int month, int day, int first_weekday, int day_off_mark)
{
    int weekday = (day + first_weekday - 1) % 7;
    int kind = holiday_lookup(year, month, day, day_off_mark);
    if (kind != 0) return kind;

    int16_t before_year = static_cast<int16_t>(year), after_year = before_year;
    int8_t before_month = static_cast<int8_t>(month), after_month = before_month;
    int8_t before_day = static_cast<int8_t>(day), after_day = before_day;
    previous_day(before_year, before_month, before_day);
    next_day(after_year, after_month, after_day);

    // Only holidays of the table count as neighbours.
    if (!is_rule_holiday(before_year, before_month, before_day)) return weekday;
    if (is_rule_holiday(after_year, after_month, after_day)) {
        set_name(citizens_holiday_name);
        return kind_holiday;
    }
    if (weekday == 0) return 0;
    // A substitute holiday: the Sunday that opens the week was a holiday too.
    int16_t sunday_year = static_cast<int16_t>(year);
    int8_t sunday_month = static_cast<int8_t>(month);
    int8_t sunday_day = static_cast<int8_t>(day);
    for (int i = 0; i < weekday; ++i) previous_day(sunday_year, sunday_month, sunday_day);
    if (is_rule_holiday(sunday_year, sunday_month, sunday_day)) {
        set_name(substitute_holiday_name);
        return kind_holiday;
    }
    return weekday;
}

ColorRef day_color(int year, int month, int day, int first_weekday, int day_off_mark)
{
    const OptionsRecord* o = options();
    int kind = day_kind(year, month, day, first_weekday, day_off_mark);
    if (kind == 0 || kind == kind_day_off || kind == kind_holiday) return o->sunday_color;
    if (kind == 6) return o->saturday_color;
    return o->weekday_color;
}
