#include "dialogs/analysis_layout.h"

#include <algorithm>

#include "dialogs/analysis_tables.h"
#include "res/resource.h"
#include "view/dpi.h"
#include "view/draw.h"
#include "view/layout_math.h"

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

// The client size that shows everything whole: the template's, wider when
// a table needs more for its columns at the largest figures (they stretch
// with it).
SIZE wanted_client(HWND dialog, const AnchoredLayout& layout, int dpi)
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

// Below the template's size the chart gives way across and the tables
// down to these (dialog units); the figures and buttons keep theirs.
enum { chart_least_width = 160, table_least_height = 40 };

RECT template_units_of(const AnchoredLayout& layout, int id)
{
    for (const AnchoredControl& anchored : layout.controls)
        if (GetDlgCtrlID(anchored.control) == id) return anchored.units;
    return RECT{};
}

// The room the chart and the tables can give, in pixels.
SIZE give_way(HWND dialog, const AnchoredLayout& layout)
{
    const RECT chart = template_units_of(layout, IDC_ANALYSIS_CHART);
    const RECT table = template_units_of(layout, table_list_id(0));
    const RECT room = pixels_of(dialog, RECT{0, 0, std::max(0L, chart.right - chart.left - chart_least_width),
                                             std::max(0L, table.bottom - table.top - table_least_height)});
    return SIZE{room.right, room.bottom};
}

SIZE floor_client(HWND dialog, const AnchoredLayout& layout)
{
    const SIZE whole = template_client_size(dialog, layout), room = give_way(dialog, layout);
    return SIZE{whole.cx - room.cx, whole.cy - room.cy};
}

Box work_area_of(HWND dialog)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &info);
    return Box{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

// The tables give the height the window lacks; what stands below them
// moves up with the bottom edge.
void tables_give_way(HWND dialog, const AnchoredLayout& layout, long lacking)
{
    for (const AnchoredControl& anchored : layout.controls) {
        const int id = GetDlgCtrlID(anchored.control);
        RECT place;
        GetWindowRect(anchored.control, &place);
        rect_to_client(dialog, place);
        if (is_table(id)) place.bottom -= lacking;
        else if (id == IDC_ANALYSIS_HINT || id == IDC_ANALYSIS_CSV || id == IDOK) OffsetRect(&place, 0, -lacking);
        else continue;
        SetWindowPos(anchored.control, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
}

}  // namespace

void read_analysis_layout(HWND dialog, AnchoredLayout& layout) { read_anchored_layout(dialog, analysis_anchors, layout); }

void lay_out_analysis(HWND dialog, const AnchoredLayout& layout)
{
    const SIZE least = floor_client(dialog, layout), whole = template_client_size(dialog, layout);
    RECT client;
    GetClientRect(dialog, &client);
    const long width = std::max(client.right, least.cx), height = std::max(client.bottom, least.cy);
    place_anchored(dialog, layout, SIZE{width, std::max(height, whole.cy)});
    if (height < whole.cy) tables_give_way(dialog, layout, whole.cy - height);
    // The hint wraps anew and the background shows where controls were.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE smallest_analysis_size(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    const SIZE wanted = outer_size_at_dpi(dialog, wanted_client(dialog, layout, dpi), dpi);
    const SIZE least = outer_size_at_dpi(dialog, floor_client(dialog, layout), dpi);
    const Extent held = smallest_within(Extent{wanted.cx, wanted.cy}, Extent{least.cx, least.cy}, work_area_of(dialog));
    return SIZE{held.width, held.height};
}

void fit_analysis_to_screen(HWND dialog, const AnchoredLayout& layout, int dpi)
{
    const SIZE smallest = smallest_analysis_size(dialog, layout, dpi);
    const Box work = work_area_of(dialog);
    RECT window;
    GetWindowRect(dialog, &window);
    const long width = std::max(std::min(window.right - window.left, work.right - work.left), smallest.cx);
    const long height = std::max(std::min(window.bottom - window.top, work.bottom - work.top), smallest.cy);
    // About its centre, then into the work area (its top left kept there
    // when it cannot fit).
    long left = (window.left + window.right - width) / 2, top = (window.top + window.bottom - height) / 2;
    left = std::max(std::min(left, work.right - width), work.left);
    top = std::max(std::min(top, work.bottom - height), work.top);
    SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
