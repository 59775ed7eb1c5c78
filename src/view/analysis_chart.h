// The balance chart of an analysis, drawn with GDI into any device
// context: a bar per month (or per year of all years) in the win or loss
// colour, the running total as a line over them, a zero line and a grid
// labelled with amounts. Everything is sized for the given DPI.
#pragma once
#include <windows.h>

#include "analysis/analysis.h"
#include "view/chart_math.h"

struct ChartColors {
    COLORREF win;
    COLORREF loss;
    // The monthly loss limit, a dashed line under a year's month bars; 0
    // for none.
    int64_t month_limit;
};

// Where the parts of the chart lie within its area.
struct ChartGeometry {
    RECT plot;  // the grid; the bars stand in equal slots across it
    ChartScale scale;
    int bars;
    int bars_begun;  // the later slots have no bar and no tip
};

// Measured with the chart's font on `dc`.
ChartGeometry measure_chart(HDC dc, const RECT& area, const BalanceAnalysis& analysis, int dpi, int64_t month_limit);
void draw_chart(HDC dc, const RECT& area, const BalanceAnalysis& analysis, ChartColors colors, int dpi);
// The slot of bar `index` over the whole height of the plot: where the
// pointer rests on that bar.
RECT bar_slot(const ChartGeometry& geometry, int index);
