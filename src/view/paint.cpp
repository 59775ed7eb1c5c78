#include "view/paint.h"

#include <cstring>

#include "calendar/holidays.h"
#include "ledger/year_ledger.h"
#include "settings/options.h"
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

COLORREF header_color(int column)
{
    const OptionsRecord* o = options();
    return column == 0 ? o->sunday_color : column == 6 ? o->saturday_color : o->weekday_color;
}

void paint_weekday_header(HDC dc, const RECT& block, bool year_view, bool japanese)
{
    const int cell = view_layout()->cell_width;
    long top = block.top + (year_view ? cell : 0);
    for (int column = 0; column < 7; ++column) {
        RECT rect = cell_rect(block.left + column * cell, top, cell);
        draw_element(dc, rect, options()->background_color, frame_weekday);
        char16_t name[3];
        weekday_name(name, japanese, column);
        draw_label(dc, reinterpret_cast<const wchar_t*>(name), rect, header_color(column));
    }
}

bool is_today(const DateRecord& record, int day)
{
    const DateRecord* today = today_date();
    return day == today->day && record.year == today->year && record.month == today->month;
}

// The box under a day's number: today, a win or a loss when results show,
// or today with its result inside its frame (the day recorded most often).
void paint_day_overlay(HDC dc, const RECT& rect, const DateRecord& record, int day, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    RECT result = rect;
    if (is_today(record, day)) {
        draw_element(dc, rect, o->today_back_color, frame_today);
        const int ring = scale_to_dpi(3, view_layout()->dpi);
        InflateRect(&result, -ring, -ring);
    }
    if (!o->show_results) return;
    int32_t amount = day_of(shown, record.month, day).amount;
    if (amount > 0) draw_element(dc, result, o->win_color, frame_win);
    if (amount < 0) draw_element(dc, result, o->loss_color, frame_loss);
}

void paint_days(HDC dc, const RECT& block, DateRecord& record, bool year_view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    const int cell = view_layout()->cell_width;
    const int year = record.year;
    const int days = days_in_month(year, record.month);
    const int first = compute_first_weekday(&record);
    long top = block.top + cell + (year_view ? cell : 0);
    int column = first;
    for (int day = 1; day <= days; ++day) {
        RECT rect = cell_rect(block.left + column * cell, top, cell);
        draw_element(dc, rect, o->background_color, frame_day);
        paint_day_overlay(dc, rect, record, day, shown);
        COLORREF color = day_color(year, record.month, day, first, day_of(shown, record.month, day).day_off);
        if (is_today(record, day) && o->today_text_color != o->today_back_color) color = o->today_text_color;
        wchar_t number[4];
        wsprintfW(number, L"%d", day);
        draw_label(dc, number, rect, color);
        if (++column == 7) {
            column = 0;
            top += cell;
        }
    }
}

void paint_caption(HDC dc, const RECT& rect, const wchar_t* text, COLORREF text_color, COLORREF back_color,
                   FrameElement element, const LedgerYear& shown)
{
    draw_element(dc, rect, back_color, element);
    draw_label(dc, text, rect, caption_color(text_color, back_color, shown));
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
void paint_selection(HDC dc)
{
    RECT cell = selected_day_cell();
    const int inset = scale_to_dpi(2, view_layout()->dpi);
    InflateRect(&cell, -inset, -inset);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &cell);
}

void paint_content(HDC dc, const RECT& client, bool focused, const LedgerYear& shown)
{
    erase_background(dc, client);
    const OptionsRecord* o = options();
    if (!o->small_mode) {
        paint_calendar(dc, client, shown);
        if (focused && view_layout()->selection_cue) paint_selection(dc);
    } else if (o->digital_clock)
        paint_digital_clock(dc, client);
    else
        paint_text_clock(dc, client, shown);
}
}  // namespace

void paint_window(HWND window, const LedgerYear& shown)
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
        paint_content(dc, client, focused, shown);
        EndPaint(window, &paint);
        return;
    }
    const RECT& area = paint.rcPaint;
    IntersectClipRect(memory.dc, area.left, area.top, area.right, area.bottom);
    paint_content(memory.dc, client, focused, shown);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.dc, area.left, area.top,
           SRCCOPY);
    free_offscreen(memory);
    EndPaint(window, &paint);
}

COLORREF caption_color(COLORREF text, COLORREF back, const LedgerYear& shown)
{
    if (text != back) return text;
    const DateRecord* today = today_date();
    return day_color(today->year, today->month, today->day, today->first_weekday,
                     day_of(shown, today->month, today->day).day_off);
}

void paint_calendar(HDC dc, const RECT& client, const LedgerYear& shown)
{
    const int cell = view_layout()->cell_width;
    const DateRecord* shown_date = display_date();
    const BoxPainting saved = begin_boxes(dc);
    HGDIOBJ old_font;
    if (options()->year_mode) {
        old_font = SelectObject(dc, year_view_font());
        for (int month = 1; month <= 12; ++month) {
            DateRecord record = *shown_date;
            record.month = static_cast<int8_t>(month);
            RECT block = {client.left + block_left(month, cell), client.top + block_top(month, cell), 0, 0};
            block.right = block.left + 7 * cell;
            block.bottom = block.top + 7 * cell;
            paint_month_block(dc, block, record, true, shown);
        }
    } else {
        old_font = SelectObject(dc, month_view_font());
        paint_month_block(dc, client, *display_date(), false, shown);
    }
    paint_year_caption(dc, shown);
    if (options()->show_time) paint_clock_caption(dc, shown);
    SelectObject(dc, old_font);
    end_boxes(dc, saved);
}

void paint_month_block(HDC dc, const RECT& block, DateRecord& record, bool year_view, const LedgerYear& shown)
{
    const int cell = view_layout()->cell_width;
    paint_weekday_header(dc, block, year_view, is_japanese_font(year_view ? view_year : view_month));
    paint_days(dc, block, record, year_view, shown);
    const RECT caption = year_view ? RECT{block.left, block.top, block.right, block.top + cell}
                                   : to_rect(month_box_for_month_view(block.right, block.bottom, cell));
    paint_month_caption(dc, caption, record.month, year_view, shown);
}

void paint_month_caption(HDC dc, const RECT& caption, int month, bool year_view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    wchar_t number[4];
    const wchar_t* text = number;
    if (year_view)
        text = (is_japanese_font(view_year) ? japanese_month_names : english_month_names)[(month + 11) % 12];
    else
        wsprintfW(number, L"%d", month);
    paint_caption(dc, caption, text, o->month_text_color, o->month_back_color, frame_month, shown);
}

void paint_year_caption(HDC dc, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    wchar_t text[8];
    wsprintfW(text, L"%04d", display_date()->year);
    paint_caption(dc, view_layout()->year_box, text, o->year_text_color, o->year_back_color, frame_year, shown);
}

void paint_clock_caption(HDC dc, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    const DateRecord* today = today_date();
    wchar_t text[8];
    wsprintfW(text, L"%d:%02d", today->hour, today->minute);
    paint_caption(dc, view_layout()->clock_rect, text, o->time_text_color, o->time_back_color, frame_time, shown);
}
