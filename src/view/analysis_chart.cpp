#include "view/analysis_chart.h"

#include <algorithm>
#include <vector>

#include "calendar/dates.h"
#include "view/amount_text.h"
#include "view/dpi.h"
#include "view/fonts.h"

namespace {

const COLORREF chart_back = RGB(255, 255, 255);
const COLORREF grid_color = RGB(226, 226, 226);
const COLORREF zero_color = RGB(96, 96, 96);
const COLORREF label_color = RGB(64, 64, 64);
const COLORREF running_color = RGB(0, 70, 170);

void amount_label(int64_t amount, wchar_t (&text)[large_amount_text_size])
{
    format_sum(amount, reinterpret_cast<char16_t*>(text));
}

long text_width(HDC dc, const wchar_t* text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

long amount_width(HDC dc, int64_t amount)
{
    wchar_t text[large_amount_text_size];
    amount_label(amount, text);
    return text_width(dc, text);
}

Rgb rgb_of(COLORREF color) { return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)}; }

// A bar's fill stays the user's colour; its edge stands out from the
// background, and is drawn wider when the fill itself barely does.
HPEN bar_pen(COLORREF fill, int dpi)
{
    const Rgb edge = bar_edge(rgb_of(fill), rgb_of(chart_back));
    const bool faint = contrast_ratio(rgb_of(fill), rgb_of(chart_back)) < least_graphic_contrast;
    return CreatePen(PS_INSIDEFRAME, scale_to_dpi(faint ? 2 : 1, dpi), RGB(edge.red, edge.green, edge.blue));
}

bool is_one_year(const BalanceAnalysis& analysis) { return analysis.period != all_years_period; }

// The font of the chart must be selected into `dc`.
ChartGeometry measure_with_font(HDC dc, const RECT& area, const BalanceAnalysis& analysis, int dpi, int64_t month_limit)
{
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const long text_height = metrics.tmHeight;
    int64_t low = 0, high = 0;
    for (const ResultSummary& bar : analysis.bars) {
        low = std::min<int64_t>(low, bar.sum);
        high = std::max<int64_t>(high, bar.sum);
    }
    for (int64_t running : analysis.running) {
        low = std::min(low, running);
        high = std::max(high, running);
    }
    if (is_one_year(analysis) && month_limit > 0) low = std::min(low, -month_limit);
    ChartGeometry geometry = {};
    geometry.plot.top = area.top + scale_to_dpi(8, dpi) + text_height / 2;
    geometry.plot.bottom = area.bottom - text_height - scale_to_dpi(8, dpi);
    // A label needs two lines of room.
    const long plot_height = geometry.plot.bottom - geometry.plot.top;
    geometry.scale = chart_scale(low, high, static_cast<int>(std::max(1L, plot_height / (2 * text_height + 1))));
    long label_width = std::max(amount_width(dc, geometry.scale.top), amount_width(dc, geometry.scale.bottom));
    geometry.plot.left = area.left + scale_to_dpi(6, dpi) + label_width + scale_to_dpi(6, dpi);
    geometry.plot.right = area.right - scale_to_dpi(12, dpi);
    geometry.bars = static_cast<int>(analysis.bars.size());
    geometry.bars_begun = std::min(geometry.bars, analysis.bars_begun);
    return geometry;
}

HPEN solid_pen(int width, COLORREF color) { return CreatePen(PS_SOLID, width, color); }

void draw_line(HDC dc, long x1, long y1, long x2, long y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void draw_grid(HDC dc, const ChartGeometry& geometry, int dpi)
{
    const RECT& plot = geometry.plot;
    const ChartScale& scale = geometry.scale;
    HPEN pen = solid_pen(scale_to_dpi(1, dpi), grid_color);
    HGDIOBJ old = SelectObject(dc, pen);
    SetTextColor(dc, label_color);
    const long gap = scale_to_dpi(6, dpi);
    for (int64_t value = scale.bottom; value <= scale.top; value += scale.step) {
        long row = scale_row(scale, value, plot.top, plot.bottom);
        draw_line(dc, plot.left, row, plot.right, row);
        wchar_t text[large_amount_text_size];
        amount_label(value, text);
        RECT label = {0, row - plot.bottom, plot.left - gap, row + plot.bottom};
        DrawTextW(dc, text, -1, &label, DT_SINGLELINE | DT_RIGHT | DT_VCENTER | DT_NOCLIP);
    }
    draw_line(dc, plot.left, plot.top, plot.left, plot.bottom);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void draw_bars(HDC dc, const ChartGeometry& geometry, const BalanceAnalysis& analysis, ChartColors colors, int dpi)
{
    const RECT& plot = geometry.plot;
    const long zero = scale_row(geometry.scale, 0, plot.top, plot.bottom);
    HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
    HPEN win_pen = bar_pen(colors.win, dpi);
    HPEN loss_pen = bar_pen(colors.loss, dpi);
    HGDIOBJ old_pen = SelectObject(dc, win_pen);
    const long least_height = scale_to_dpi(2, dpi);
    for (int i = 0; i < geometry.bars_begun; ++i) {
        int64_t sum = analysis.bars[static_cast<size_t>(i)].sum;
        if (sum == 0) continue;
        RECT slot = bar_slot(geometry, i);
        long width = std::max(1L, (slot.right - slot.left) * 3 / 5);
        long left = slot.left + (slot.right - slot.left - width) / 2;
        BarRows rows = bar_rows(scale_row(geometry.scale, sum, plot.top, plot.bottom), zero, sum > 0, least_height);
        SelectObject(dc, sum > 0 ? win_pen : loss_pen);
        SetDCBrushColor(dc, sum > 0 ? colors.win : colors.loss);
        Rectangle(dc, left, rows.top, left + width, rows.bottom + 1);
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(win_pen);
    DeleteObject(loss_pen);
}

void draw_zero_line(HDC dc, const ChartGeometry& geometry, int dpi)
{
    const RECT& plot = geometry.plot;
    const long zero = scale_row(geometry.scale, 0, plot.top, plot.bottom);
    HPEN pen = solid_pen(scale_to_dpi(1, dpi), zero_color);
    HGDIOBJ old = SelectObject(dc, pen);
    draw_line(dc, plot.left, zero, plot.right, zero);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The monthly limit under a year's bars, dashed in the loss bars' edge.
void draw_limit_line(HDC dc, const ChartGeometry& geometry, const BalanceAnalysis& analysis, ChartColors colors)
{
    if (!is_one_year(analysis) || colors.month_limit <= 0) return;
    const RECT& plot = geometry.plot;
    const long row = scale_row(geometry.scale, -colors.month_limit, plot.top, plot.bottom);
    const Rgb edge = bar_edge(Rgb{GetRValue(colors.loss), GetGValue(colors.loss), GetBValue(colors.loss)},
                              Rgb{GetRValue(chart_back), GetGValue(chart_back), GetBValue(chart_back)});
    HPEN pen = CreatePen(PS_DASH, 1, RGB(edge.red, edge.green, edge.blue));
    HGDIOBJ old = SelectObject(dc, pen);
    draw_line(dc, plot.left, row, plot.right, row);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void bar_label(const BalanceAnalysis& analysis, int index, bool short_form, wchar_t (&text)[16])
{
    if (is_one_year(analysis))
        wsprintfW(text, short_form ? L"%d" : L"%d月", index + 1);
    else
        wsprintfW(text, L"%d", analysis.first_year + index);
}

// Month labels lose their "月" when the slots are narrow; year labels are
// thinned out to every n-th.
void draw_bar_labels(HDC dc, const ChartGeometry& geometry, const BalanceAnalysis& analysis, int dpi)
{
    if (geometry.bars == 0) return;
    const long slot_width = std::max(1L, bar_slot(geometry, 0).right - bar_slot(geometry, 0).left);
    const long gap = scale_to_dpi(4, dpi);
    wchar_t text[16];
    bar_label(analysis, geometry.bars - 1, false, text);
    bool short_form = is_one_year(analysis) && text_width(dc, text) + gap > slot_width;
    bar_label(analysis, geometry.bars - 1, short_form, text);
    const long every = (text_width(dc, text) + gap + slot_width - 1) / slot_width;
    SetTextColor(dc, label_color);
    for (int i = 0; i < geometry.bars; i += static_cast<int>(every)) {
        RECT slot = bar_slot(geometry, i);
        bar_label(analysis, i, short_form, text);
        RECT label = {slot.left, geometry.plot.bottom + gap, slot.right, geometry.plot.bottom + gap};
        DrawTextW(dc, text, -1, &label, DT_SINGLELINE | DT_CENTER | DT_TOP | DT_NOCLIP);
    }
}

// One point a day in its month's slot (one year), or one a month in its
// year's slot (all years); the line starts at 0 on the left edge.
std::vector<POINT> running_points(const ChartGeometry& geometry, const BalanceAnalysis& analysis)
{
    const RECT& plot = geometry.plot;
    std::vector<POINT> points;
    points.reserve(analysis.running.size() + 1);
    points.push_back(POINT{plot.left, scale_row(geometry.scale, 0, plot.top, plot.bottom)});
    size_t next = 0;
    for (int i = 0; i < geometry.bars; ++i) {
        RECT slot = bar_slot(geometry, i);
        int steps = is_one_year(analysis) ? days_in_month(analysis.period, i + 1) : int{ledger_months};
        for (int k = 0; k < steps && next < analysis.running.size(); ++k, ++next) {
            long x = slot.left + static_cast<long>((slot.right - slot.left) * (2 * k + 1) / (2 * steps));
            points.push_back(POINT{x, scale_row(geometry.scale, analysis.running[next], plot.top, plot.bottom)});
        }
    }
    return points;
}

void draw_running_total(HDC dc, const ChartGeometry& geometry, const BalanceAnalysis& analysis, int dpi)
{
    std::vector<POINT> points = running_points(geometry, analysis);
    HPEN pen = solid_pen(scale_to_dpi(2, dpi), running_color);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, points.data(), static_cast<int>(points.size()));
    SelectObject(dc, old);
    DeleteObject(pen);
}

void draw_no_data(HDC dc, const ChartGeometry& geometry)
{
    RECT plot = geometry.plot;
    SetTextColor(dc, label_color);
    DrawTextW(dc, L"この期間の記録はありません", -1, &plot, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
}

HFONT chart_font(int dpi) { return make_font_at_dpi(face_gothic, 9, style_normal, dpi); }

}  // namespace

ChartGeometry measure_chart(HDC dc, const RECT& area, const BalanceAnalysis& analysis, int dpi, int64_t month_limit)
{
    HFONT font = chart_font(dpi);
    HGDIOBJ old = SelectObject(dc, font);
    ChartGeometry geometry = measure_with_font(dc, area, analysis, dpi, month_limit);
    SelectObject(dc, old);
    DeleteObject(font);
    return geometry;
}

void draw_chart(HDC dc, const RECT& area, const BalanceAnalysis& analysis, ChartColors colors, int dpi)
{
    SetDCBrushColor(dc, chart_back);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    HFONT font = chart_font(dpi);
    HGDIOBJ old_font = SelectObject(dc, font);
    int old_mode = SetBkMode(dc, TRANSPARENT);
    ChartGeometry geometry = measure_with_font(dc, area, analysis, dpi, colors.month_limit);
    // Too small to show anything: the window keeps a size that never is.
    if (geometry.plot.right - geometry.plot.left > 2 && geometry.plot.bottom - geometry.plot.top > 2) {
        draw_grid(dc, geometry, dpi);
        draw_bars(dc, geometry, analysis, colors, dpi);
        draw_zero_line(dc, geometry, dpi);
        draw_limit_line(dc, geometry, analysis, colors);
        draw_bar_labels(dc, geometry, analysis, dpi);
        if (analysis.totals.days == 0)
            draw_no_data(dc, geometry);
        else
            draw_running_total(dc, geometry, analysis, dpi);
    }
    SetBkMode(dc, old_mode);
    SelectObject(dc, old_font);
    DeleteObject(font);
}

RECT bar_slot(const ChartGeometry& geometry, int index)
{
    const RECT& plot = geometry.plot;
    return RECT{slot_left(index, geometry.bars, plot.left, plot.right), plot.top,
                slot_left(index + 1, geometry.bars, plot.left, plot.right), plot.bottom};
}
