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
    BarRows tiny = bar_rows(130, 130, false, 2), tall = bar_rows(10, 130, true, 2);
    EXPECT_EQ(tiny.top * 1000 + tiny.bottom, 130132) << "a loss that rounds to the zero row still shows";
    EXPECT_EQ(tall.top * 1000 + tall.bottom, 10130);

    char16_t text[large_amount_text_size];
    format_sum(-1, text);
    EXPECT_EQ(std::u16string(text), u"-1") << "a sum, not the stored draw";
    format_sum(-1234, text);
    EXPECT_EQ(std::u16string(text), u"-1,234");
}

TEST(ChartColors, BarEdgesStandOutFromTheBackgroundInTheirOwnHue)
{
    const Rgb white = {255, 255, 255}, black = {0, 0, 0};
    EXPECT_NEAR(contrast_ratio(black, white), 21.0, 1e-9);
    EXPECT_NEAR(contrast_ratio(Rgb{118, 118, 118}, white), 4.54, 0.01) << "WCAG's own example grey";
    const Rgb pale_loss = {255, 224, 224}, yellow = {255, 255, 0};
    EXPECT_LT(contrast_ratio(pale_loss, white), 1.3) << "the default loss colour alone barely shows";
    for (Rgb fill : {pale_loss, yellow, Rgb{250, 250, 250}, white, Rgb{20, 40, 200}}) {
        Rgb edge = bar_edge(fill, white);
        EXPECT_GE(contrast_ratio(edge, white), least_graphic_contrast) << fill.red << "," << fill.green;
        EXPECT_TRUE(edge.red <= fill.red * 55 / 100 + 1 && edge.blue <= fill.blue * 55 / 100 + 1) << "darker";
    }
    Rgb on_dark = bar_edge(Rgb{40, 0, 0}, Rgb{10, 10, 10});
    EXPECT_GE(contrast_ratio(on_dark, Rgb{10, 10, 10}), least_graphic_contrast);
    EXPECT_GT(on_dark.red, 40) << "lighter on a dark background";
    Rgb edge = bar_edge(pale_loss, white);
    EXPECT_TRUE(edge.red > edge.green && edge.green == edge.blue) << "the fill's hue kept";
    const Rgb face = {245, 245, 245};
    const Rgb warning = readable_text_color(pale_loss, face);
    EXPECT_GE(contrast_ratio(warning, face), least_text_contrast) << "the limit line's text";
    EXPECT_GT(warning.red, 3 * warning.green) << "red, not grey";
    EXPECT_EQ(readable_text_color(black, face).red, 0) << "a colour that reads is kept";
}
