#include "view/amount_paint.h"

#include "settings/options.h"
#include "view/amount_text.h"
#include "view/chart_math.h"
#include "view/draw.h"
#include "view/layout.h"

namespace {
Rgb rgb_of(COLORREF color) { return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)}; }

const wchar_t* wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

Box box_of(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }

// Labels in the smaller face of the view; the view's face comes back after.
struct SmallFace {
    HDC dc;
    HGDIOBJ old;
};
SmallFace use_small_face(HDC dc, const CalendarView& view)
{
    HFONT face = options()->year_mode ? view.fonts.year_amounts : view.fonts.month_amounts;
    return SmallFace{dc, SelectObject(dc, face)};
}
void end_small_face(const SmallFace& face) { SelectObject(face.dc, face.old); }
}  // namespace

COLORREF amount_color(int64_t amount, COLORREF behind)
{
    const OptionsRecord* o = options();
    const ColorRef own = amount > 0 ? o->win_color : amount < 0 ? o->loss_color : o->weekday_color;
    // The same few pairs come back at every paint: the contrast search is
    // kept for them.
    struct Kept {
        ColorRef own;
        COLORREF behind;
        COLORREF text;
        bool made;
    };
    static Kept kept[8];
    static int next = 0;
    for (const Kept& one : kept)
        if (one.made && one.own == own && one.behind == behind) return one.text;
    const Rgb text = readable_text_color(rgb_of(own), rgb_of(behind));
    kept[next] = Kept{own, behind, RGB(text.red, text.green, text.blue), true};
    const COLORREF made = kept[next].text;
    next = (next + 1) % 8;
    return made;
}

int text_width(HDC dc, const char16_t* text)
{
    SIZE size = {0, 0};
    int length = 0;
    while (text[length]) ++length;
    GetTextExtentPoint32W(dc, wide(text), length, &size);
    return size.cx;
}

namespace {
// `widths` are the layout's widths of the amounts' characters.
int measure_glyphs(const char16_t* text, void* widths)
{
    return amount_glyphs_width(text, *static_cast<const int(*)[amount_glyph_count]>(widths));
}

void* glyph_widths(const CalendarView& view) { return const_cast<int*>(view.layout.amount_glyph_widths); }
}  // namespace

void paint_day_amounts(HDC dc, const DayAmount* amounts, int count, const CalendarView& view)
{
    if (count == 0) return;
    const SmallFace face = use_small_face(dc, view);
    for (int i = 0; i < count; ++i) {
        const RECT& cell = amounts[i].cell;
        char16_t text[signed_amount_text_size];
        const int64_t shown = shown_day_amount(amounts[i].amount);
        fitted_amount(shown, cell.right - cell.left - 2, measure_glyphs, glyph_widths(view), text);
        draw_label(dc, wide(text), to_rect(day_amount_box(box_of(cell), view.layout.amount_height)),
                   amount_color(shown, amounts[i].behind));
    }
    end_small_face(face);
}

void paint_name_and_total(HDC dc, const RECT& caption, const wchar_t* name, COLORREF name_color, int64_t total,
                          COLORREF back, const CalendarView& view, PendingTotals& pending)
{
    TEXTMETRICW name_metrics;
    GetTextMetricsW(dc, &name_metrics);
    SIZE name_size = {0, 0};
    GetTextExtentPoint32W(dc, name, lstrlenW(name), &name_size);
    PendingTotal& next = pending.totals[pending.count];
    const int width = caption.right - caption.left, height = caption.bottom - caption.top;
    const int amount_height = view.layout.amount_height;
    fitted_amount(total, width - 4, measure_glyphs, glyph_widths(view), next.text);
    const int total_width = measure_glyphs(next.text, glyph_widths(view));
    RECT name_rect = caption;
    next.rect = caption;
    bool shown = true;
    if (height >= name_metrics.tmHeight + amount_height) {
        name_rect.bottom = caption.bottom - amount_height - 1;
        next.rect.top = name_rect.bottom - 1;
    } else if (width >= name_size.cx + total_width + 12) {
        // Too low for two lines: the name and the total side by side.
        name_rect.right = caption.left + (width - total_width - 4 + name_size.cx) / 2 + 2;
        name_rect.left = name_rect.right - name_size.cx - 4;
        next.rect.left = name_rect.right + 4;
        next.rect.right = next.rect.left + total_width;
    } else {
        shown = false;
    }
    if (shown) {
        next.color = amount_color(total, back);
        ++pending.count;
    }
    draw_label(dc, name, shown ? name_rect : caption, name_color);
}

void paint_pending_totals(HDC dc, const PendingTotals& pending, const CalendarView& view)
{
    if (pending.count == 0) return;
    const SmallFace face = use_small_face(dc, view);
    for (int i = 0; i < pending.count; ++i)
        draw_label(dc, wide(pending.totals[i].text), pending.totals[i].rect, pending.totals[i].color);
    end_small_face(face);
}

std::u16string period_line_for(HDC dc, const RECT& line, const PeriodFigures& figures, bool year_view)
{
    std::u16string text = period_line_text(figures, year_view, false);
    if (text_width(dc, text.c_str()) > line.right - line.left - 4) text = period_line_text(figures, year_view, true);
    return text;
}

void paint_period_line(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown)
{
    if (view.layout.line_height <= 0) return;
    const RECT line = to_rect(period_line_box(client.right, client.bottom, view.layout.line_height));
    const SmallFace face = use_small_face(dc, view);
    const bool year_view = options()->year_mode != 0;
    const PeriodFigures figures = period_figures(shown, year_view ? 0 : view.shown.month);
    const std::u16string text = period_line_for(dc, line, figures, year_view);
    draw_label(dc, wide(text.c_str()), line, amount_color(figures.summary.sum, options()->background_color));
    end_small_face(face);
}
