#include "dialogs/chart_window.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/figure_text.h"
#include "dialogs/owner_messages.h"
#include "settings/limits.h"
#include "settings/options.h"
#include "view/analysis_chart.h"
#include "view/offscreen.h"

namespace {

const wchar_t chart_class[] = L"RavoAnalysisChart";

// Each chart's own state, made with its window and freed with it.
struct ChartState {
    const BalanceAnalysis* analysis;
    int dpi;
    HWND tooltip;
    int tool_count;
    ChartGeometry geometry;
    wchar_t tip[96];
};

ChartState& state_of(HWND chart) { return *reinterpret_cast<ChartState*>(GetWindowLongPtrW(chart, GWLP_USERDATA)); }

TOOLINFOW bar_tool(HWND chart, int index)
{
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = chart;
    tool.uId = static_cast<UINT_PTR>(index + 1);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

// One tool over each bar's slot; they move whenever the chart changes.
void place_bar_tools(HWND chart)
{
    ChartState& state = state_of(chart);
    for (int i = 0; i < state.tool_count; ++i) {
        TOOLINFOW tool = bar_tool(chart, i);
        SendMessageW(state.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RECT client;
    GetClientRect(chart, &client);
    HDC dc = GetDC(chart);
    state.geometry = measure_chart(dc, client, *state.analysis, state.dpi, loss_limits().month);
    ReleaseDC(chart, dc);
    for (int i = 0; i < state.geometry.bars_begun; ++i) {
        TOOLINFOW tool = bar_tool(chart, i);
        tool.rect = bar_slot(state.geometry, i);
        SendMessageW(state.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    state.tool_count = state.geometry.bars_begun;
}

// "2009年3月  +12,000 (4勝2敗1分)", or the year's for all years.
const wchar_t* bar_tip(ChartState& state, int index)
{
    const BalanceAnalysis& analysis = *state.analysis;
    if (index < 0 || index >= std::min(analysis.bars_begun, static_cast<int>(analysis.bars.size()))) return L"";
    const ResultSummary& bar = analysis.bars[static_cast<size_t>(index)];
    wchar_t when[16];
    if (analysis.period == all_years_period)
        wsprintfW(when, L"%d年", analysis.first_year + index);
    else
        wsprintfW(when, L"%d年%d月", analysis.period, index + 1);
    wsprintfW(state.tip, L"%s  %s (%d勝%d敗%d分)", when, signed_sum_text(bar.sum).c_str(), bar.wins, bar.losses,
              bar.draws);
    return state.tip;
}

// The bar whose slot holds the point, or -1.
int bar_at(const ChartState& state, POINT point)
{
    if (!state.analysis) return -1;
    for (int i = 0; i < state.geometry.bars_begun; ++i) {
        const RECT slot = bar_slot(state.geometry, i);
        if (PtInRect(&slot, point)) return i;
    }
    return -1;
}

// Composed off-screen and copied in one transfer: a resize or a new
// period never shows a half-drawn chart.
void on_paint(HWND chart)
{
    const ChartState& state = state_of(chart);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(chart, &paint);
    RECT client;
    GetClientRect(chart, &client);
    Offscreen picture;
    const bool offscreen = make_offscreen(std::max(1L, client.right), std::max(1L, client.bottom), picture);
    HDC target = offscreen ? picture.dc : dc;
    if (state.analysis)
        draw_chart(target, client, *state.analysis, ChartColors{options()->win_color, options()->loss_color, loss_limits().month}, state.dpi);
    else
        FillRect(target, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (offscreen) {
        BitBlt(dc, 0, 0, client.right, client.bottom, picture.dc, 0, 0, SRCCOPY);
        free_offscreen(picture);
    }
    EndPaint(chart, &paint);
}

LRESULT on_notify(HWND chart, const NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
        info->lpszText = const_cast<wchar_t*>(bar_tip(state_of(chart), static_cast<int>(header->idFrom) - 1));
    }
    return 0;
}

void on_click(HWND chart, POINT point)
{
    const int bar = bar_at(state_of(chart), point);
    if (bar < 0) return;
    ChartBarClick click = {{chart, static_cast<UINT_PTR>(GetDlgCtrlID(chart)), chart_bar_clicked}, bar};
    SendMessageW(GetParent(chart), WM_NOTIFY, click.header.idFrom, reinterpret_cast<LPARAM>(&click));
}

// A bar can be clicked: the pointer says so.
bool on_set_cursor(HWND chart)
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(chart, &point);
    if (bar_at(state_of(chart), point) < 0) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void on_create(HWND chart)
{
    ChartState& state = state_of(chart);
    state.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, chart, nullptr, window_instance(chart), nullptr);
}

LRESULT CALLBACK chart_procedure(HWND chart, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(chart, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ChartState()));
        return DefWindowProcW(chart, message, wparam, lparam);
    case WM_CREATE: on_create(chart); return 0;
    case WM_PAINT: on_paint(chart); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_NOTIFY: return on_notify(chart, reinterpret_cast<const NMHDR*>(lparam));
    case WM_LBUTTONUP: on_click(chart, POINT{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))}); return 0;
    case WM_SETCURSOR:
        if (on_set_cursor(chart)) return TRUE;
        return DefWindowProcW(chart, message, wparam, lparam);
    case WM_DESTROY: DestroyWindow(state_of(chart).tooltip); return 0;
    case WM_NCDESTROY:
        delete &state_of(chart);
        SetWindowLongPtrW(chart, GWLP_USERDATA, 0);
        return 0;
    default: return DefWindowProcW(chart, message, wparam, lparam);
    }
}

}  // namespace

void register_chart_class(HINSTANCE instance)
{
    WNDCLASSEXW chart = {};
    chart.cbSize = sizeof chart;
    chart.lpfnWndProc = chart_procedure;
    chart.hInstance = instance;
    chart.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    chart.lpszClassName = chart_class;
    RegisterClassExW(&chart);  // fails harmlessly when already there
}

void show_chart(HWND chart, const BalanceAnalysis* analysis, int dpi)
{
    ChartState& state = state_of(chart);
    state.analysis = analysis;
    state.dpi = dpi;
    place_bar_tools(chart);
    InvalidateRect(chart, nullptr, FALSE);
}
