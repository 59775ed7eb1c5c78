#include "view/chart_math.h"

#include <gtest/gtest.h>

#include <string>

#include "view/amount_text.h"

namespace {
std::string text_of(const ChartScale& s)
{
    return std::to_string(s.bottom) + ".." + std::to_string(s.top) + " by " + std::to_string(s.step);
}
}  // namespace

TEST(ChartScale, RoundStepsThatSpanZeroAndTheFiguresPlaceRows)
{
    EXPECT_EQ(text_of(chart_scale(0, 12000, 5)), "0..15000 by 5000");  // 2,000 would take six steps
    EXPECT_EQ(text_of(chart_scale(-3000, 12000, 10)), "-4000..12000 by 2000");
    EXPECT_EQ(text_of(chart_scale(500, 800, 4)), "0..800 by 200") << "0 is always on the scale";
    EXPECT_EQ(text_of(chart_scale(-7, -3, 10)), "-7..0 by 1");
    EXPECT_EQ(text_of(chart_scale(0, 0, 4)), "0..1000 by 500") << "a period without amounts";
    EXPECT_EQ(text_of(chart_scale(0, 40000000000000, 1)), "0..50000000000000 by 50000000000000");

    ChartScale scale = {-4000, 12000, 2000};
    EXPECT_EQ(scale_row(scale, 12000, 10, 170), 10);
    EXPECT_EQ(scale_row(scale, -4000, 10, 170), 170);
    EXPECT_EQ(scale_row(scale, 0, 10, 170), 130);
    EXPECT_EQ(scale_row(scale, -3950, 10, 170), 170) << "rounded to the nearest row";
    EXPECT_EQ(slot_left(3, 12, 10, 130), 40);
    EXPECT_EQ(slot_left(12, 12, 10, 130), 130);
    EXPECT_EQ(slot_left(0, 0, 10, 130), 10);

    char16_t text[large_amount_text_size];
    format_sum(-1, text);
    EXPECT_EQ(std::u16string(text), u"-1") << "a sum, not the stored draw";
    format_sum(-1234, text);
    EXPECT_EQ(std::u16string(text), u"-1,234");
}
