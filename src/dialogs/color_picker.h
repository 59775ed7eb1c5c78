// The system's colour picker, on the values given it.
#pragma once
#include <windows.h>

enum { custom_color_count = 16 };

// Opens on `color` with `custom` as its custom colours, which the user may
// change there. True, with `color` the chosen one, when confirmed.
bool pick_color(HWND owner, COLORREF& color, COLORREF (&custom)[custom_color_count]);
