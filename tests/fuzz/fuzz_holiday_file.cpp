// Holiday.ini of any content, then every lookup the calendar makes.
#include "calendar/dates.h"
#include "calendar/holiday_file.h"
#include "calendar/holidays.h"
#include "fuzz/fuzz_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    write_fuzz_file("Holiday.ini", data, size);
    load_holiday_file();
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= days_in_month(2009, month); ++day) day_kind(2009, month, day, weekday_of(2009, month, 1));
    return 0;
}
