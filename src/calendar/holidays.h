// Holidays and day kinds: the rules of the holiday file, the derived
// citizens' and substitute holidays, and the user's day-off marks.
#pragma once
#include <cstdint>

#include "settings/options.h"

enum {
    holiday_rule_count = 64,
    holiday_name_size = 21,  // Shift-JIS, NUL-terminated
    holiday_name_max_bytes = 20,
    day_code_equinox = 99,
    day_code_second_monday = 88,
    day_code_third_monday = 77,
};

// Day kinds besides the weekdays 0..6.
enum { kind_day_off = 98, kind_holiday = 99 };

struct HolidayRule {
    int16_t from_year;
    int8_t month;
    int8_t day_code;  // 1..31, or one of the day codes above
    int16_t to_year;  // inclusive
    char name[holiday_name_size];
};

HolidayRule* holiday_table();
// Name of the day the last lookup classified (Shift-JIS); meaningful right
// after a result of 98 or 99.
const char* holiday_name();

// Equinox day of March or September of a year.
int equinox_day(int year, int month);

// 99 for a rule of the table, 98 when the day's day-off mark (the ledger's
// byte, given by the caller) is exactly 1, else 0. Derived holidays are not
// looked at.
int holiday_lookup(int year, int month, int day, int day_off_mark = 0);
// The kind of a day: 99, 98 or its weekday, with the derived holidays.
int day_kind(int year, int month, int day, int first_weekday, int day_off_mark = 0);
// Colour of the day number from the options.
ColorRef day_color(int year, int month, int day, int first_weekday, int day_off_mark = 0);
