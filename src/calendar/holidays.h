// Holidays and day kinds: the rules of the holiday file, the derived
// citizens' and substitute holidays, and the user's day-off marks.
#pragma once
#include <cstdint>

enum {
    holiday_rule_count = 64,
    holiday_name_size = 21,  // Shift-JIS, NUL-terminated
    holiday_name_max_bytes = 20,
    day_code_equinox = 99,
    day_code_second_monday = 88,
    day_code_third_monday = 77,
};

// Day kinds: the weekdays 0..6 (Sunday and Saturday named), a day off, a
// holiday.
enum { kind_sunday = 0, kind_saturday = 6, kind_day_off = 98, kind_holiday = 99 };

struct HolidayRule {
    int16_t from_year;
    int8_t month;
    int8_t day_code;  // 1..31, or one of the day codes above
    int16_t to_year;  // inclusive
    char name[holiday_name_size];
};

HolidayRule* holiday_table();

// What a day is: its kind with the name of its holiday or day off
// (Shift-JIS, empty for the other kinds), and its weekday whatever the kind.
struct DayKind {
    int kind;
    int weekday;  // 0 = Sunday
    char name[holiday_name_size];
};

// Equinox day of March or September of a year.
int equinox_day(int year, int month);

// 99 for a rule of the table, 98 when the day's day-off mark (the ledger's
// byte, given by the caller) is exactly 1, else 0. Derived holidays are not
// looked at.
int holiday_lookup(int year, int month, int day, int day_off_mark = 0);
// The kind of a day, the derived holidays included.
DayKind kind_of_day(int year, int month, int day, int day_off_mark = 0);
// Sundays, holidays and days off are the red days.
bool is_red_day(const DayKind& kind);
