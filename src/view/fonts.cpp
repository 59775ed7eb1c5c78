#include "view/fonts.h"

#include "platform/late_library.h"

#include <cstring>

#include "platform/win32_text.h"
#include "view/dpi.h"

static_assert(sizeof(StoredLogFont) == sizeof(LOGFONTA), "the stored font is a LOGFONTA");
static_assert(offsetof(StoredLogFont, lfFaceName) == offsetof(LOGFONTA, lfFaceName), "");

namespace {
// The largest size the font picker lists (72 points on a 96-DPI screen):
// a damaged Option.bin must not make a window wider than any screen.
const int largest_font_pixels = 96;

LONG within(LONG value, LONG low, LONG high) { return value < low ? low : value > high ? high : value; }

HFONT font_from(const StoredLogFont* stored, int dpi)
{
    if (!stored) return nullptr;
    LOGFONTW font = log_font_at_dpi(*stored, dpi);
    return CreateFontIndirectW(&font);
}

HFONT amount_font_from(const StoredLogFont* stored, int dpi)
{
    if (!stored) return nullptr;
    LOGFONTW font = amount_log_font(log_font_at_dpi(*stored, dpi), dpi);
    return CreateFontIndirectW(&font);
}

struct FaceChoice {
    const wchar_t* face;
    BYTE charset;
    BYTE pitch;
};

FaceChoice face_choice(int kind)
{
    switch (kind) {
    case face_mincho: return {L"ＭＳ 明朝", SHIFTJIS_CHARSET, FIXED_PITCH};
    case face_p_gothic: return {L"ＭＳ Ｐゴシック", SHIFTJIS_CHARSET, VARIABLE_PITCH};
    case face_p_mincho: return {L"ＭＳ Ｐ明朝", SHIFTJIS_CHARSET, VARIABLE_PITCH};
    case face_times: return {L"Times New Roman", ANSI_CHARSET, VARIABLE_PITCH};
    default: return {L"ＭＳ ゴシック", SHIFTJIS_CHARSET, FIXED_PITCH};
    }
}
}  // namespace

HFONT make_font(HDC dc, int kind, int points, int style)
{
    return make_font_at_dpi(kind, points, style, GetDeviceCaps(dc, LOGPIXELSY));
}

HFONT make_font_at_dpi(int kind, int points, int style, int dpi)
{
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(points, dpi, 72);
    FaceChoice choice = face_choice(kind);
    lstrcpynW(font.lfFaceName, choice.face, LF_FACESIZE);
    font.lfCharSet = choice.charset;
    font.lfPitchAndFamily = choice.pitch;
    font.lfWeight = style == style_bold || style == style_bold_italic ? FW_BOLD : style == style_italic ? 0 : FW_NORMAL;
    font.lfItalic = style == style_italic || style == style_bold_italic;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = 1;
    return CreateFontIndirectW(&font);
}

HFONT make_window_font(HWND window, int kind, int points, int style)
{
    return make_font_at_dpi(kind, points, style, window_dpi(window));
}

TEXTMETRICW font_metrics(HWND window, HFONT font)
{
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics;
}

LOGFONTW wide_log_font(const StoredLogFont& stored)
{
    LOGFONTW font = {};
    font.lfHeight = within(stored.lfHeight, -largest_font_pixels, largest_font_pixels);
    // The picker always stores width 0 (the font's own); a width wider than
    // the font is high can only come from damage.
    const LONG height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    font.lfWidth = stored.lfWidth >= 0 && stored.lfWidth <= height ? stored.lfWidth : 0;
    font.lfEscapement = stored.lfEscapement;
    font.lfOrientation = stored.lfOrientation;
    font.lfWeight = within(stored.lfWeight, 0, 1000);
    font.lfItalic = stored.lfItalic;
    font.lfUnderline = stored.lfUnderline;
    font.lfStrikeOut = stored.lfStrikeOut;
    font.lfCharSet = stored.lfCharSet;
    font.lfOutPrecision = stored.lfOutPrecision;
    font.lfClipPrecision = stored.lfClipPrecision;
    font.lfQuality = stored.lfQuality;
    font.lfPitchAndFamily = stored.lfPitchAndFamily;
    char face[sizeof stored.lfFaceName + 1] = {};
    std::memcpy(face, stored.lfFaceName, sizeof stored.lfFaceName);
    lstrcpynW(font.lfFaceName, sjis_to_wide(face).c_str(), LF_FACESIZE);
    return font;
}

LOGFONTW log_font_at_dpi(const StoredLogFont& stored, int dpi)
{
    LOGFONTW font = wide_log_font(stored);
    font.lfHeight = scale_to_dpi(font.lfHeight, dpi);
    font.lfWidth = scale_to_dpi(font.lfWidth, dpi);
    return font;
}

void store_log_font_from_dpi(LOGFONTW font, int dpi, StoredLogFont& stored)
{
    font.lfHeight = MulDiv(font.lfHeight, base_dpi, dpi);
    font.lfWidth = MulDiv(font.lfWidth, base_dpi, dpi);
    store_log_font(font, stored);
}

void store_log_font(const LOGFONTW& font, StoredLogFont& stored)
{
    stored.lfHeight = font.lfHeight;
    stored.lfWidth = font.lfWidth;
    stored.lfEscapement = font.lfEscapement;
    stored.lfOrientation = font.lfOrientation;
    stored.lfWeight = font.lfWeight;
    stored.lfItalic = font.lfItalic;
    stored.lfUnderline = font.lfUnderline;
    stored.lfStrikeOut = font.lfStrikeOut;
    stored.lfCharSet = font.lfCharSet;
    stored.lfOutPrecision = font.lfOutPrecision;
    stored.lfClipPrecision = font.lfClipPrecision;
    stored.lfQuality = font.lfQuality;
    stored.lfPitchAndFamily = font.lfPitchAndFamily;
    char face[sizeof stored.lfFaceName];
    wide_to_sjis(font.lfFaceName, face, sizeof face - 1);
    std::memset(stored.lfFaceName, 0, sizeof stored.lfFaceName);
    std::memcpy(stored.lfFaceName, face, std::strlen(face));
}

void create_view_fonts(ViewFonts& fonts, StoredLogFont* month, StoredLogFont* year, int dpi)
{
    free_view_fonts(fonts);
    fonts.month_source = month;
    fonts.year_source = year;
    fonts.dpi = dpi;
    fonts.month = font_from(month, dpi);
    fonts.year = font_from(year, dpi);
    fonts.month_amounts = amount_font_from(month, dpi);
    fonts.year_amounts = amount_font_from(year, dpi);
}

void recreate_view_font(ViewFonts& fonts, int which)
{
    HFONT& handle = which == view_month ? fonts.month : fonts.year;
    if (which != view_month && which != view_year) return;
    HFONT made = font_from(which == view_month ? fonts.month_source : fonts.year_source, fonts.dpi);
    if (handle) DeleteObject(handle);
    handle = made;
    HFONT& amounts = which == view_month ? fonts.month_amounts : fonts.year_amounts;
    made = amount_font_from(which == view_month ? fonts.month_source : fonts.year_source, fonts.dpi);
    if (amounts) DeleteObject(amounts);
    amounts = made;
}

void free_view_fonts(ViewFonts& fonts)
{
    if (fonts.month) DeleteObject(fonts.month);
    if (fonts.year) DeleteObject(fonts.year);
    if (fonts.month_amounts) DeleteObject(fonts.month_amounts);
    if (fonts.year_amounts) DeleteObject(fonts.year_amounts);
    fonts.month = fonts.year = fonts.month_amounts = fonts.year_amounts = nullptr;
}

int font_picker_dpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : base_dpi;
}

int choose_view_font(HWND owner, const ViewFonts& fonts, int which)
{
    StoredLogFont* stored = which == view_year ? fonts.year_source : fonts.month_source;
    if (!stored) return 0;
    // The picker lists and returns sizes at the system's resolution, on
    // whatever monitor the window stands: the stored 96-DPI size is
    // converted with its resolution, not the window's.
    const int picker_dpi = font_picker_dpi();
    LOGFONTW font = log_font_at_dpi(*stored, picker_dpi);
    CHOOSEFONTW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS;
    if (!run_font_picker(&dialog)) return 0;
    // The file keeps 96-DPI pixels: it means the same on every screen.
    store_log_font_from_dpi(font, picker_dpi, *stored);
    return 1;
}

bool is_japanese_font(const ViewFonts& fonts, int which)
{
    const StoredLogFont* stored =
        which == view_month ? fonts.month_source : which == view_year ? fonts.year_source : nullptr;
    if (!stored) return true;
    return stored->lfCharSet >= 128;
}

LOGFONTW amount_log_font(LOGFONTW view_font, int dpi)
{
    // Three fifths of the view's face, never below what still reads.
    const LONG least = scale_to_dpi(11, dpi);
    LONG height = view_font.lfHeight != 0 ? view_font.lfHeight * 3 / 5 : -scale_to_dpi(10, dpi);
    if (height > -least && height < least) height = height < 0 ? -least : least;
    view_font.lfHeight = height;
    view_font.lfWidth = view_font.lfWidth * 3 / 5;
    if (view_font.lfCharSet < SHIFTJIS_CHARSET) {
        // The line's words and 万 need a Japanese face.
        const FaceChoice choice = face_choice(face_p_gothic);
        lstrcpynW(view_font.lfFaceName, choice.face, LF_FACESIZE);
        view_font.lfCharSet = choice.charset;
        view_font.lfPitchAndFamily = choice.pitch;
    }
    return view_font;
}
