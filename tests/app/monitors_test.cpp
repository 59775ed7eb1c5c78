#include "app/monitors.h"

#include <gtest/gtest.h>

namespace {
// A 1920 x 1080 primary with a 40-pixel taskbar, and a second monitor.
const MonitorArea primary = {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true};
const MonitorArea right_of = {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}, false};
const MonitorArea above = {{-200, -900, 1400, 0}, {-200, -900, 1400, -30}, false};

Box held(const std::vector<MonitorArea>& monitors, Box window, OffMonitorRule rule = to_nearest_monitor)
{
    return hold_on_monitors(monitors, window, rule);
}
::testing::AssertionResult at(const Box& box, long left, long top)
{
    if (box.left == left && box.top == top) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "held at " << box.left << ", " << box.top;
}
}  // namespace

TEST(Monitors, TheWindowStaysOnTheMonitorItMostlyLiesOn)
{
    std::vector<MonitorArea> two = {primary, right_of};
    EXPECT_TRUE(at(held(two, {2000, 100, 2200, 300}), 2000, 100));
    EXPECT_TRUE(at(held(two, {1850, 100, 2050, 300}), 1920, 100)) << "more of it on the right one";
    EXPECT_TRUE(at(held(two, {1750, 1000, 1950, 1200}), 1720, 840)) << "the left one, above its taskbar";
    EXPECT_TRUE(at(held(two, {3100, 1100, 3300, 1300}), 3000, 824)) << "on none: the nearest";

    std::vector<MonitorArea> stacked = {primary, above};
    EXPECT_TRUE(at(held(stacked, {-300, -500, -100, -300}), -200, -500));
    EXPECT_TRUE(at(held(stacked, {1200, -150, 1400, 50}), 1200, -230)) << "mostly above: kept off its bar";
}

TEST(Monitors, APlaceOnAMonitorNoLongerAttachedComesToThePrimary)
{
    std::vector<MonitorArea> after = {{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, false}, primary};
    EXPECT_TRUE(at(held(after, {2500, 300, 2700, 500}, to_primary_monitor), 1720, 300));
    EXPECT_TRUE(at(held(after, {-1500, 300, -1300, 500}, to_primary_monitor), 0, 300));
    EXPECT_TRUE(at(held(after, {-1500, 300, -1300, 500}), -1280, 300)) << "a drag goes to the nearest";
    EXPECT_EQ(monitor_for_window({}, {0, 0, 1, 1}, to_primary_monitor), -1);
}

TEST(Monitors, AWindowLargerThanTheWorkAreaSticksToItsLeftAndTopEdges)
{
    Box big = held({primary, right_of}, {2100, -50, 4100, 1950});
    EXPECT_TRUE(at(big, 1920, 0));
    EXPECT_EQ(big.right - big.left, 2000) << "moved, never resized";
    EXPECT_EQ(big.bottom - big.top, 2000);
}
