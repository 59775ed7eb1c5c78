// Where the analysis window's controls stand: each anchored to the edges
// of the window (the chart grows both ways, the figures keep to the right,
// the tables and buttons to the bottom) from its place in the template;
// on a screen too small for it the chart and the tables give way.
#pragma once
#include <windows.h>

#include "dialogs/anchors.h"

enum { analysis_figure_rows = 19 };

// Read as the window opens.
void read_analysis_layout(HWND dialog, AnchoredLayout& layout);
// Places every control for the client size; anything shown may move, so
// all of it is painted anew.
void lay_out_analysis(HWND dialog, const AnchoredLayout& layout);
// The smallest outer size of the window at its DPI: what shows every figure
// and column whole, held to the monitor's work area (the chart and the
// tables give way first).
SIZE smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi);
// As it opens: grown, about its centre, to the smallest size (the template
// cannot know the fonts), no larger than the work area and within it.
void fit_analysis_to_screen(HWND dialog, const AnchoredLayout& layout, int dpi);
