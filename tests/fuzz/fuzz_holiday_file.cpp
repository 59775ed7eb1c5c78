// Holiday.ini of any content, from memory, then the lookups of the months
// where rules meet: the equinoxes, the third Mondays and the run of early
// May with its derived days, in a year the input picks.
#include <initializer_list>

#include "calendar/dates.h"
#include "calendar/holiday_file.h"
#include "calendar/holidays.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    parse_holiday_file(data, size);
    const int year = 1990 + (size ? data[size - 1] % 48 : 19);
    for (int month : {3, 5, 9})
        for (int day = 1; day <= days_in_month(year, month); ++day) kind_of_day(year, month, day);
    return 0;
}
