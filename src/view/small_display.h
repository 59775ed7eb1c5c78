// The one-line clock of the small display mode, in its text look and its
// digital look built from glyph bitmaps.
#pragma once
#include <windows.h>

#include "ledger/year_ledger.h"
#include "view/calendar_view.h"

// The glyph bitmaps come from the program's resources, drawn for the
// window's DPI; they are loaded while the small display shows the digital
// look (again when the resolution changed) and freed otherwise.
void prepare_glyphs(HINSTANCE instance, CalendarView& view);
void load_glyphs(HINSTANCE instance, ClockGlyphs& glyphs, int dpi);
void free_glyphs(ClockGlyphs& glyphs);
void paint_digital_clock(HDC dc, const CalendarView& view);
void paint_text_clock(HDC dc, const RECT& client, const CalendarView& view, const LedgerYear& shown);
// The outer size of the window for the line of the current look.
SIZE small_display_size(HWND window, const CalendarView& view);
