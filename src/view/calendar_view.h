// What the calendar window shows, in one record: today by the clock, the
// shown day, the layout, the view fonts and the clock's glyphs, each for
// the window's DPI. The window owns it and hands it to the drawing, the
// hit test and the sizes.
#pragma once
#include <windows.h>

#include "calendar/dates.h"
#include "settings/options.h"
#include "view/amount_text.h"
#include "view/clock_text.h"
#include "view/dpi.h"

struct ViewLayout {
    int dpi = base_dpi;          // of the window: fonts, glyphs and sizes follow it
    bool selection_cue = false;  // the keyboard is in use: the selected day shows
    int cell_width = 0;          // square cells: always equal
    int cell_height = 0;
    RECT year_box = {};  // captions of the current view, client coordinates
    RECT clock_rect = {};
    RECT month_box = {};  // of the month view
    int line_height = 0;  // the period's line under the grid; 0 without amounts
    int amount_height = 0;  // text height of the smaller face
    // Widths of the characters amounts are made of, in the smaller face,
    // measured with the layout: a month's amounts are fitted without
    // asking the system.
    int amount_glyph_widths[amount_glyph_count] = {};
};

// The two view fonts made from their stored records in the options.
struct ViewFonts {
    HFONT month = nullptr;
    HFONT year = nullptr;
    HFONT month_amounts = nullptr;  // the smaller face of amounts and the line
    HFONT year_amounts = nullptr;
    StoredLogFont* month_source = nullptr;
    StoredLogFont* year_source = nullptr;
    int dpi = base_dpi;  // the resolution they are made for
};

// The digital clock's pictures, while the small display shows them.
struct ClockGlyphs {
    HBITMAP bitmaps[glyph_count] = {};
    int dpi = 0;  // the resolution they are for; 0 when none are loaded
};

struct CalendarView {
    DateRecord today = {};   // the clock's last reading
    CalendarDay shown = {};  // the displayed month and its selected day
    ViewLayout layout;
    ViewFonts fonts;
    ClockGlyphs glyphs;
};
