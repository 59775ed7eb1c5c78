// The resolution a window is shown at: everything the program draws
// itself is sized for it (96 is 100 %).
#pragma once
#include <windows.h>

enum { base_dpi = 96 };

// The window's own DPI where the system tells it (per monitor), else the
// screen's.
int window_dpi(HWND window);
// A length in 96-DPI pixels at `dpi`, rounded.
int scale_to_dpi(int length, int dpi);
