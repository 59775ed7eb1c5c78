#include "view/paint.h"

#include <cstring>

#include "calendar/holidays.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/amount_paint.h"
#include "view/day_colors.h"
#include "view/dpi.h"
#include "view/draw.h"
#include "view/fonts.h"
#include "view/layout.h"
#include "view/offscreen.h"
#include "view/small_display.h"

namespace {

const wchar_t* const japanese_month_names[12] = {
    L"１ 睦月(むつき)", L"２ 如月(きさらぎ)", L"３ 弥生(やよい)", L"４ 卯月(うづき)",
    L"５ 皐月(さつき)", L"６ 水無月(みなづき)", L"７ 文月(ふづき)", L"８ 葉月(はづき)",
    L"９ 長月(ながつき)", L"10 神無月(かんなづき)", L"11 霜月(しもつき)", L"12 師走(しわす)",
};
const wchar_t* const english_month_names[12] = {
    L"1 January", L"2 February", L"3 March",     L"4 April",    L"5 May",       L"6 June",
    L"7 July",    L"8 August",   L"9 September", L"10 October", L"11 November", L"12 December",
};

void draw_element(HDC dc, const RECT& rect, COLORREF fill, FrameElement element)
{
    const OptionsRecord* o = options();
    draw_box(dc, rect, fill, o->frame_flags[element], o->raised_flags[element], o->sunken_flags[element]);
}

RECT cell_rect(long left, long top, int cell) { return RECT{left, top, left + cell, top + cell}; }

void paint_weekday_header(HDC dc, const RECT& block, int cell, bool year_view, bool japanese)
{
    long top = block.top + (year_view ? cell : 0);
    for (int column = 0; column < 7; ++column) {
        RECT rect = cell_rect(block.left + column * cell, top, cell);
        draw_element(dc, rect, options()->background_color, frame_weekday);
        char16_t name[3];
        weekday_name(name, japanese, column);
        draw_label(dc, reinterpret_cast<const wchar_t*>(name), rect, weekday_header_color(column, *options()));
    }
}

bool is_today(const DateRecord& today, int year, int month, int day)
{
    return day == today.day && year == today.year && month == today.month;
}

// The box under a day's number: today, a win or a loss when results show,
// or today with its result inside its frame (the day recorded most often).
// The fill the number and the amount are drawn on.
COLORREF paint_day_overlay(HDC dc, const RECT& rect, const CalendarView& view, int month, int day, int32_t amount)
{
    const OptionsRecord* o = options();
    RECT result = rect;
    COLORREF behind = o->background_color;
    if (is_today(view.today, view.shown.year, month, day)) {
        draw_element(dc, rect, behind = o->today_back_color, frame_today);
        const int ring = scale_to_dpi(3, view.layout.dpi);
        InflateRect(&result, -ring, -ring);
    }
    if (!o->show_results) return behind;
    if (amount > 0) draw_element(dc, result, behind = o->win_color, frame_win);
    if (amount < 0) draw_element(dc, result, behind = o->loss_color, frame_loss);
    return behind;
}

void paint_days(HDC dc, const RECT& block, const CalendarView& view, int month, bool year_view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    const int cell = view.layout.cell_width;
    const int year = view.shown.year;
    const int days = days_in_month(year, month);
    long top = block.top + cell + (year_view ? cell : 0);
    int column = weekday_of(year, month, 1);
    const bool amounts = !year_view && show_amounts();
    DayAmount played[31];
    int played_count = 0;
    for (int day = 1; day <= days; ++day) {
        RECT rect = cell_rect(block.left + column * cell, top, cell);
        draw_element(dc, rect, o->background_color, frame_day);
        const DayEntry entry = day_of(shown, month, day);
        const COLORREF behind = paint_day_overlay(dc, rect, view, month, day, entry.amount);
        COLORREF color = day_color(kind_of_day(year, month, day, entry.day_off), *o);
        if (is_today(view.today, year, month, day) && o->today_text_color != o->today_back_color)
            color = o->today_text_color;
        wchar_t number[4];
        wsprintfW(number, L"%d", day);
        if (amounts) {
            draw_label(dc, number, to_rect(day_number_box(Box{rect.left, rect.top, rect.right, rect.bottom},
                                                          view.layout.amount_height)), color);
            if (entry.amount != 0) played[played_count++] = DayAmount{rect, entry.amount, behind};
        } else {
            draw_label(dc, number, rect, color);
        }
        if (++column == 7) {
            column = 0;
            top += cell;
        }
    }
    paint_day_amounts(dc, played, played_count, view);
}

void paint_caption(HDC dc, const RECT& rect, const wchar_t* text, COLORREF text_color, COLORREF back_color,
                   FrameElement element, const DateRecord& today, const LedgerYear& shown)
{
    draw_element(dc, rect, back_color, element);
    draw_label(dc, text, rect, caption_color(text_color, back_color, today, shown));
}

}  // namespace

void erase_background(HDC dc, const RECT& client)
{
    SetDCBrushColor(dc, options()->background_color);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

namespace {
// A dotted rectangle inside the selected day's cell, clear of its frame;
// drawn inverted, so today's box, a win or loss and the number's colour
// show through.
void paint_selection(HDC dc, const CalendarView& view)
{
    RECT cell = selected_day_cell(view);
    const int inset = scale_to_dpi(2, view.layout.dpi);
    InflateRect(&cell, -inset, -inset);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &cell);
}

void paint_content(HDC dc, const RECT& client, bool focused, const CalendarView& view, const LedgerYear& shown)
{
    erase_background(dc, client);
    const OptionsRecord* o = options();
    if (!o->small_mode) {
        paint_calendar(dc, client, view, shown);
        if (focused && view.layout.selection_cue) paint_selection(dc, view);
    } else if (o->digital_clock)
        paint_digital_clock(dc, view);
    else
        paint_text_clock(dc, client, view, shown);
}
}  // namespace

void paint_window(HWND window, const CalendarView& view, const LedgerYear& shown)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const bool focused = GetFocus() == window;
    // Only the invalid part is drawn.
    Offscreen memory;
    if (!make_offscreen(client.right, client.bottom, memory)) {
        // No memory for the copy: straight onto the window rather than a
        // black one.
        paint_content(dc, client, focused, view, shown);
        EndPaint(window, &paint);
        return;
    }
    const RECT& area = paint.rcPaint;
    IntersectClipRect(memory.dc, area.left, area.top, area.right, area.bottom);
    paint_content(memory.dc, client, focused, view, shown);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.dc, area.left, area.top,
           SRCCOPY);
    free_offscreen(memory);
    EndPaint(window, &paint);
}

COLORREF caption_color(COLORREF text, COLORREF back, const DateRecord& today, const LedgerYear& shown)
{
    if (text != back) return text;
    return day_color(kind_of_day(today.year, today.month, today.day, day_of(shown, today.month, today.day).day_off),
                     *options());
}

void paint_calendar(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown)
{
    const int cell = view.layout.cell_width;
    const BoxPainting saved = begin_boxes(dc);
    HGDIOBJ old_font;
    if (options()->year_mode) {
        old_font = SelectObject(dc, view.fonts.year);
        PendingTotals totals;
        PendingTotals* gathered = show_amounts() ? &totals : nullptr;
        for (int month = 1; month <= 12; ++month) {
            RECT block = {client.left + block_left(month, cell), client.top + block_top(month, cell), 0, 0};
            block.right = block.left + 7 * cell;
            block.bottom = block.top + 7 * cell;
            paint_month_block(dc, block, view, month, true, shown, gathered);
        }
        paint_pending_totals(dc, totals, view);
    } else {
        old_font = SelectObject(dc, view.fonts.month);
        RECT grid = client;
        grid.bottom -= view.layout.line_height;  // the month caption sits on the grid
        paint_month_block(dc, grid, view, view.shown.month, false, shown);
    }
    paint_year_caption(dc, view, shown);
    if (options()->show_time) paint_clock_caption(dc, view, shown);
    if (show_amounts()) paint_period_line(dc, client, view, shown);
    SelectObject(dc, old_font);
    end_boxes(dc, saved);
}

void paint_month_block(HDC dc, const RECT& block, const CalendarView& view, int month, bool year_view,
                       const LedgerYear& shown, PendingTotals* totals)
{
    const int cell = view.layout.cell_width;
    paint_weekday_header(dc, block, cell, year_view, is_japanese_font(view.fonts, year_view ? view_year : view_month));
    paint_days(dc, block, view, month, year_view, shown);
    const RECT caption = year_view ? RECT{block.left, block.top, block.right, block.top + cell}
                                   : to_rect(month_box_for_month_view(block.right, block.bottom, cell));
    paint_month_caption(dc, caption, view, month, year_view, shown, totals);
}

void paint_month_caption(HDC dc, const RECT& caption, const CalendarView& view, int month, bool year_view,
                         const LedgerYear& shown, PendingTotals* totals)
{
    const OptionsRecord* o = options();
    wchar_t number[4];
    const wchar_t* text = number;
    if (year_view)
        text = (is_japanese_font(view.fonts, view_year) ? japanese_month_names : english_month_names)[(month + 11) % 12];
    else
        wsprintfW(number, L"%d", month);
    // A month of the one-year view with played days gives its total.
    const ResultSummary played = year_view && totals ? month_summary(shown, month - 1) : ResultSummary{};
    if (played.wins + played.losses + played.draws == 0) {
        paint_caption(dc, caption, text, o->month_text_color, o->month_back_color, frame_month, view.today, shown);
        return;
    }
    draw_element(dc, caption, o->month_back_color, frame_month);
    paint_name_and_total(dc, caption, text, caption_color(o->month_text_color, o->month_back_color, view.today, shown),
                         played.sum, o->month_back_color, view, *totals);
}

void paint_year_caption(HDC dc, const CalendarView& view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    wchar_t text[8];
    wsprintfW(text, L"%04d", view.shown.year);
    paint_caption(dc, view.layout.year_box, text, o->year_text_color, o->year_back_color, frame_year, view.today, shown);
}

void paint_clock_caption(HDC dc, const CalendarView& view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    wchar_t text[8];
    wsprintfW(text, L"%d:%02d", view.today.hour, view.today.minute);
    paint_caption(dc, view.layout.clock_rect, text, o->time_text_color, o->time_back_color, frame_time, view.today,
                  shown);
}
