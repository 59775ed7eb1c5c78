// The one-line clock of the small display mode.
#pragma once
#include <windows.h>

void prepare_glyphs();
void free_glyphs();
void paint_digital_clock(HWND window, HDC dc);
void paint_text_clock(HWND window, HDC dc);
