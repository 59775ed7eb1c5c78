#include "app/behaviour.h"

#include <gtest/gtest.h>

#include "calendar/dates.h"

namespace {
DateRecord local_time(int year, int month, int day, int hour)
{
    DateRecord record = {};
    record.year = static_cast<int16_t>(year);
    record.month = static_cast<int8_t>(month);
    record.day = static_cast<int8_t>(day);
    record.hour = static_cast<int8_t>(hour);
    record.weekday = static_cast<int8_t>(weekday_of(year, month, day));
    return record;
}
}  // namespace

TEST(ClockTimer, TicksEverySecondOnlyWhileSecondsAreShown)
{
    // show_time, clock_content (0 date, 1 date and time, 2 time), no_seconds
    EXPECT_EQ(clock_period_ms(0, 0, 0), 10000u) << "no clock anywhere";
    EXPECT_EQ(clock_period_ms(1, 0, 0), 1000u) << "clock in the calendar";
    EXPECT_EQ(clock_period_ms(0, 1, 0), 1000u) << "time in the small display";
    EXPECT_EQ(clock_period_ms(0, 2, 0), 1000u);
    EXPECT_EQ(clock_period_ms(1, 1, 1), 10000u) << "no seconds";
    EXPECT_EQ(clock_period_ms(1, 0, 1), 10000u);
}

TEST(ReshowTimer, WaitsTheStoredSecondsAndFiveForNoneOrLess)
{
    EXPECT_EQ(reshow_delay_ms(12), 12000u);
    EXPECT_EQ(reshow_delay_ms(127), 127000u);
    EXPECT_EQ(reshow_delay_ms(0), 5000u);
    EXPECT_EQ(reshow_delay_ms(-5), 5000u) << "not 4.29 billion milliseconds";
    EXPECT_EQ(reshow_delay_ms(-128), 5000u);
}

TEST(ClockTimer, ADateTheUserSetsMovesTodayButNotTheShownMonth)
{
    MainWindow main_window;
    main_window.window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const DateRecord december = local_time(2009, 12, 6, 10);
    main_window.view.shown = CalendarDay{2009, 12, 6};
    clock_tick_at(main_window, december, 1000);
    const DateRecord january = local_time(2010, 1, 15, 10);
    time_change_at(main_window, january, 2000);
    clock_tick_at(main_window, january, 3000);
    EXPECT_EQ(main_window.view.today.month, 1);
    EXPECT_EQ(main_window.view.shown.month, 12) << "the next tick must not take the change for a new day";
    EXPECT_EQ(main_window.view.shown.year, 2009);
    DestroyWindow(main_window.window);
}
