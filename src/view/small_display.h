// The one-line clock of the small display mode, in its text look and its
// digital look built from glyph bitmaps.
#pragma once
#include <windows.h>

void prepare_glyphs();
void load_glyphs();
void free_glyphs();
void paint_digital_clock(HDC dc, const RECT& client);
void paint_text_clock(HDC dc, const RECT& client);
void size_small_display(HWND window);
