#include "dialogs/analysis_layout.h"

#include <algorithm>

#include "dialogs/analysis_tables.h"
#include "res/resource.h"
#include "view/dpi.h"

namespace {

bool is_figure(int id)
{
    return (id >= IDC_FIGURE_LABEL && id < IDC_FIGURE_LABEL + analysis_figure_rows) ||
           (id >= IDC_FIGURE_VALUE && id < IDC_FIGURE_VALUE + analysis_figure_rows) ||
           (id >= IDC_FIGURE_NOTE && id < IDC_FIGURE_NOTE + analysis_figure_rows);
}

bool is_table(int id)
{
    for (int table = 0; table < analysis_table_count; ++table)
        if (id == table_list_id(table)) return true;
    return false;
}

unsigned analysis_anchors(int id)
{
    if (id == IDC_ANALYSIS_CHART) return anchor_left | anchor_top | anchor_right | anchor_bottom;
    if (is_figure(id) || id == IDC_ANALYSIS_PERIOD_LABEL || id == IDC_ANALYSIS_PERIOD || id == IDC_ANALYSIS_FIGURES_TITLE)
        return anchor_right | anchor_top;
    if (id >= IDC_TABLE_CHOICE && id < IDC_TABLE_CHOICE + analysis_table_count) return anchor_left | anchor_bottom;
    if (is_table(id) || id == IDC_ANALYSIS_TABLE_NOTE || id == IDC_ANALYSIS_HINT)
        return anchor_left | anchor_right | anchor_bottom;
    if (id == IDC_ANALYSIS_CSV || id == IDOK) return anchor_right | anchor_bottom;
    return anchor_left | anchor_top;
}

// The smallest client size: the template's, wider when a table needs
// more for its columns at the largest figures (they stretch with it).
SIZE smallest_client(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    SIZE smallest = template_client_size(dialog, layout);
    long wider = 0;
    for (const AnchoredControl& anchored : layout.controls) {
        if (!is_table(GetDlgCtrlID(anchored.control))) continue;
        const RECT place = pixels_of(dialog, anchored.units);
        wider = std::max(wider, table_width_needed(anchored.control, dpi) - (place.right - place.left));
    }
    smallest.cx += wider;
    return smallest;
}

}  // namespace

void read_analysis_layout(HWND dialog, AnchoredLayout& layout) { read_anchored_layout(dialog, analysis_anchors, layout); }

void lay_out_analysis(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    const SIZE smallest = smallest_client(dialog, layout, dpi);
    RECT client;
    GetClientRect(dialog, &client);
    place_anchored(dialog, layout, SIZE{std::max(client.right, smallest.cx), std::max(client.bottom, smallest.cy)});
    // The hint wraps anew and the background shows where controls were.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    return outer_size_at_dpi(dialog, smallest_client(dialog, layout, dpi), dpi);
}

void grow_to_smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    const SIZE smallest = smallest_analysis_size(dialog, layout, dpi);
    RECT window;
    GetWindowRect(dialog, &window);
    const long width = std::max(window.right - window.left, smallest.cx);
    const long height = std::max(window.bottom - window.top, smallest.cy);
    if (width == window.right - window.left && height == window.bottom - window.top) return;
    SetWindowPos(dialog, nullptr, (window.left + window.right - width) / 2, (window.top + window.bottom - height) / 2,
                 width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
