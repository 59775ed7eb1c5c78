#include "dialogs/analysis_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "dialogs/analysis_layout.h"
#include "dialogs/analysis_tables.h"
#include "dialogs/chart_window.h"
#include "dialogs/days_window.h"
#include "dialogs/figure_text.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "ledger/analysis.h"
#include "ledger/year_ledger.h"
#include "platform/late_library.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/limits.h"
#include "view/dpi.h"

namespace {

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
    // Of the period's visits; shown when it has some.
    row_visits,
    row_stake,
    row_returned,
    row_return_rate,
    row_minutes,
    row_hourly,
};

struct AnalysisWindowState {
    BalanceAnalysis year;  // the chosen year
    // All years read every file: made once a window, a few years at a time
    // from when it has been painted while nothing else waits, so choosing
    // 全期間 only shows it and the window never stops answering.
    BalanceAnalysis all_years;
    bool has_all_years;
    AllYearsWork* all_years_work;  // while they are being made
    const BalanceAnalysis* shown;
    bool laid_out;
    int dpi;
    AnchoredLayout layout;
    int table;  // the table shown below, kept between openings
    int opened_year;   // the calendar's shown year, chosen at the opening
    LedgerDate today;  // by the calendar's clock at the opening
};
AnalysisWindowState window_state;

const BalanceAnalysis& shown() { return *window_state.shown; }

// The chart ends today by the calendar's clock.
LedgerDate today() { return window_state.today; }

void drop_all_years_work()
{
    if (window_state.all_years_work) drop_all_years(window_state.all_years_work);
    window_state.all_years_work = nullptr;
}

// More years, for a little while or (INFINITE) until all are made; true
// once they are. A while ends early when the user does something.
bool make_all_years_for(DWORD milliseconds)
{
    if (window_state.has_all_years) return true;
    if (!window_state.all_years_work) window_state.all_years_work = begin_all_years(window_state.all_years);
    const DWORD start = GetTickCount();
    while (step_all_years(window_state.all_years_work))
        if (milliseconds != INFINITE && (GetTickCount() - start >= milliseconds || GetQueueStatus(QS_INPUT))) return false;
    drop_all_years_work();
    end_chart_at(window_state.all_years, today());
    window_state.has_all_years = true;
    return true;
}

void prepare_all_years() { make_all_years_for(INFINITE); }

// Figures made before a change of the ledger are made again.
void forget_all_years()
{
    drop_all_years_work();
    window_state.has_all_years = false;
}

std::wstring date_text(const LedgerDate& date)
{
    wchar_t text[16];
    wsprintfW(text, L"%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

void refresh_chart(HWND dialog) { show_chart(GetDlgItem(dialog, IDC_ANALYSIS_CHART), &shown(), window_state.dpi); }

void set_figure(HWND dialog, FigureRow row, const std::wstring& value, const std::wstring& note = L"")
{
    SetDlgItemTextW(dialog, IDC_FIGURE_VALUE + row, value.c_str());
    SetDlgItemTextW(dialog, IDC_FIGURE_NOTE + row, note.c_str());
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

// "2009年、2011年": the years whose visits file could not be read.
std::wstring years_left_out(const BalanceAnalysis& analysis)
{
    std::wstring years;
    for (const UnreadableVisits& year : analysis.unreadable_visits)
        years += (years.empty() ? L"" : L"、") + std::to_wstring(year.year) + L"年";
    return years;
}

// Figures that lack a year's visits carry a mark, and the first says why.
void show_visit_figures(HWND dialog, const BalanceAnalysis& analysis)
{
    const VisitTotals& totals = analysis.visits.totals;
    const bool lacking = !analysis.unreadable_visits.empty();
    const int shown_state = totals.visits > 0 || lacking ? SW_SHOWNA : SW_HIDE;
    for (int row = row_visits; row <= row_hourly; ++row)
        for (int id : {IDC_FIGURE_LABEL, IDC_FIGURE_VALUE, IDC_FIGURE_NOTE}) ShowWindow(GetDlgItem(dialog, id + row), shown_state);
    const std::wstring mark = lacking ? L" ※" : L"";
    set_figure(dialog, row_visits, sum_text(totals.visits) + mark,
               lacking ? L"※" + years_left_out(analysis) + L"の明細を除く" : L"回");
    set_figure(dialog, row_stake, sum_text(totals.stake) + mark);
    set_figure(dialog, row_returned, sum_text(totals.returned) + mark);
    set_figure(dialog, row_return_rate, rate_text(totals.return_rate) + mark, L"回収÷投資");
    set_figure(dialog, row_minutes, hours_text(totals.minutes) + mark, L"時刻のある明細");
    set_figure(dialog, row_hourly, (totals.hourly.known ? sum_text(totals.hourly.value) : L"－") + mark, L"1時間あたり");
}

// Once per run and year: what is left out, the file and its problems; of
// the shown year, and of all years once they are made.
void tell_unreadable_visits(HWND dialog)
{
    std::vector<UnreadableVisits> years = shown().unreadable_visits;
    if (window_state.has_all_years)
        years.insert(years.end(), window_state.all_years.unreadable_visits.begin(), window_state.all_years.unreadable_visits.end());
    for (const UnreadableVisits& year : years) {
        const std::wstring left_out = std::to_wstring(year.year) +
                                      L"年の明細を読めないため、回数・投資・回収・回収率・稼働時間・時給と、種別・場所・"
                                      L"機種の表に入っていません（※の数字）。";
        tell_visits_unreadable_once(dialog, year.year, year.problems, left_out.c_str());
    }
}

// "上限超過 3か月": the months of a year past the monthly loss limit.
std::wstring months_over_limit_note(const BalanceAnalysis& analysis)
{
    const int64_t limit = loss_limits().month;
    if (analysis.period == all_years_period || limit <= 0) return std::wstring();
    int over = 0;
    for (const ResultSummary& month : analysis.bars) over += month.sum < -limit;
    return over ? L"上限超過 " + std::to_wstring(over) + L"か月" : std::wstring();
}

void show_figures(HWND dialog)
{
    const BalanceAnalysis& a = shown();
    const ResultSummary& results = a.totals.results;
    set_figure(dialog, row_played_days, sum_text(a.totals.days), L"日");
    set_figure(dialog, row_wins, sum_text(results.wins), L"回");
    set_figure(dialog, row_losses, sum_text(results.losses), L"回");
    set_figure(dialog, row_draws, sum_text(results.draws), L"回");
    set_figure(dialog, row_win_rate, rate_text(Rate{a.has_win_rate, a.win_rate_tenths}), L"勝ち÷(勝ち＋負け)");
    set_figure(dialog, row_total, sum_text(results.sum), months_over_limit_note(a));
    set_figure(dialog, row_average, sum_text(a.totals.average), L"1日あたり");
    show_day_record(dialog, row_best, a.best);
    show_day_record(dialog, row_worst, a.worst);
    show_streak(dialog, row_longest_wins, a.longest_wins);
    show_streak(dialog, row_longest_losses, a.longest_losses);
    show_streak(dialog, row_current, a.current);
    show_largest_fall(dialog, a.largest_fall);
    show_visit_figures(dialog, a);
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
    if (!shown().unreadable_visits.empty()) PostMessageW(dialog, WM_TELL_UNREADABLE, 0, 0);
}

// "2009年 " or "全期間 ": the period the days come from.
std::wstring period_title()
{
    return shown().period == all_years_period ? L"全期間  " : std::to_wstring(shown().period) + L"年  ";
}

void open_days(HWND dialog, const FigureChoice& choice, const std::wstring& title)
{
    run_days_window(dialog, shown(), choice, period_title() + title);
}

void open_days_of_bar(HWND dialog, int bar)
{
    const FigureChoice choice = {figure_bar, bar, 0, "", false};
    const BalanceAnalysis& a = shown();
    // "2026年10月", one run, so the count after it cannot read as a day.
    const std::wstring title = a.period == all_years_period ? std::to_wstring(a.first_year + bar) + L"年"
                                                           : std::to_wstring(a.period) + L"年" + std::to_wstring(bar + 1) + L"月";
    run_days_window(dialog, a, choice, title);
}

void open_days_of_row(HWND dialog, int table, int row)
{
    FigureChoice choice;
    std::wstring title;
    if (row_figure(shown(), table, row, &choice, &title)) open_days(dialog, choice, title);
}

void lay_out(HWND dialog)
{
    lay_out_analysis(dialog, window_state.layout);
    refresh_chart(dialog);
}

BOOL on_init(HWND dialog)
{
    window_state.dpi = window_dpi(dialog);
    read_analysis_layout(dialog, window_state.layout);
    add_table_columns(dialog, window_state.dpi);
    choose_table(dialog, window_state.table);
    const int shown_year = window_state.opened_year;
    fill_periods(dialog, shown_year);
    show_period(dialog, shown_year);
    lay_out(dialog);
    window_state.laid_out = true;
    fit_analysis_to_screen(dialog, window_state.layout, window_state.dpi);
    SetTimer(dialog, all_years_timer, USER_TIMER_MINIMUM, nullptr);
    return TRUE;
}

void on_timer(HWND dialog, UINT_PTR timer)
{
    if (timer != all_years_timer) return;
    // A step reads one year: at most a few milliseconds.
    if (!make_all_years_for(8)) return;
    KillTimer(dialog, all_years_timer);
    if (!window_state.all_years.unreadable_visits.empty()) PostMessageW(dialog, WM_TELL_UNREADABLE, 0, 0);
}

void on_min_max_info(HWND dialog, MINMAXINFO* info)
{
    if (!window_state.laid_out) return;  // the dialog font is not known yet
    const SIZE smallest = smallest_analysis_size(dialog, window_state.layout, window_state.dpi);
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

// Enter on a table's row opens its days (the dialog answers Enter with
// its default button); elsewhere it closes the window.
void on_enter(HWND dialog)
{
    HWND focus = GetFocus();
    const int table = focus && GetParent(focus) == dialog ? table_of_list(GetDlgCtrlID(focus)) : -1;
    if (table < 0) {
        EndDialog(dialog, 1);
        return;
    }
    open_days_of_row(dialog, table, static_cast<int>(SendMessageW(focus, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
}

BOOL on_command(HWND dialog, int id, int code)
{
    if (id >= IDC_TABLE_CHOICE && id < IDC_TABLE_CHOICE + analysis_table_count) {
        window_state.table = id - IDC_TABLE_CHOICE;
        choose_table(dialog, window_state.table);
        return TRUE;
    }
    switch (id) {
    case IDC_ANALYSIS_PERIOD:
        if (code == CBN_SELCHANGE) show_period(dialog, chosen_period(dialog));
        return TRUE;
    case IDC_ANALYSIS_CSV: export_analysis(dialog); return TRUE;
    case IDOK: on_enter(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 1); return TRUE;
    default: return FALSE;
    }
}

BOOL on_notify(HWND dialog, NMHDR* header)
{
    if (header->idFrom == IDC_ANALYSIS_CHART && header->code == chart_bar_clicked) {
        open_days_of_bar(dialog, reinterpret_cast<const ChartBarClick*>(header)->bar);
        return TRUE;
    }
    if (header->code == LVN_ITEMACTIVATE) {
        const int table = table_of_list(static_cast<int>(header->idFrom));
        if (table >= 0) open_days_of_row(dialog, table, reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem);
        return TRUE;
    }
    return on_table_notify(dialog, header, shown());
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
    case WM_NOTIFY: return on_notify(dialog, reinterpret_cast<NMHDR*>(lparam));
    case WM_TIMER: on_timer(dialog, wparam); return TRUE;
    case WM_LEDGER_CHANGED:
        // A day changed under the window: its figures follow.
        forget_all_years();
        show_period(dialog, chosen_period(dialog));
        SetTimer(dialog, all_years_timer, USER_TIMER_MINIMUM, nullptr);
        return TRUE;
    case WM_CTLCOLORSTATIC: return on_static_color(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED: on_dpi_changed(dialog, HIWORD(wparam)); return FALSE;
    case WM_TELL_UNREADABLE: tell_unreadable_visits(dialog); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

void run_analysis_window(HWND parent, int shown_year)
{
    const DateRecord now = clock_now();
    window_state.opened_year = shown_year;
    window_state.today = LedgerDate{now.year, now.month, now.day};
    // The lists and the tooltip are common controls; the chart is our own.
    init_common_controls();
    window_state.laid_out = false;  // sizes come before the controls exist
    forget_all_years();  // the files may have changed since
    window_state.shown = &window_state.year;
    HINSTANCE instance = window_instance(parent);
    register_chart_class(instance);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ANALYSIS), parent, analysis_procedure, 0);
    drop_all_years_work();
}
