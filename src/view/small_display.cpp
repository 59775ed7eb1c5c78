#include "view/small_display.h"

// The small display and its glyph bitmaps come with their own feature.
void prepare_glyphs() {}
void free_glyphs() {}
void paint_digital_clock(HWND, HDC) {}
void paint_text_clock(HWND, HDC) {}
