// Paints the one-year view and the month view into a memory DC many times
// and prints microseconds per paint beside the floor: the same number of
// rectangle fills and text draws with stock objects.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "view/offscreen.h"
#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "ledger/year_ledger.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/dpi.h"
#include "view/fonts.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {

double now_us()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void floor_paint(const Offscreen& target, HFONT font, int cell, int boxes, int labels, HFONT small = nullptr,
                 int small_labels = 0)
{
    HGDIOBJ old = SelectObject(target.dc, font);
    SetBkMode(target.dc, TRANSPARENT);
    const int across = target.client.right / cell;
    for (int i = 0; i < boxes; ++i) {
        RECT rect = {(i % across) * cell, (i / across % 24) * cell, 0, 0};
        rect.right = rect.left + cell;
        rect.bottom = rect.top + cell;
        FillRect(target.dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    for (int i = 0; i < labels; ++i) {
        RECT rect = {(i % across) * cell, (i / across % 24) * cell, 0, 0};
        rect.right = rect.left + cell;
        rect.bottom = rect.top + cell;
        wchar_t text[4];
        wsprintfW(text, L"%d", i % 31 + 1);
        DrawTextW(target.dc, text, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
    // The amounts' texts: in their smaller face, as long as theirs.
    if (small) SelectObject(target.dc, small);
    for (int i = 0; i < small_labels; ++i) {
        RECT rect = {(i % across) * cell, (i / across % 24) * cell, 0, 0};
        rect.right = rect.left + cell;
        rect.bottom = rect.top + cell;
        DrawTextW(target.dc, L"+1,500", -1, &rect, DT_SINGLELINE | DT_CENTER | DT_BOTTOM | DT_NOCLIP);
    }
    SelectObject(target.dc, old);
}

// Best of several batches: the machine's other work only ever adds time.
template <typename Paint>
double time_per_call(int rounds, Paint paint)
{
    paint();  // warm caches and glyphs
    double best = 1e300;
    for (int batch = 0; batch < 7; ++batch) {
        double start = now_us();
        for (int i = 0; i < rounds; ++i) paint();
        GdiFlush();
        double per_call = (now_us() - start) / rounds;
        if (per_call < best) best = per_call;
    }
    return best;
}

void report(const char* view, double paint_us, double floor_us, int boxes, int labels)
{
    std::printf("%-9s paint %8.1f us   floor %8.1f us (%d fills, %d texts)   ratio %.2f\n", view, paint_us, floor_us,
                boxes, labels, paint_us / floor_us);
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    OptionsRecord* o = options();
    apply_fresh_defaults(o);
    o->show_results = 1;
    o->show_time = 1;
    holiday_table()[0] = HolidayRule{1989, 12, 23, 2018, "x"};
    LedgerYear shown;
    clear_ledger_year(shown, 2009);
    for (int m = 0; m < 12; ++m)
        for (int d = 0; d < 31; d += 3) shown.amounts[m][d] = d % 2 ? 500 : -300;
    CalendarView view;
    view.today = DateRecord{2009, 12, 6, 0, 9, 5, 7};
    view.shown = CalendarDay{2009, 12, 6};
    // At the screen's resolution, as the program draws (run at 96 and 144).
    view.layout.dpi = window_dpi(nullptr);
    create_view_fonts(view.fonts, &o->month_font, &o->year_font, view.layout.dpi);
    std::printf("at %d DPI\n", view.layout.dpi);

    // One-year view of 2009: 12 x (7 headers + caption) boxes and labels,
    // 365 days with their labels, the overlays, the year and clock captions.
    o->year_mode = 1;
    int cell = measure_cell_size(nullptr, view.fonts.year, view.layout);
    Offscreen year;
    make_offscreen(31 * cell, 24 * cell, year);
    view.layout.year_box = to_rect(year_box_for(true, year.client.right, year.client.bottom, cell));
    view.layout.clock_rect = to_rect(clock_box_for(true, year.client.right, year.client.bottom, cell));
    int overlays = 0;
    for (int m = 0; m < 12; ++m)
        for (int d = 0; d < days_in_month(2009, m + 1); ++d) overlays += shown.amounts[m][d] != 0;
    int year_boxes = 12 * 8 + 365 + overlays + 2, year_labels = 12 * 8 + 365 + 2;
    double paint = time_per_call(rounds, [&] { paint_calendar(year.dc, year.client, view, shown); });
    double floor = time_per_call(rounds, [&] { floor_paint(year, view.fonts.year, cell, year_boxes, year_labels); });
    report("one-year", paint, floor, year_boxes, year_labels);
    free_offscreen(year);

    o->year_mode = 0;
    cell = measure_cell_size(nullptr, view.fonts.month, view.layout);
    Offscreen month;
    make_offscreen(7 * cell, 7 * cell, month);
    view.layout.year_box = to_rect(year_box_for(false, month.client.right, month.client.bottom, cell));
    view.layout.clock_rect = to_rect(clock_box_for(false, month.client.right, month.client.bottom, cell));
    int month_boxes = 7 + 31 + 10 + 3, month_labels = 7 + 31 + 3;
    paint = time_per_call(rounds, [&] { paint_calendar(month.dc, month.client, view, shown); });
    floor = time_per_call(rounds, [&] { floor_paint(month, view.fonts.month, cell, month_boxes, month_labels); });
    report("month", paint, floor, month_boxes, month_labels);
    free_offscreen(month);

    // With amounts: a text more per played day (under its number, or a
    // month's total in its caption) and the line under the grid.
    set_show_amounts(true);
    // The view laid out with amounts: its offscreen picture and captions.
    auto laid_out = [&](bool year_view, Offscreen& target) {
        o->year_mode = year_view;
        calendar_view_size(nullptr, view);
        const int size = view.layout.cell_width, bottom = (year_view ? 24 : 7) * size;
        make_offscreen((year_view ? 31 : 7) * size, bottom + view.layout.line_height, target);
        view.layout.year_box = to_rect(year_box_for(year_view, target.client.right, bottom, size));
        view.layout.clock_rect = to_rect(clock_box_for(year_view, target.client.right, bottom, size));
        return size;
    };
    cell = laid_out(true, year);
    paint = time_per_call(rounds, [&] { paint_calendar(year.dc, year.client, view, shown); });
    floor = time_per_call(rounds, [&] {
        floor_paint(year, view.fonts.year, cell, year_boxes, year_labels, view.fonts.year_amounts, 12 + 1);
    });
    report("year+amt", paint, floor, year_boxes, year_labels + 12 + 1);
    free_offscreen(year);

    cell = laid_out(false, month);
    int played = 0;
    for (int d = 0; d < 31; ++d) played += shown.amounts[11][d] != 0;
    paint = time_per_call(rounds, [&] { paint_calendar(month.dc, month.client, view, shown); });
    floor = time_per_call(rounds, [&] {
        floor_paint(month, view.fonts.month, cell, month_boxes, month_labels, view.fonts.month_amounts, played + 1);
    });
    report("month+amt", paint, floor, month_boxes, month_labels + played + 1);
    free_offscreen(month);
    free_view_fonts(view.fonts);
    return 0;
}
