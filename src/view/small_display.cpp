#include "view/small_display.h"

#include "calendar/dates.h"
#include "settings/options.h"
#include "view/clock_text.h"
#include "view/draw.h"
#include "view/fonts.h"
#include "view/layout.h"
#include "view/paint.h"

namespace {
// Bitmap resources of the glyphs, by glyph index: digits 0-9, the weekdays
// Sunday to Saturday, colon, dash, an unlit cell, a comma cell, minus.
const int glyph_resources[glyph_count] = {114, 113, 117, 116, 115, 119, 118, 122, 120, 123, 131,
                                          130, 132, 133, 134, 135, 136, 124, 137, 138, 150, 149};
// The glyphs are drawn for 100 %, 150 % and 200 %: the pictures of the
// scale nearest the window's are used, never a stretched one. Their
// resource ids follow those of 100 % by 1000 and 2000.
int glyph_resource(int index, int dpi)
{
    const int percent = dpi * 100 / base_dpi;
    const int set = percent < 125 ? 0 : percent < 175 ? 1 : 2;
    return glyph_resources[index] + 1000 * set;
}

SIZE glyph_size(const ClockGlyphs& glyphs, int index)
{
    BITMAP bitmap = {};
    if (glyphs.bitmaps[index]) GetObjectW(glyphs.bitmaps[index], sizeof bitmap, &bitmap);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

// The narrow glyphs keep their width; digits and weekdays take the digit's
// (the 17-pixel Saturday is cut to 16).
int placed_width(const ClockGlyphs& glyphs, int index)
{
    return glyph_size(glyphs, index == glyph_colon || index == glyph_dash ? glyph_colon : 0).cx;
}

enum { clock_face = face_gothic, clock_points = 10, clock_style = style_bold };
HFONT make_clock_font(int dpi) { return make_font_at_dpi(clock_face, clock_points, clock_style, dpi); }
}  // namespace

void prepare_glyphs(HINSTANCE instance, CalendarView& view)
{
    const OptionsRecord* o = options();
    if (!o->small_mode || !o->digital_clock)
        free_glyphs(view.glyphs);
    else if (view.glyphs.dpi != view.layout.dpi)
        load_glyphs(instance, view.glyphs, view.layout.dpi);
}

void load_glyphs(HINSTANCE instance, ClockGlyphs& glyphs, int dpi)
{
    free_glyphs(glyphs);
    for (int i = 0; i < glyph_count; ++i)
        glyphs.bitmaps[i] = static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(glyph_resource(i, dpi)), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    glyphs.dpi = dpi;
}

void free_glyphs(ClockGlyphs& glyphs)
{
    for (HBITMAP& glyph : glyphs.bitmaps) {
        if (glyph) DeleteObject(glyph);
        glyph = nullptr;
    }
    glyphs.dpi = 0;
}

void paint_digital_clock(HDC dc, const CalendarView& view)
{
    // dc is already the off-screen strip of paint_window: the line reaches
    // the window in one transfer.
    const OptionsRecord* o = options();
    const ClockGlyphs& glyphs = view.glyphs;
    int order[32];
    int count = digital_glyphs(order, view.today, o->clock_content, o->no_seconds);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, glyphs.bitmaps[0]);
    const int height = glyph_size(glyphs, 0).cy;
    int x = 0;
    for (int i = 0; i < count; ++i) {
        int width = placed_width(glyphs, order[i]);
        if (glyphs.bitmaps[order[i]]) {
            SelectObject(source, glyphs.bitmaps[order[i]]);
            BitBlt(dc, x, 0, width, height, source, 0, 0, SRCCOPY);
        }
        x += width;
    }
    SelectObject(source, old);
    DeleteDC(source);
}

void paint_text_clock(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown)
{
    const OptionsRecord* o = options();
    char16_t line[small_line_size];
    format_small_line(line, view.today, o->clock_content, o->no_seconds);
    HFONT font = make_clock_font(view.layout.dpi);
    HGDIOBJ old = SelectObject(dc, font);
    const BoxPainting saved = begin_boxes(dc);
    draw_box(dc, client, o->small_back_color, 0, 0, 0);
    draw_label(dc, reinterpret_cast<const wchar_t*>(line), client,
               caption_color(o->small_text_color, o->small_back_color, view.today, shown));
    end_boxes(dc, saved);
    SelectObject(dc, old);
    DeleteObject(font);
}

SIZE small_display_size(HWND window, const CalendarView& view)
{
    const OptionsRecord* o = options();
    int width, height;
    if (o->digital_clock) {
        SIZE digit = glyph_size(view.glyphs, 0), narrow = glyph_size(view.glyphs, glyph_colon);
        width = small_line_width(true, o->clock_content, o->no_seconds, digit.cx, narrow.cx, 0);
        height = digit.cy;
    } else {
        HFONT font = make_clock_font(view.layout.dpi);
        TEXTMETRICW metrics = font_metrics(window, font);
        DeleteObject(font);
        width = small_line_width(false, o->clock_content, o->no_seconds, 0, 0, metrics.tmAveCharWidth);
        height = metrics.tmHeight;
    }
    return outer_size_for_client(window, view.layout, SIZE{width, height});
}
