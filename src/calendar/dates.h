// Dates of the calendar: pure functions of dates, and the clock's reading.
#pragma once
#include <cstdint>

// A reading of the clock, whole: the weekday is the clock's own.
struct DateRecord {
    int16_t year;    // the full year
    int8_t month;    // 1..12
    int8_t day;      // 1..31
    int8_t weekday;  // 0 = Sunday
    int8_t hour;
    int8_t minute;
    int8_t second;
};

// A day of the calendar without a time: the shown month and its selected
// day. Its weekdays are worked out from it (weekday_of), never kept.
struct CalendarDay {
    int year;
    int month;  // 1..12
    int day;    // 1..31; may lie past the month's end after a month step
};

enum { grid_cells = 38, empty_cell = 0xFF };
// The calendar shows these years; stepping past either end wraps.
enum { first_calendar_year = 1990, last_calendar_year = 2037 };
typedef uint8_t MonthGrid[grid_cells];

bool is_leap_year(int16_t year);
int16_t days_in_month(int year, int month);
// Gregorian weekday (0 = Sunday) of any date, proleptic, for any int16 year.
int weekday_of(int year, int month, int day);

// The clock's reading now, in local time.
DateRecord clock_now();

void previous_day(int16_t& year, int8_t& month, int8_t& day);
void next_day(int16_t& year, int8_t& month, int8_t& day);

// Day of the n-th given weekday of the month, or 255 when none of days 1..31.
int nth_weekday(int year, int month, int n, int weekday);

// Copies the two-letter English or one-character Japanese name (UTF-16).
void weekday_name(char16_t* destination, int japanese, int weekday);

// Fills a grid: 0xFF everywhere, then day i at position first_weekday + i - 1.
void fill_month_grid(MonthGrid& grid, int year, int month);
