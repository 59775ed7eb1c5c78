#include "app/behaviour.h"

#include <gtest/gtest.h>

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
