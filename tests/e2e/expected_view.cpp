#include "e2e/expected_view.h"

#include "settings/options.h"
#include "view/dpi.h"
#include "view/layout_math.h"
#include "view/paint.h"
#include "view/amount_paint.h"
#include "view/draw.h"
#include "view/fonts.h"
#include "view/layout_math.h"

namespace e2e {

namespace {
const OptionsRecord& defaults()
{
    static OptionsRecord record = [] {
        OptionsRecord r;
        apply_fresh_defaults(&r);
        return r;
    }();
    return record;
}

HFONT default_font(bool year_view)
{
    LOGFONTW font = wide_log_font(year_view ? defaults().year_font : defaults().month_font);
    return CreateFontIndirectW(&font);
}
}  // namespace

uint32_t screen_color(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

int default_cell(bool year_view)
{
    HFONT font = default_font(year_view);
    TEXTMETRICW metrics = font_metrics(nullptr, font);
    DeleteObject(font);
    return cell_size_from_metrics(metrics.tmHeight, metrics.tmAveCharWidth);
}

bool month_view_caption_shows(HWND window, Caption caption, const wchar_t* text)
{
    const OptionsRecord& o = defaults();
    const int cell = default_cell(false);
    Capture screen = capture_client(window);
    if (screen.width < 7 * cell || screen.height < 7 * cell) return false;
    Box box = caption == year_caption ? year_box_for(false, screen.width, screen.height, cell)
                                      : month_box_for_month_view(screen.width, screen.height, cell);
    RECT area = {box.left, box.top, box.right, box.bottom};
    FrameElement element = caption == year_caption ? frame_year : frame_month;
    COLORREF back = caption == year_caption ? o.year_back_color : o.month_back_color;
    COLORREF fore = caption == year_caption ? o.year_text_color : o.month_text_color;

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, screen.width, -screen.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HFONT font = default_font(false);
    HGDIOBJ old_font = SelectObject(dc, font);
    const BoxPainting saved = begin_boxes(dc);
    draw_box(dc, area, back, o.frame_flags[element], o.raised_flags[element], o.sunken_flags[element]);
    draw_label(dc, text, area, fore);
    end_boxes(dc, saved);
    GdiFlush();
    bool same = true;
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    for (long y = area.top; y < area.bottom && same; ++y)
        for (long x = area.left; x < area.right && same; ++x)
            same = (pixels[y * screen.width + x] & 0xFFFFFF) == screen.at(x, y);
    SelectObject(dc, old_font);
    DeleteObject(font);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return same;
}

bool period_line_shows(HWND window, bool year_view, const wchar_t* text, int64_t sum)
{
    *options() = defaults();  // the colours amount_color reads
    LOGFONTW view_font = wide_log_font(year_view ? defaults().year_font : defaults().month_font);
    LOGFONTW small_font = amount_log_font(view_font, base_dpi);
    HFONT small = CreateFontIndirectW(&small_font);
    const int line_height = period_line_height(font_metrics(nullptr, small).tmHeight);
    Capture screen = capture_client(window);
    bool same = screen.height > line_height;
    const RECT line = {0, 0, screen.width, line_height};
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, screen.width, -line_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    HGDIOBJ old_font = SelectObject(dc, small);
    erase_background(dc, line);
    const BoxPainting saved = begin_boxes(dc);
    draw_label(dc, text, line, amount_color(sum, defaults().background_color));
    end_boxes(dc, saved);
    GdiFlush();
    const uint32_t* pixels = static_cast<const uint32_t*>(bits);
    const int top = screen.height - line_height;
    for (long y = 0; y < line_height && same; ++y)
        for (long x = 0; x < screen.width && same; ++x)
            same = (pixels[y * screen.width + x] & 0xFFFFFF) == screen.at(x, top + y);
    SelectObject(dc, old_font);
    DeleteObject(small);
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return same;
}

uint32_t month_view_cell_color(HWND window, int position)
{
    const int cell = default_cell(false);
    Capture screen = capture_client(window);
    return screen.at((position % 7) * cell + 4, (position / 7 + 1) * cell + 4);
}

}  // namespace e2e
