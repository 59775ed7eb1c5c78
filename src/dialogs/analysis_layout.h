// Where the analysis window's controls stand. Laid out in dialog units, so
// it follows the dialog font and the DPI, and never smaller than what
// shows every figure and every column of both tables whole.
#pragma once
#include <windows.h>

enum { analysis_figure_rows = 13 };

// Places every control for the client size; anything shown may move, so
// all of it is painted anew.
void lay_out_analysis(HWND dialog, int dpi);
// The smallest outer size of the window at its DPI.
SIZE smallest_analysis_size(HWND dialog, int dpi);
// Grows the window, about its centre, to the smallest size when it opens
// smaller: the template cannot know the fonts.
void grow_to_smallest_analysis_size(HWND dialog, int dpi);
