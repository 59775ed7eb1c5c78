// The calendar painted in-process into a bitmap, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "ledger/year_ledger.h"
#include "settings/options.h"
#include "view/draw.h"
#include "view/fonts.h"
#include "view/layout.h"
#include "view/offscreen.h"
#include "view/paint.h"

namespace {

// The program's off-screen picture; pixels as COLORREF, for direct
// comparison with the options.
class Canvas {
public:
    Canvas(int width, int height) { make_offscreen(width, height, target_); }
    ~Canvas() { free_offscreen(target_); }
    HDC dc() const { return target_.dc; }
    COLORREF at(long x, long y) const { return offscreen_pixel(target_, x, y); }
    int count(const RECT& area, COLORREF color) const
    {
        int found = 0;
        for (long y = area.top; y < area.bottom; ++y)
            for (long x = area.left; x < area.right; ++x) found += at(x, y) == color;
        return found;
    }
    bool same_area(const Canvas& other, const RECT& area) const
    {
        for (long y = area.top; y < area.bottom; ++y)
            for (long x = area.left; x < area.right; ++x)
                if (at(x, y) != other.at(x, y)) return false;
        return true;
    }

private:
    Offscreen target_;
};

// Sunday 6 December 2009, 9:05, with the emperor's birthday on the 23rd.
class December2009 : public ::testing::Test {
protected:
    void SetUp() override
    {
        OptionsRecord* o = options();
        apply_fresh_defaults(o);
        std::memset(holiday_table(), 0, sizeof(HolidayRule) * holiday_rule_count);
        HolidayRule& birthday = holiday_table()[0];
        birthday = HolidayRule{1989, 12, 23, 2018, "birthday"};
        clear_ledger_year(shown, 2009);
        view.today = DateRecord{2009, 12, 6, 0, 9, 5, 7};
        view.shown = CalendarDay{2009, 12, 6};
        create_view_fonts(view.fonts, &o->month_font, &o->year_font);
    }
    void TearDown() override { free_view_fonts(view.fonts); }
    LedgerYear shown;
    CalendarView view;

    // Lays the month view out on a client of exactly 7 x 7 cells and paints.
    void paint_month(Canvas*& canvas)
    {
        cell = measure_cell_size(nullptr, view.fonts.month, view.layout);
        client = RECT{0, 0, 7 * cell, 7 * cell};
        set_boxes(false);
        canvas = new Canvas(client.right, client.bottom);
        erase_background(canvas->dc(), client);
        paint_calendar(canvas->dc(), client, view, shown);
    }
    void set_boxes(bool year_view)
    {
        view.layout.year_box = to_rect(year_box_for(year_view, client.right, client.bottom, cell));
        view.layout.clock_rect = to_rect(clock_box_for(year_view, client.right, client.bottom, cell));
    }
    // Cell of a day of December 2009 in the month view (the 1st is a Tuesday).
    RECT day_cell(int day) const
    {
        int position = 2 + day - 1;
        long left = (position % 7) * cell, top = (position / 7 + 1) * cell;
        return RECT{left, top, left + cell, top + cell};
    }
    // Pixels of the day number: the middle of the cell, clear of frames.
    RECT number_area(int day) const
    {
        RECT r = day_cell(day);
        return RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
    }
    // A point of a cell's box that no number or frame covers.
    COLORREF box_color(const Canvas& canvas, int day) const
    {
        RECT r = day_cell(day);
        return canvas.at(r.left + 4, r.top + 4);
    }

    int cell = 0;
    RECT client = {};
};

}  // namespace

TEST_F(December2009, GridHoldsTheDaysWhereTheyArePainted)
{
    Canvas* canvas = nullptr;
    paint_month(canvas);
    MonthGrid grid;
    fill_month_grid(grid, 2009, 12);
    for (int p = 0; p < grid_cells; ++p) {
        int expected = p >= 2 && p <= 32 ? p - 1 : empty_cell;
        EXPECT_EQ(grid[p], expected) << p;
    }
    delete canvas;
}

TEST_F(December2009, TodayHolidaysAndWeekendsInTheirColours)
{
    Canvas* canvas = nullptr;
    paint_month(canvas);
    const OptionsRecord* o = options();
    EXPECT_EQ(box_color(*canvas, 6), o->today_back_color);
    EXPECT_EQ(box_color(*canvas, 7), o->background_color);
    // Numbers: Sundays and the holiday red, Saturdays blue, the rest black.
    for (int day : {6, 13, 20, 27, 23}) {
        EXPECT_GT(canvas->count(number_area(day), o->sunday_color), 3) << day;
        EXPECT_EQ(canvas->count(number_area(day), o->weekday_color), 0) << day;
    }
    for (int day : {5, 12, 19, 26}) EXPECT_GT(canvas->count(number_area(day), o->saturday_color), 3) << day;
    for (int day : {1, 9, 22, 24, 31}) {
        EXPECT_GT(canvas->count(number_area(day), o->weekday_color), 3) << day;
        EXPECT_EQ(canvas->count(number_area(day), o->sunday_color), 0) << day;
    }
    delete canvas;
}

TEST_F(December2009, TodayTextColourWinsWhenItDiffersFromItsBack)
{
    options()->today_text_color = RGB(0, 128, 0);
    Canvas* canvas = nullptr;
    paint_month(canvas);
    EXPECT_GT(canvas->count(number_area(6), RGB(0, 128, 0)), 3);
    EXPECT_EQ(canvas->count(number_area(6), options()->sunday_color), 0);
    delete canvas;
}

TEST_F(December2009, ResultsMarkWinsAndLossesByTheirSignTodaysInsideItsFrame)
{
    options()->show_results = 1;
    shown.amounts[11][9] = 500;   // 10th
    shown.amounts[11][10] = -1;   // 11th: the stored draw is marked as a loss
    shown.amounts[11][14] = 5;    // 15th: a small win is still a win
    shown.amounts[11][5] = 1000;  // today
    Canvas* canvas = nullptr;
    paint_month(canvas);
    const OptionsRecord* o = options();
    EXPECT_EQ(box_color(*canvas, 10), o->win_color);
    EXPECT_EQ(box_color(*canvas, 11), o->loss_color);
    EXPECT_EQ(box_color(*canvas, 15), o->win_color);
    const RECT today = day_cell(6);
    EXPECT_EQ(canvas->at((today.left + today.right) / 2, today.top + 6), o->win_color) << "today's result shows";
    EXPECT_EQ(canvas->at(today.left + 2, (today.top + today.bottom) / 2), o->today_back_color) << "in its frame";
    EXPECT_EQ(box_color(*canvas, 16), o->background_color);
    delete canvas;

    options()->show_results = 0;
    paint_month(canvas);
    EXPECT_EQ(box_color(*canvas, 10), o->background_color);
    EXPECT_EQ(box_color(*canvas, 11), o->background_color);
    delete canvas;
}

TEST_F(December2009, YearCaptionReads2009AndTheClockOnlyWithShowTime)
{
    Canvas* canvas = nullptr;
    paint_month(canvas);
    const OptionsRecord* o = options();
    // The same caption drawn on its own, for comparison.
    Canvas reference(client.right, client.bottom);
    erase_background(reference.dc(), client);
    HGDIOBJ old = SelectObject(reference.dc(), view.fonts.month);
    const RECT& year = view.layout.year_box;
    const BoxPainting saved = begin_boxes(reference.dc());
    draw_box(reference.dc(), year, o->year_back_color, o->frame_flags[frame_year], o->raised_flags[frame_year],
             o->sunken_flags[frame_year]);
    draw_label(reference.dc(), L"2009", year, o->year_text_color);
    end_boxes(reference.dc(), saved);
    SelectObject(reference.dc(), old);
    EXPECT_TRUE(canvas->same_area(reference, year));
    EXPECT_GT(canvas->count(year, o->year_text_color), 3);

    const RECT& clock = view.layout.clock_rect;
    EXPECT_EQ(canvas->count(clock, o->time_text_color), 0);
    delete canvas;

    options()->show_time = 1;
    paint_month(canvas);
    EXPECT_GT(canvas->count(clock, o->time_text_color), 3);
    delete canvas;
}

TEST_F(December2009, CaptionWithTextEqualToBackTakesTodaysColour)
{
    options()->year_text_color = options()->year_back_color;
    EXPECT_EQ(caption_color(options()->year_text_color, options()->year_back_color, view.today, shown),
              +options()->sunday_color);
    view.today = DateRecord{2009, 12, 5, 6, 9, 5, 7};  // a Saturday
    EXPECT_EQ(caption_color(1, 1, view.today, shown), +options()->saturday_color);
    EXPECT_EQ(caption_color(1, 2, view.today, shown), 1u);
}

TEST_F(December2009, YearViewFillsTwelveGridsAndMarksTodayOnce)
{
    options()->year_mode = 1;
    cell = measure_cell_size(nullptr, view.fonts.year, view.layout);
    client = RECT{0, 0, 31 * cell, 24 * cell};
    set_boxes(true);
    Canvas canvas(client.right, client.bottom);
    erase_background(canvas.dc(), client);
    paint_calendar(canvas.dc(), client, view, shown);
    MonthGrid grids[13];
    for (int month = 1; month <= 12; ++month) fill_month_grid(grids[month], 2009, month);
    EXPECT_EQ(grids[1][4], 1) << "1 January 2009 was a Thursday";
    EXPECT_EQ(grids[2][0], 1) << "February 2009 starts on a Sunday";
    EXPECT_EQ(grids[2][28], empty_cell);
    EXPECT_EQ(grids[12][2], 1);
    // Today's box in December's block, and nowhere else.
    long left = block_left(12, cell) + 0 * cell, top = block_top(12, cell) + (2 + 1) * cell;  // the 6th: row 1, col 0
    EXPECT_EQ(canvas.at(left + 4, top + 4), +options()->today_back_color);
    EXPECT_EQ(canvas.count(client, options()->today_back_color) > 0, true);
    long june_left = block_left(6, cell), june_top = block_top(6, cell) + 3 * cell;  // 7 June 2009: row 1, col 0
    EXPECT_EQ(canvas.at(june_left + 4, june_top + 4), +options()->background_color);
}

TEST(DrawBox, FrameStylesAndTheDCGivenBackAsItWas)
{
    Canvas canvas(40, 40);
    const RECT all = {0, 0, 40, 40};
    const RECT box = {5, 5, 35, 35};
    const COLORREF fill = RGB(10, 200, 30);
    auto fresh = [&] { FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))); };
    SetBkMode(canvas.dc(), OPAQUE);
    const HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    const BoxPainting saved = begin_boxes(canvas.dc());

    fresh();
    draw_box(canvas.dc(), box, fill, 0, 0, 1);  // sunken alone is flat
    EXPECT_EQ(canvas.at(5, 5), fill);
    EXPECT_EQ(canvas.at(34, 34), fill);
    EXPECT_EQ(canvas.at(35, 35), RGB(255, 255, 255)) << "right and bottom rows are left out";

    fresh();
    draw_box(canvas.dc(), box, fill, 1, 0, 0);  // rounded black frame
    EXPECT_EQ(canvas.at(20, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(20, 20), fill);
    EXPECT_EQ(canvas.at(5, 5), RGB(255, 255, 255)) << "the corner is rounded off";

    fresh();
    draw_box(canvas.dc(), box, fill, 1, 1, 0);  // 3D wins over the frame
    EXPECT_EQ(canvas.at(20, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.at(20, 6), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(canvas.at(20, 34), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.at(20, 20), fill);

    fresh();
    draw_box(canvas.dc(), box, fill, 0, 1, 1);
    EXPECT_EQ(canvas.at(20, 5), GetSysColor(COLOR_3DSHADOW)) << "sunken: shadow at the top";
    EXPECT_EQ(canvas.at(20, 34), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(canvas.at(20, 20), fill);

    draw_label(canvas.dc(), L"12", box, RGB(255, 0, 0));
    EXPECT_GT(canvas.count(box, RGB(255, 0, 0)), 3);
    end_boxes(canvas.dc(), saved);
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
}

// The bevel is drawn with fills for speed; it must give the pixels of the
// system's edge drawn on the left and top, then on the right and bottom.
TEST(ViewDraw, BevelEqualsTheEdgeDrawnInTwoHalves)
{
    const RECT all = {0, 0, 40, 40}, box = {5, 5, 35, 35};
    const COLORREF fill = RGB(10, 200, 30);
    for (int sunken = 0; sunken <= 1; ++sunken) {
        Canvas ours(40, 40), system(40, 40);
        FillRect(ours.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        FillRect(system.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const BoxPainting saved = begin_boxes(ours.dc());
        draw_box(ours.dc(), box, fill, 0, 1, sunken);
        end_boxes(ours.dc(), saved);
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(system.dc(), &box, brush);
        DeleteObject(brush);
        RECT edge = box;
        UINT kind = sunken ? EDGE_SUNKEN : EDGE_RAISED;
        DrawEdge(system.dc(), &edge, kind, BF_LEFT | BF_TOP);
        edge = box;
        DrawEdge(system.dc(), &edge, kind, BF_RIGHT | BF_BOTTOM);
        for (long y = all.top; y < all.bottom; ++y)
            for (long x = all.left; x < all.right; ++x)
                ASSERT_EQ(ours.at(x, y), system.at(x, y)) << "sunken " << sunken << " at " << x << "," << y;
    }
}

// Picks 12 points in the font picker open on this thread and confirms it,
// as a person does.
VOID CALLBACK pick_twelve_points(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND picker = FindWindowW(L"#32770", nullptr);
    if (!picker || GetWindowThreadProcessId(picker, nullptr) != GetCurrentThreadId()) return;
    KillTimer(nullptr, timer);
    const int size_box = 0x472;
    SendDlgItemMessageW(picker, size_box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"12"));
    SendMessageW(picker, WM_COMMAND, MAKEWPARAM(size_box, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(picker, size_box)));
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
}

TEST(ViewFonts, StoredFontsCrossTheShiftJisBoundary)
{
    StoredLogFont stored = {};
    stored.lfHeight = -100000;
    stored.lfWidth = 0x7FFFFFFF;
    stored.lfCharSet = SHIFTJIS_CHARSET;
    std::memcpy(stored.lfFaceName, "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E", 13);  // ＭＳ ゴシック
    LOGFONTW wide = wide_log_font(stored);
    EXPECT_STREQ(wide.lfFaceName, L"ＭＳ ゴシック");
    EXPECT_EQ(wide.lfHeight, -96) << "damaged sizes come into the font picker's range";
    EXPECT_EQ(wide.lfWidth, 0);
    StoredLogFont back = {};
    store_log_font(wide, back);
    EXPECT_EQ(std::memcmp(back.lfFaceName, stored.lfFaceName, 32), 0);

    // The file keeps 96-DPI pixels: made at 150 %, and the picker's result
    // stored back as it was.
    stored.lfHeight = 20;
    LOGFONTW at_150 = log_font_at_dpi(stored, 144);
    EXPECT_EQ(at_150.lfHeight, 30);
    store_log_font_from_dpi(at_150, 144, back);
    EXPECT_EQ(back.lfHeight, 20);

    OptionsRecord* o = options();
    apply_base_defaults(o);
    apply_q_defaults(o);
    ViewFonts fonts;
    create_view_fonts(fonts, &o->month_font, &o->year_font);
    EXPECT_FALSE(is_japanese_font(fonts, view_month));
    o->year_font.lfCharSet = 128;
    EXPECT_TRUE(is_japanese_font(fonts, view_year));
    o->month_font.lfCharSet = 255;
    EXPECT_TRUE(is_japanese_font(fonts, view_month));
    EXPECT_TRUE(is_japanese_font(fonts, 7));

    // On a 150 % monitor of a 100 % system the picker still counts points
    // at the system's resolution: 12 points are 16 pixels at 96 DPI.
    create_view_fonts(fonts, &o->month_font, &o->year_font, font_picker_dpi() * 3 / 2);
    SetTimer(nullptr, 0, 50, pick_twelve_points);
    ASSERT_TRUE(choose_view_font(nullptr, fonts, view_month));
    EXPECT_EQ(o->month_font.lfHeight, -16);
    free_view_fonts(fonts);
}
