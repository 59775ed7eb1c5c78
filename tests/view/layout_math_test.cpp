#include "view/layout_math.h"

#include <gtest/gtest.h>

#include <string>

#include "view/amount_text.h"

TEST(CellSize, LargerOfHeightAndWidth)
{
    EXPECT_EQ(cell_size_from_metrics(16, 8), 28);  // 18 against 28.8 truncated
    EXPECT_EQ(cell_size_from_metrics(30, 7), 32);  // 32 against 25
    EXPECT_EQ(cell_size_from_metrics(26, 7), 28);  // 28 against 25
}

TEST(WindowSize, CellsPlusFramePlusCaption)
{
    EXPECT_EQ(view_client_width(false, 28), 7 * 28);
    EXPECT_EQ(view_client_height(false, 28), 7 * 28);
    EXPECT_EQ(view_client_width(true, 20), 31 * 20);
    EXPECT_EQ(view_client_height(true, 20), 24 * 20);

    // The analysis window at 150 % on 1280 x 1024 with a taskbar.
    const Box work = {0, 0, 1280, 984};
    const Extent held = smallest_within(Extent{1545, 925}, Extent{1100, 700}, work);
    EXPECT_EQ(held.width, 1280);
    EXPECT_EQ(held.height, 925);
    EXPECT_EQ(smallest_within(Extent{1545, 925}, Extent{1400, 990}, work).height, 990) << "never below the floor";
}

TEST(CaptionBoxes, AnchoredToTheBottomRight)
{
    Box year = year_box_for(false, 200, 203, 28);
    EXPECT_EQ(year.left, 200 - 84);
    EXPECT_EQ(year.right, 200 - 28);
    EXPECT_EQ(year.top, 203 - 28);
    EXPECT_EQ(year.bottom, 203);
    Box clock = clock_box_for(false, 200, 203, 28);
    EXPECT_EQ(clock.left, 200 - 140);
    EXPECT_EQ(clock.right, 200 - 84);
    Box month = month_box_for_month_view(200, 203, 28);
    EXPECT_EQ(month.left, 172);
    EXPECT_EQ(month.top, 175);
    Box year_view = year_box_for(true, 620, 480, 20);
    EXPECT_EQ(year_view.left, 580);
    EXPECT_EQ(year_view.right, 620);
    EXPECT_EQ(clock_box_for(true, 620, 480, 20).left, 540);
}

TEST(Locators, MonthBlocksOfTheYearView)
{
    const int S = 20;
    EXPECT_EQ(month_block_at(0, 0, S), 1);
    EXPECT_EQ(month_block_at(8 * S - 1, 10, S), 1);
    EXPECT_EQ(month_block_at(8 * S, 10, S), 1) << "a shared border belongs to the first block";
    EXPECT_EQ(month_block_at(8 * S + 1, 10, S), 2);
    EXPECT_EQ(month_block_at(31 * S - 1, 5, S), 4);
    EXPECT_EQ(month_block_at(5, 8 * S + 1, S), 5);
    EXPECT_EQ(month_block_at(3 * 8 * S + 5, 2 * 8 * S + 5, S), 12);
    EXPECT_EQ(month_block_at(5, 30 * S, S), 1) << "outside every block";
}

TEST(Locators, DayCellsOfBothViews)
{
    const int S = 28;
    EXPECT_EQ(cell_at(0, 1, S + 1, S), 0);
    EXPECT_EQ(cell_at(0, 6 * S + 5, S + 5, S), 6);
    EXPECT_EQ(cell_at(0, S, S + 5, S), 0) << "the lower-numbered cell wins on a border";
    EXPECT_EQ(cell_at(0, 5, 6 * S + 5, S), 35);
    EXPECT_EQ(cell_at(0, 2 * S + 5, 6 * S + 5, S), 37);
    EXPECT_EQ(cell_at(0, 3 * S + 5, 6 * S + 5, S), -1) << "beyond position 37";
    EXPECT_EQ(cell_at(0, 5, 5, S), -1) << "the header row has no cells";
    // One-year view: March's block starts at 16S, its days two rows down.
    EXPECT_EQ(cell_at(3, 16 * S + 2, 2 * S + 2, S), 0);
    EXPECT_EQ(cell_at(3, 7 * S + 5, 2 * S + 2, S), -1) << "the gap column left of March";
    EXPECT_EQ(cell_at(7, 16 * S + 2, 10 * S + 2, S), 0);
}

TEST(Locators, WeekdayHeaders)
{
    const int S = 28;
    EXPECT_EQ(weekday_header_at(0, 0, 0, S), 1);
    EXPECT_EQ(weekday_header_at(0, S, 5, S), 1);
    EXPECT_EQ(weekday_header_at(0, S + 1, 5, S), 2);
    EXPECT_EQ(weekday_header_at(0, 6 * S + 1, 5, S), 7);
    EXPECT_EQ(weekday_header_at(0, 7 * S, S, S), 7);
    EXPECT_EQ(weekday_header_at(0, 7 * S + 1, 5, S), 0);
    EXPECT_EQ(weekday_header_at(0, 5, S + 1, S), 0);
    EXPECT_EQ(weekday_header_at(2, 8 * S + 1, S + 1, S), 1);
    EXPECT_EQ(weekday_header_at(2, 8 * S + 1, 1, S), 0) << "that row is the month caption";
}

TEST(Stepping, WrapsBetween1990And2037)
{
    int year = 1990, month = 1;
    EXPECT_TRUE(step_year_month(year, month, false, false));
    EXPECT_EQ(year, 2037);
    EXPECT_EQ(month, 12);
    EXPECT_TRUE(step_year_month(year, month, false, true));
    EXPECT_EQ(year, 1990);
    EXPECT_EQ(month, 1);
    EXPECT_FALSE(step_year_month(year, month, false, true));
    EXPECT_EQ(month, 2);
    year = 2037;
    EXPECT_TRUE(step_year_month(year, month, true, true));
    EXPECT_EQ(year, 1990);
    EXPECT_TRUE(step_year_month(year, month, true, false));
    EXPECT_EQ(year, 2037);
    EXPECT_EQ(month, 2);
}

TEST(Stepping, ASelectedDayCrossesMonthsAndYearsAndWraps)
{
    auto moved = [](int year, int month, int day, int days) {
        bool year_changed = step_day(year, month, day, days);
        return std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day) +
               (year_changed ? " new year" : "");
    };
    EXPECT_EQ(moved(2009, 12, 6, 1), "2009/12/7");
    EXPECT_EQ(moved(2009, 12, 31, 1), "2010/1/1 new year");
    EXPECT_EQ(moved(2010, 3, 3, -7), "2010/2/24");
    EXPECT_EQ(moved(2008, 2, 26, 7), "2008/3/4") << "29 February 2008";
    EXPECT_EQ(moved(2009, 2, 31, 1), "2009/3/1") << "day 31 kept by a month step counts as the 28th";
    EXPECT_EQ(moved(1990, 1, 3, -7), "2037/12/27 new year");
    EXPECT_EQ(moved(2037, 12, 28, 7), "1990/1/4 new year");
    Box cell = day_cell_box(2, 9, 20);  // February of the one-year view, second row, third column
    EXPECT_EQ(cell.left, 8 * 20 + 2 * 20);
    EXPECT_EQ(cell.top, 3 * 20);
}

TEST(AmountText, CommasSignsAndTheDraw)
{
    auto text = [](int32_t amount) {
        char16_t buffer[amount_text_size];
        format_amount(amount, buffer);
        return std::u16string(buffer);
    };
    EXPECT_EQ(text(0), u"0");
    EXPECT_EQ(text(-1), u"±0");
    EXPECT_EQ(text(10), u"10");
    EXPECT_EQ(text(-10), u"-10");
    EXPECT_EQ(text(999), u"999");
    EXPECT_EQ(text(1000), u"1,000");
    EXPECT_EQ(text(-1000), u"-1,000");
    EXPECT_EQ(text(-123), u"-123");
    EXPECT_EQ(text(1234), u"1,234");
    EXPECT_EQ(text(1000000), u"1,000,000");
    EXPECT_EQ(text(INT32_MIN), u"-2,147,483,648");
    EXPECT_EQ(text(INT32_MAX), u"2,147,483,647");

    char16_t large[large_amount_text_size];
    format_large_amount(48LL * 372 * 2000000000LL, large);
    EXPECT_EQ(std::u16string(large), u"35,712,000,000,000");
    format_large_amount(INT64_MIN, large);
    EXPECT_EQ(std::u16string(large), u"-9,223,372,036,854,775,808");
}

namespace {
// Every character 6 pixels wide, 万 12.
int fixed_width(const char16_t* text, void*)
{
    int width = 0;
    for (; *text; ++text) width += *text == u'万' ? 12 : 6;
    return width;
}
std::u16string fitted(int64_t amount, int width)
{
    char16_t buffer[signed_amount_text_size];
    fitted_amount(amount, width, fixed_width, nullptr, buffer);
    return buffer;
}
}  // namespace

TEST(AmountText, CalendarFormsWholeWhereTheyFitElseInMan)
{
    EXPECT_EQ(fitted(15000, 42), u"+15,000") << "7 characters in 42 pixels";
    EXPECT_EQ(fitted(15000, 41), u"+1.5万");
    EXPECT_EQ(fitted(-123456, 40), u"\u221212.3万");
    EXPECT_EQ(fitted(-123456, 100), u"\u2212123,456");
    EXPECT_EQ(fitted(shown_day_amount(-1), 1), u"±0") << "the stored draw";
    EXPECT_EQ(fitted(0, 1), u"±0");
    EXPECT_EQ(fitted(499, 1), u"+499") << "万 only when narrower";
    EXPECT_EQ(fitted(99999, 1), u"+99,999");
    EXPECT_EQ(fitted(149999, 1), u"+15.0万");
    EXPECT_EQ(fitted(-14950, 1), u"\u22121.5万") << "half away from zero";
    EXPECT_EQ(fitted(INT32_MAX, 1), u"+214,748.4万");
    EXPECT_EQ(fitted(INT32_MIN, 1), u"\u2212214,748.4万");
    EXPECT_EQ(fitted(INT32_MAX, 1000), u"+2,147,483,647");
    EXPECT_EQ(fitted(INT32_MIN, 1000), u"\u22122,147,483,648");
    EXPECT_EQ(fitted(INT64_MIN, 1000), u"\u22129,223,372,036,854,775,808");
    EXPECT_EQ(shown_day_amount(INT32_MIN), INT32_MIN);

    // The cells grow for the number over the amount, and for "−99.9万".
    EXPECT_EQ(cell_size_with_amounts(28, 20, 12, 30), 34);
    EXPECT_EQ(cell_size_with_amounts(28, 20, 12, 33), 37);
    EXPECT_EQ(cell_size_with_amounts(40, 20, 12, 30), 40);
    const Box cell = {0, 34, 34, 68};
    EXPECT_EQ(day_amount_box(cell, 12).bottom, 67);
    EXPECT_LT(day_number_box(cell, 12).bottom, 68 - 12);
    EXPECT_EQ(period_line_box(238, 254, period_line_height(12)).top, 238);
}
