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

// A control that shows a font of our own keeps it when the dialog moves to
// a monitor of another scale (the dialog manager would put the dialog font
// back); the owner makes it again for the new DPI (Windows 10 1703 on).
void keep_own_font(HWND control);
// Gives a dialog's control a font made for it, and deletes the one it had.
void set_own_font(HWND dialog, int id, HFONT& held, HFONT made);
