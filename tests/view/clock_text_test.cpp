#include "view/clock_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
const DateRecord sunday = {2009, 12, 6, 0, 9, 5, 7};  // 2009-12-06 9:05:07

std::u16string line(const DateRecord& now, int content, int no_seconds)
{
    char16_t text[small_line_size];
    format_small_line(text, now, content, no_seconds);
    return text;
}

std::vector<int> glyphs(int content, int no_seconds)
{
    int list[32];
    int count = digital_glyphs(list, sunday, content, no_seconds);
    return std::vector<int>(list, list + count);
}
}  // namespace

TEST(SmallDisplay, TextLines)
{
    EXPECT_EQ(line(sunday, clock_date_time, 0), u"09/12/06(日) 9:05:07");
    EXPECT_EQ(line(sunday, clock_date_time, 1), u"09/12/06(日) 9:05");
    EXPECT_EQ(line(sunday, clock_time, 0), u"09:05:07") << "the one format with a leading zero";
    EXPECT_EQ(line(sunday, clock_time, 1), u"9:05");
    EXPECT_EQ(line(sunday, clock_date, 0), u"09/12/06(日)");
    EXPECT_EQ(line(sunday, 7, 0), u"09/12/06(日)") << "a damaged value shows the date";
    DateRecord y2000 = {2000, 1, 1, 6, 0, 0, 0};
    EXPECT_EQ(line(y2000, clock_date, 0), u"00/01/01(土)");
}

TEST(SmallDisplay, DigitalGlyphsInOrder)
{
    const int dash = glyph_dash, colon = glyph_colon, sunday_glyph = glyph_weekday_first;
    EXPECT_EQ(glyphs(clock_date_time, 0),
              (std::vector<int>{0, 9, dash, 1, 2, dash, 0, 6, sunday_glyph, 0, 9, colon, 0, 5, colon, 0, 7}));
    EXPECT_EQ(glyphs(clock_time, 1), (std::vector<int>{0, 9, colon, 0, 5}));
    EXPECT_EQ(glyphs(-3, 0), (std::vector<int>{0, 9, dash, 1, 2, dash, 0, 6, sunday_glyph}))
        << "a damaged value draws the date as the text look does";
}

TEST(SmallDisplay, WidthsOfTheStrip)
{
    EXPECT_EQ(small_line_width(true, clock_date_time, 0, 16, 9, 0), 244);
    EXPECT_EQ(small_line_width(true, clock_date_time, 1, 16, 9, 0), 203);
    EXPECT_EQ(small_line_width(true, clock_date, 0, 16, 9, 0), 130);
    EXPECT_EQ(small_line_width(true, clock_date, 1, 16, 9, 0), 130);
    EXPECT_EQ(small_line_width(true, clock_time, 0, 16, 9, 0), 114);
    EXPECT_EQ(small_line_width(true, clock_time, 1, 16, 9, 0), 73);
    EXPECT_EQ(small_line_width(false, clock_date_time, 0, 0, 0, 7), 147);
    EXPECT_EQ(small_line_width(false, clock_time, 1, 0, 0, 7), 35);
    EXPECT_EQ(small_line_width(false, 9, 1, 0, 0, 7), 84);
}
