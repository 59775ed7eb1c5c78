#include "dialogs/analysis_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "dialogs/analysis_layout.h"
#include "dialogs/analysis_tables.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "ledger/analysis.h"
#include "ledger/year_ledger.h"
#include "platform/late_library.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/options.h"
#include "view/analysis_chart.h"
#include "view/dpi.h"

namespace {

const wchar_t chart_class[] = L"RavoAnalysisChart";
// Timers come after every paint: all years are read once the window shows.
const UINT_PTR all_years_timer = 1;

enum FigureRow {
    row_played_days,
    row_wins,
    row_losses,
    row_draws,
    row_win_rate,
    row_total,
    row_average,
    row_best,
    row_worst,
    row_longest_wins,
    row_longest_losses,
    row_current,
    row_largest_fall,
};

struct AnalysisWindowState {
    BalanceAnalysis year;  // the chosen year
    // All years read every file: made once a window, as soon as it has
    // been painted, so choosing 全期間 only shows it.
    BalanceAnalysis all_years;
    bool has_all_years;
    const BalanceAnalysis* shown;
    bool laid_out;
    int dpi;
    HWND tooltip;
    int tool_count;
    ChartGeometry chart;
    wchar_t tip[96];
};
AnalysisWindowState window_state;

const BalanceAnalysis& shown() { return *window_state.shown; }

// The chart ends today by the calendar's clock.
LedgerDate today()
{
    const DateRecord* date = today_date();
    return LedgerDate{date->year, date->month, date->day};
}

void prepare_all_years()
{
    if (window_state.has_all_years) return;
    analyse_period(all_years_period, window_state.all_years);
    end_chart_at(window_state.all_years, today());
    window_state.has_all_years = true;
}

// "+12,000": the sign says win or loss in the tooltip.
std::wstring signed_sum_text(int64_t amount) { return (amount > 0 ? L"+" : L"") + sum_text(amount); }

std::wstring date_text(const LedgerDate& date)
{
    wchar_t text[16];
    wsprintfW(text, L"%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

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
    for (int i = 0; i < window_state.tool_count; ++i) {
        TOOLINFOW tool = bar_tool(chart, i);
        SendMessageW(window_state.tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    RECT client;
    GetClientRect(chart, &client);
    HDC dc = GetDC(chart);
    window_state.chart = measure_chart(dc, client, shown(), window_state.dpi);
    ReleaseDC(chart, dc);
    for (int i = 0; i < window_state.chart.bars_begun; ++i) {
        TOOLINFOW tool = bar_tool(chart, i);
        tool.rect = bar_slot(window_state.chart, i);
        SendMessageW(window_state.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    window_state.tool_count = window_state.chart.bars_begun;
}

void refresh_chart(HWND dialog)
{
    HWND chart = GetDlgItem(dialog, IDC_ANALYSIS_CHART);
    place_bar_tools(chart);
    InvalidateRect(chart, nullptr, FALSE);
}

// "2009年3月  +12,000 (4勝2敗1分)", or the year's for all years.
const wchar_t* bar_tip(int index)
{
    const BalanceAnalysis& analysis = shown();
    if (index < 0 || index >= std::min(analysis.bars_begun, static_cast<int>(analysis.bars.size()))) return L"";
    const ResultSummary& bar = analysis.bars[static_cast<size_t>(index)];
    wchar_t when[16];
    if (analysis.period == all_years_period)
        wsprintfW(when, L"%d年", analysis.first_year + index);
    else
        wsprintfW(when, L"%d年%d月", analysis.period, index + 1);
    wsprintfW(window_state.tip, L"%s  %s (%d勝%d敗%d分)", when, signed_sum_text(bar.sum).c_str(), bar.wins,
              bar.losses, bar.draws);
    return window_state.tip;
}

void paint_chart(HWND chart)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(chart, &paint);
    RECT client;
    GetClientRect(chart, &client);
    const ChartColors colors = {options()->win_color, options()->loss_color};
    // Composed off-screen and copied in one transfer: a resize or a new
    // period never shows a half-drawn chart.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = memory ? CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)) : nullptr;
    if (!bitmap) {
        if (memory) DeleteDC(memory);
        draw_chart(dc, client, shown(), colors, window_state.dpi);
        EndPaint(chart, &paint);
        return;
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw_chart(memory, client, shown(), colors, window_state.dpi);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(chart, &paint);
}

LRESULT on_chart_notify(const NMHDR* header)
{
    if (header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
        info->lpszText = const_cast<wchar_t*>(bar_tip(static_cast<int>(header->idFrom) - 1));
    }
    return 0;
}

LRESULT CALLBACK chart_procedure(HWND chart, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: paint_chart(chart); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers every pixel
    case WM_NOTIFY: return on_chart_notify(reinterpret_cast<const NMHDR*>(lparam));
    default: return DefWindowProcW(chart, message, wparam, lparam);
    }
}

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

void create_tooltip(HWND dialog)
{
    window_state.tooltip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, window_instance(dialog), nullptr);
    window_state.tool_count = 0;
}

void set_figure(HWND dialog, FigureRow row, const std::wstring& value, const std::wstring& note = L"")
{
    SetDlgItemTextW(dialog, IDC_FIGURE_VALUE + row, value.c_str());
    SetDlgItemTextW(dialog, IDC_FIGURE_NOTE + row, note.c_str());
}

std::wstring win_rate_text(const BalanceAnalysis& analysis)
{
    if (!analysis.has_win_rate) return L"－";
    wchar_t text[16];
    wsprintfW(text, L"%d.%d%%", analysis.win_rate_tenths / 10, analysis.win_rate_tenths % 10);
    return text;
}

void show_day_record(HWND dialog, FigureRow row, const DayRecord& record)
{
    if (record.date.year == 0)
        set_figure(dialog, row, L"－");
    else
        set_figure(dialog, row, sum_text(record.amount), date_text(record.date));
}

void show_streak(HWND dialog, FigureRow row, const Streak& streak)
{
    if (streak.kind == streak_none || streak.length == 0) {
        set_figure(dialog, row, L"なし");
        return;
    }
    wchar_t length[24];
    wsprintfW(length, streak.kind == streak_wins ? L"%d連勝" : L"%d連敗", streak.length);
    set_figure(dialog, row, length, date_text(streak.start) + L"から");
}

// The fall runs from the high to the low; a high at the period's start has
// no day.
void show_largest_fall(HWND dialog, const Fall& fall)
{
    if (fall.depth == 0) {
        set_figure(dialog, row_largest_fall, L"0");
        return;
    }
    std::wstring high = fall.high.year ? date_text(fall.high) : L"始め";
    set_figure(dialog, row_largest_fall, sum_text(fall.depth), high + L"～" + date_text(fall.low));
}

void show_figures(HWND dialog)
{
    const BalanceAnalysis& a = shown();
    const ResultSummary& results = a.totals.results;
    set_figure(dialog, row_played_days, sum_text(a.totals.days), L"日");
    set_figure(dialog, row_wins, sum_text(results.wins), L"回");
    set_figure(dialog, row_losses, sum_text(results.losses), L"回");
    set_figure(dialog, row_draws, sum_text(results.draws), L"回");
    set_figure(dialog, row_win_rate, win_rate_text(a), L"勝ち÷(勝ち＋負け)");
    set_figure(dialog, row_total, sum_text(results.sum));
    set_figure(dialog, row_average, sum_text(a.totals.average), L"1日あたり");
    show_day_record(dialog, row_best, a.best);
    show_day_record(dialog, row_worst, a.worst);
    show_streak(dialog, row_longest_wins, a.longest_wins);
    show_streak(dialog, row_longest_losses, a.longest_losses);
    show_streak(dialog, row_current, a.current);
    show_largest_fall(dialog, a.largest_fall);
}

void add_period(HWND combo, const wchar_t* text, int period)
{
    LRESULT index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), period);
}

// 全期間, then the years with data, newest first; the shown year is among
// them even before it has a file.
void fill_periods(HWND dialog, int shown_year)
{
    HWND combo = GetDlgItem(dialog, IDC_ANALYSIS_PERIOD);
    std::vector<int> years = years_with_amounts();
    if (!std::binary_search(years.begin(), years.end(), shown_year))
        years.insert(std::lower_bound(years.begin(), years.end(), shown_year), shown_year);
    add_period(combo, L"全期間", all_years_period);
    for (auto year = years.rbegin(); year != years.rend(); ++year) {
        add_period(combo, std::to_wstring(*year).c_str(), *year);
        if (*year == shown_year) SendMessageW(combo, CB_SETCURSEL, SendMessageW(combo, CB_GETCOUNT, 0, 0) - 1, 0);
    }
}

int chosen_period(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, IDC_ANALYSIS_PERIOD);
    LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? all_years_period : static_cast<int>(SendMessageW(combo, CB_GETITEMDATA, index, 0));
}

void show_period(HWND dialog, int period)
{
    if (period == all_years_period) {
        prepare_all_years();
        window_state.shown = &window_state.all_years;
    } else {
        analyse_period(period, window_state.year);
        end_chart_at(window_state.year, today());
        window_state.shown = &window_state.year;
    }
    show_figures(dialog);
    show_tables(dialog, shown());
    refresh_chart(dialog);
}

void lay_out(HWND dialog)
{
    lay_out_analysis(dialog, window_state.dpi);
    refresh_chart(dialog);
}

BOOL on_init(HWND dialog)
{
    window_state.dpi = window_dpi(dialog);
    create_tooltip(dialog);
    add_table_columns(dialog, window_state.dpi);
    const int shown_year = display_date()->year;
    fill_periods(dialog, shown_year);
    show_period(dialog, shown_year);
    lay_out(dialog);
    window_state.laid_out = true;
    grow_to_smallest_analysis_size(dialog, window_state.dpi);
    SetTimer(dialog, all_years_timer, USER_TIMER_MINIMUM, nullptr);
    return TRUE;
}

void on_timer(HWND dialog, UINT_PTR timer)
{
    if (timer != all_years_timer) return;
    KillTimer(dialog, all_years_timer);
    prepare_all_years();
}

void on_min_max_info(HWND dialog, MINMAXINFO* info)
{
    if (!window_state.laid_out) return;  // the dialog font is not known yet
    const SIZE smallest = smallest_analysis_size(dialog, window_state.dpi);
    info->ptMinTrackSize.x = smallest.cx;
    info->ptMinTrackSize.y = smallest.cy;
}

void export_analysis(HWND dialog)
{
    const std::wstring path = utf8_to_wide(analysis_csv_path(shown().period).c_str());
    const std::wstring question = L"CSV\\" + path.substr(path.find_last_of(L"\\/") + 1) + L" に出力しますか？";
    if (MessageBoxW(dialog, question.c_str(), L"CSV出力", MB_OKCANCEL) != IDOK) return;
    if (!export_analysis_csv(shown())) tell_csv_write_failure(dialog, path);
}

BOOL on_command(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_ANALYSIS_PERIOD:
        if (code == CBN_SELCHANGE) show_period(dialog, chosen_period(dialog));
        return TRUE;
    case IDC_ANALYSIS_CSV: export_analysis(dialog); return TRUE;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    default: return FALSE;
    }
}

// Only the sign is read: a figure of any length.
bool is_negative_figure(HWND control)
{
    wchar_t sign[2] = L"";
    GetWindowTextW(control, sign, 2);
    return sign[0] == L'-';
}

// The figures stand in white boxes; negative amounts are red.
INT_PTR on_static_color(HDC dc, HWND control)
{
    int id = GetDlgCtrlID(control);
    if (id < IDC_FIGURE_VALUE || id >= IDC_FIGURE_VALUE + analysis_figure_rows) return FALSE;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, is_negative_figure(control) ? RGB(255, 0, 0) : RGB(0, 0, 0));
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
}

// Moved to a screen of another scale: the chart draws for it and the
// lists' columns keep their widths; the system scales the dialog and its
// controls, and their fonts.
void on_dpi_changed(HWND dialog, int dpi)
{
    scale_table_columns(dialog, window_state.dpi, dpi);
    window_state.dpi = dpi;
    refresh_chart(dialog);
}

INT_PTR CALLBACK analysis_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog);
    case WM_SIZE:
        if (window_state.laid_out) lay_out(dialog);
        return TRUE;
    case WM_GETMINMAXINFO: on_min_max_info(dialog, reinterpret_cast<MINMAXINFO*>(lparam)); return TRUE;
    case WM_COMMAND: return on_command(dialog, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY: return on_table_notify(dialog, reinterpret_cast<NMHDR*>(lparam), shown());
    case WM_TIMER: on_timer(dialog, wparam); return TRUE;
    case WM_LEDGER_CHANGED:
        // A day changed under the window: its figures follow.
        window_state.has_all_years = false;
        show_period(dialog, chosen_period(dialog));
        return TRUE;
    case WM_CTLCOLORSTATIC: return on_static_color(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED: on_dpi_changed(dialog, HIWORD(wparam)); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void run_analysis_window(HWND parent)
{
    // The lists and the tooltip are common controls; the chart is our own.
    init_common_controls();
    window_state.laid_out = false;  // sizes come before the controls exist
    window_state.has_all_years = false;  // the files may have changed since
    window_state.shown = &window_state.year;
    HINSTANCE instance = window_instance(parent);
    register_chart_class(instance);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ANALYSIS), parent, analysis_procedure, 0);
}
