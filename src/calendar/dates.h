// Dates of the calendar: today, the displayed month, the month grids.
#pragma once
#include <cstdint>

struct DateRecord {
    int16_t year;          // the full year
    int8_t month;          // 1..12
    int8_t day;            // 1..31
    int8_t weekday;        // 0 = Sunday
    int8_t hour;
    int8_t minute;
    int8_t second;
    int8_t first_weekday;  // weekday of the 1st of year/month
};

enum { grid_cells = 38, grid_count = 13, empty_cell = 0xFF };
// The calendar shows these years; stepping past either end wraps.
enum { first_calendar_year = 1990, last_calendar_year = 2037 };
typedef uint8_t MonthGrid[grid_cells];

DateRecord* today_date();
DateRecord* display_date();
// Grid 0 is the month view, grids 1..12 the months of the one-year view,
// of the displayed month and year: made again whenever that changes, so
// they are right before anything is painted.
const MonthGrid* cell_day_table();

bool is_leap_year(int16_t year);
int16_t days_in_month(int year, int month);
// Gregorian weekday (0 = Sunday) of any date, proleptic, for any int16 year.
int weekday_of(int year, int month, int day);

void set_to_now(DateRecord* record);
int compute_first_weekday(DateRecord* record);

void previous_day(int16_t& year, int8_t& month, int8_t& day);
void next_day(int16_t& year, int8_t& month, int8_t& day);

// Day of the n-th given weekday of the month, or 255 when none of days 1..31.
int nth_weekday(int year, int month, int n, int weekday);

// Copies the two-letter English or one-character Japanese name (UTF-16).
void weekday_name(char16_t* destination, int japanese, int weekday);

// Fills a grid: 0xFF everywhere, then day i at position first_weekday + i - 1.
void fill_month_grid(MonthGrid& grid, int year, int month);
