// What lies under a point, and stepping the shown month, on a laid-out grid.
#include <gtest/gtest.h>

#include <cstring>

#include "calendar/dates.h"
#include "settings/options.h"
#include "settings/program_folder.h"
#include "support/temp_folder.h"
#include "view/fonts.h"
#include "view/layout.h"

namespace {

class HitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_program_path(folder.file("Ravo.exe").c_str());
        OptionsRecord* o = options();
        apply_fresh_defaults(o);
        view.today = DateRecord{2009, 12, 6, 0, 9, 5, 7};
        view.shown = CalendarDay{2009, 12, 6};
        create_view_fonts(view.fonts, &o->month_font, &o->year_font);
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        free_view_fonts(view.fonts);
    }
    // Paints the current view into a scratch bitmap, as the window would.
    // Lays the current view out as the window would; nothing is painted: a
    // hit test needs no paint first.
    void lay_out(bool year_view)
    {
        options()->year_mode = year_view ? 1 : 0;
        cell = measure_cell_size(nullptr, year_view ? view.fonts.year : view.fonts.month, view.layout);
        RECT client = {0, 0, (year_view ? 31 : 7) * cell, (year_view ? 24 : 7) * cell};
        view.layout.year_box = to_rect(year_box_for(year_view, client.right, client.bottom, cell));
        view.layout.clock_rect = to_rect(clock_box_for(year_view, client.right, client.bottom, cell));
        view.layout.month_box = to_rect(month_box_for_month_view(client.right, client.bottom, cell));
    }
    long middle(int index) const { return index * cell + cell / 2; }

    TempFolder folder;
    HWND window = nullptr;
    CalendarView view;
    int cell = 0;
};

}  // namespace

TEST_F(HitTest, MonthViewDaysHeadersAndCaptions)
{
    lay_out(false);
    const CalendarDay before = view.shown;
    // The 17th: position 18, day row 2, Thursday.
    HitResult hit = hit_test(view, middle(4), middle(3));
    EXPECT_EQ(hit.kind, hit_day);
    EXPECT_EQ(hit.day, 17);
    EXPECT_EQ(hit.weekday, 4);
    EXPECT_EQ(view.shown.day, before.day) << "a hit test only tells";
    // An empty cell of the first week is nothing.
    EXPECT_EQ(hit_test(view, middle(0), middle(1)).kind, hit_nothing);
    EXPECT_EQ(hit_test(view, middle(0), middle(0)).kind, hit_weekday_first);
    EXPECT_EQ(hit_test(view, middle(6), middle(0)).kind, hit_weekday_last);
    EXPECT_EQ(hit_test(view, middle(5), middle(6)).kind, hit_year_caption);
    EXPECT_EQ(hit_test(view, middle(6), middle(6)).kind, hit_month_caption);
    EXPECT_EQ(hit_test(view, middle(3), middle(6)).kind, hit_nothing) << "the clock caption";
    EXPECT_EQ(hit_test(view, -5, -5).kind, hit_nothing) << "the caption bar lies above the client";
}

TEST_F(HitTest, YearViewTakesTheMonthOfTheBlock)
{
    lay_out(true);
    // 1 March 2009 was a Sunday: March's block, first day row, column 0.
    long x = block_left(3, cell) + cell / 2, y = block_top(3, cell) + 2 * cell + cell / 2;
    HitResult hit = hit_test(view, x, y);
    EXPECT_EQ(hit.kind, hit_day);
    EXPECT_EQ(hit.month, 3);
    EXPECT_EQ(hit.day, 1);
    EXPECT_EQ(hit.weekday, 0);
    // The gap column right of April's block: nothing, but April's month.
    hit = hit_test(view, block_left(4, cell) + 7 * cell + cell / 2, block_top(4, cell) + 3 * cell);
    EXPECT_EQ(hit.kind, hit_nothing);
    EXPECT_EQ(hit.month, 4);
    EXPECT_EQ(hit_test(view, block_left(5, cell) + cell / 2, block_top(5, cell) + cell / 2).kind, hit_nothing)
        << "a month caption of the one-year view is nothing";
    EXPECT_EQ(hit_test(view, 31 * cell - cell / 2, 24 * cell - cell / 2).kind, hit_year_caption);
}

TEST_F(HitTest, SteppingWrapsAndReloadsTheLedgerOnAYearChange)
{
    lay_out(false);
    view.shown = CalendarDay{1990, 1, 31};
    EXPECT_TRUE(step_display(window, view, false, false)) << "a new year: its ledger is to be read";
    EXPECT_EQ(view.shown.year, 2037);
    EXPECT_EQ(view.shown.month, 12);
    EXPECT_EQ(view.shown.day, 31) << "the day is left as it was";
    EXPECT_TRUE(step_display(window, view, true, true));
    EXPECT_EQ(view.shown.year, 1990);
    EXPECT_TRUE(step_display(window, view, false, true));
    EXPECT_EQ(view.shown.month, 1);
    EXPECT_EQ(view.shown.year, 1991);
    EXPECT_FALSE(step_display(window, view, false, true));
}
