// Where the analysis window's controls stand: each anchored to the edges
// of the window (the chart grows both ways, the figures keep to the right,
// the tables and buttons to the bottom) from its place in the template,
// never smaller than what shows every figure and every column whole.
#pragma once
#include <windows.h>

#include "dialogs/anchors.h"

enum { analysis_figure_rows = 19 };

// Read as the window opens.
void read_analysis_layout(HWND dialog, AnchoredLayout& layout);
// Places every control for the client size; anything shown may move, so
// all of it is painted anew.
void lay_out_analysis(HWND dialog, const AnchoredLayout& layout, int dpi);
// The smallest outer size of the window at its DPI.
SIZE smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi);
// Grows the window, about its centre, to the smallest size when it opens
// smaller: the template cannot know the fonts.
void grow_to_smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi);
