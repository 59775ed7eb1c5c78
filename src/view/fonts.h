// Fonts: the two view fonts chosen by the user (stored as LOGFONTA in the
// options) and fixed faces made on demand.
#pragma once
#include <windows.h>

#include "settings/options.h"
#include "view/calendar_view.h"
#include "view/dpi.h"

enum FaceKind { face_gothic = 0, face_mincho = 1, face_p_gothic = 2, face_p_mincho = 3, face_times = 4 };
enum FontStyle { style_normal = 0, style_bold = 1, style_italic = 2, style_bold_italic = 3 };
enum { view_month = 0, view_year = 1 };

// A new font the caller deletes: `points` at the device's resolution, or
// at a given DPI.
HFONT make_font(HDC dc, int kind, int points, int style);
HFONT make_font_at_dpi(int kind, int points, int style, int dpi);
// The same at the resolution of a window's screen.
HFONT make_window_font(HWND window, int kind, int points, int style);

// The two view fonts from their stored records (96-DPI pixels), made for a
// window at `dpi`; made again when called again.
void create_view_fonts(ViewFonts& fonts, StoredLogFont* month, StoredLogFont* year, int dpi = base_dpi);
void recreate_view_font(ViewFonts& fonts, int which);
void free_view_fonts(ViewFonts& fonts);

// The font picker on the stored font of a view; nonzero when confirmed.
int choose_view_font(HWND owner, const ViewFonts& fonts, int which);
// The resolution the picker converts points with: the system's, the same
// on every monitor.
int font_picker_dpi();
// The smaller face of a view's amounts and line: the view's font made
// smaller, in a Japanese face when the view's is not one.
LOGFONTW amount_log_font(LOGFONTW view_font, int dpi);
// Japanese names for a view whose font's character set is 128 or more.
bool is_japanese_font(const ViewFonts& fonts, int which);

// Text metrics of a font on the window's device context (the screen's for
// no window).
TEXTMETRICW font_metrics(HWND window, HFONT font);

// The stored font as the wide API takes it: the face through Shift-JIS,
// absurd sizes from a damaged file brought into range.
LOGFONTW wide_log_font(const StoredLogFont& stored);
void store_log_font(const LOGFONTW& font, StoredLogFont& stored);
// The same at a screen resolution: the stored sizes are 96-DPI pixels.
LOGFONTW log_font_at_dpi(const StoredLogFont& stored, int dpi);
void store_log_font_from_dpi(LOGFONTW font, int dpi, StoredLogFont& stored);
