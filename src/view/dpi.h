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
// The outer size of a window for a client size, from its own styles and
// the frame the system draws at `dpi`.
SIZE outer_size_at_dpi(HWND window, SIZE client, int dpi);
// GetSystemMetrics at `dpi` where the system knows it, else the screen's.
int system_metric_at_dpi(int index, int dpi);
