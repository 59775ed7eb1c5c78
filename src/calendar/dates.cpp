#include "calendar/dates.h"

#include <cstring>

#include "platform/platform.h"

bool is_leap_year(int16_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int16_t days_in_month(int year, int month)
{
    static const int16_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && is_leap_year(static_cast<int16_t>(year))) return 29;
    return lengths[month - 1];
}

int weekday_of(int year, int month, int day)
{
    // Days from 1970-01-01 by the civil-from-days inverse; exact for every
    // proleptic Gregorian date, negative years included.
    long y = year - (month <= 2 ? 1 : 0);
    long era = (y >= 0 ? y : y - 399) / 400;
    long year_of_era = y - era * 400;
    long month_index = (month + 9) % 12;  // March = 0
    long day_of_year = (153 * month_index + 2) / 5 + day - 1;
    long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    long days = era * 146097 + day_of_era - 719468;
    long weekday = (days + 4) % 7;  // 1970-01-01 was a Thursday
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

DateRecord clock_now()
{
    LocalTime now;
    local_time_now(&now);
    DateRecord record;
    record.year = static_cast<int16_t>(now.year);
    record.month = static_cast<int8_t>(now.month);
    record.day = static_cast<int8_t>(now.day);
    record.weekday = static_cast<int8_t>(now.weekday);
    record.hour = static_cast<int8_t>(now.hour);
    record.minute = static_cast<int8_t>(now.minute);
    record.second = static_cast<int8_t>(now.second);
    return record;
}

void previous_day(int16_t& year, int8_t& month, int8_t& day)
{
    if (day != 1) {
        --day;
        return;
    }
    if (month == 1) {
        --year;
        month = 12;
    } else {
        --month;
    }
    day = static_cast<int8_t>(days_in_month(year, month));
}

void next_day(int16_t& year, int8_t& month, int8_t& day)
{
    if (day != days_in_month(year, month)) {
        ++day;
        return;
    }
    if (month == 12) {
        ++year;
        month = 1;
    } else {
        ++month;
    }
    day = 1;
}

int nth_weekday(int year, int month, int n, int weekday)
{
    int w = weekday_of(year, month, 1);
    int count = 0;
    for (int d = 1; d <= 31; ++d) {
        if (w == weekday && ++count == n) return d;
        w = (w + 1) % 7;
    }
    return 255;
}

void weekday_name(char16_t* destination, int japanese, int weekday)
{
    static const char16_t names[2][7][3] = {
        {u"Su", u"Mo", u"Tu", u"We", u"Th", u"Fr", u"Sa"},
        {u"日", u"月", u"火", u"水", u"木", u"金", u"土"},
    };
    const char16_t* name = names[japanese ? 1 : 0][((weekday % 7) + 7) % 7];
    for (int i = 0; i < 3; ++i) destination[i] = name[i];
}

void fill_month_grid(MonthGrid& grid, int year, int month)
{
    std::memset(grid, empty_cell, sizeof grid);
    int first = weekday_of(year, month, 1);
    int length = days_in_month(year, month);
    for (int i = 1; i <= length && first + i - 1 < grid_cells; ++i)
        grid[first + i - 1] = static_cast<uint8_t>(i);
}
