#include "dialogs/year_info.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "dialogs/day_entry.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_box.h"
#include "dialogs/owner_messages.h"
#include "dialogs/restore_dialog.h"
#include "dialogs/save_messages.h"
#include "dialogs/year_csv.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/amount_text.h"
#include "view/draw.h"
#include "view/fonts.h"

namespace {

// The dialog's own state, given to it through its parameter: the year it
// shows with its ledger, the chosen month, and what it draws with.
struct YearInfoState {
    int16_t info_year;
    int info_month;
    int info_selected_id;
    LedgerYear value;
    DialogMade made;  // its font: the year box's
    // Years whose file could not be read, told once per opening.
    std::wstring unreadable_years;
    bool unreadable_told;
};

YearInfoState& info_of(HWND dialog) { return *reinterpret_cast<YearInfoState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring year_list(const std::vector<int>& years)
{
    std::wstring text;
    for (int year : years) text += (text.empty() ? L"" : L"、") + std::to_wstring(year) + L"年";
    return text;
}

// Sums beyond 32 bits (many years of large amounts) keep every digit.
void set_amount(HWND dialog, int id, int64_t amount)
{
    char16_t text[large_amount_text_size];
    format_large_amount(amount, text);
    SetDlgItemTextW(dialog, id, reinterpret_cast<const wchar_t*>(text));
}

void show_days(HWND dialog, int month)
{
    const LedgerYear& value = info_of(dialog).value;
    for (int day = 1; day <= ledger_month_days; ++day) {
        const DayEntry entry = day_of(value, month, day);
        set_amount(dialog, IDC_DAY_AMOUNT + day, entry.amount);
        SetDlgItemTextW(dialog, IDC_DAY_MEMO + day, sjis_to_wide(entry.memo).c_str());
    }
}

void show_counts(HWND dialog, const ResultSummary& s, int wins_id, int losses_id, int draws_id)
{
    set_amount(dialog, wins_id, s.wins);
    set_amount(dialog, losses_id, s.losses);
    set_amount(dialog, draws_id, s.draws);
}

void show_month_totals(HWND dialog, int month_index)
{
    const LedgerYear& value = info_of(dialog).value;
    ResultSummary year = {};
    for (int k = 0; k < 12; ++k) {
        ResultSummary month = month_summary(value, k);
        set_amount(dialog, IDC_MONTH_TOTAL + 1 + k, month.sum);
        if (k == month_index) show_counts(dialog, month, IDC_MONTH_WINS, IDC_MONTH_LOSSES, IDC_MONTH_DRAWS);
        year.sum += month.sum;
        year.wins += month.wins;
        year.losses += month.losses;
        year.draws += month.draws;
    }
    set_amount(dialog, IDC_YEAR_TOTAL, year.sum);
    show_counts(dialog, year, IDC_YEAR_WINS, IDC_YEAR_LOSSES, IDC_YEAR_DRAWS);
}

void show_all_years_totals(HWND dialog, int year)
{
    YearInfoState& info = info_of(dialog);
    std::vector<int> unreadable;
    ResultSummary all = all_years_summary(year, &unreadable);
    if (!unreadable.empty() && !info.unreadable_told) {
        info.unreadable_told = true;
        info.unreadable_years = year_list(unreadable);
        PostMessageW(dialog, WM_TELL_UNREADABLE, 0, 0);
    }
    set_amount(dialog, IDC_ALL_TOTAL, all.sum);
    show_counts(dialog, all, IDC_ALL_WINS, IDC_ALL_LOSSES, IDC_ALL_DRAWS);
    wchar_t caption[40];
    wsprintfW(caption, L"%d年の勝敗", year);
    SetDlgItemTextW(dialog, IDC_YEAR_GROUP, caption);
    wsprintfW(caption, L"%d年までの総合計", year);
    SetDlgItemTextW(dialog, IDC_ALL_GROUP, caption);
}

RECT control_rect(HWND dialog, int id)
{
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    rect_to_client(dialog, rect);
    return rect;
}

// The number in the year box.
int16_t year_in_box(HWND dialog)
{
    wchar_t text[6] = L"";
    GetDlgItemTextW(dialog, IDC_YEAR_NUMBER, text, 6);
    return static_cast<int16_t>(_wtoi(text));
}

int select_month(HWND dialog, int id)
{
    RECT left = control_rect(dialog, IDC_LIST_GROUP);
    left.right = control_rect(dialog, IDC_DAY_AMOUNT + 16).left;
    left.top = control_rect(dialog, IDC_DAY_AMOUNT + 1).top;
    left.bottom = control_rect(dialog, IDC_DAY_AMOUNT + 16).bottom;
    RECT right = control_rect(dialog, IDC_DAY_MEMO + 1);
    right.left = right.right;
    right.right = control_rect(dialog, IDC_DAY_AMOUNT + 31).left;
    right.bottom = control_rect(dialog, IDC_DAY_AMOUNT + 31).bottom;

    int month = id - IDC_MONTH_TOTAL;
    int year = year_in_box(dialog);
    show_all_years_totals(dialog, year);
    show_month_totals(dialog, month - 1);
    show_days(dialog, month);
    InvalidateRect(dialog, &left, TRUE);
    InvalidateRect(dialog, &right, TRUE);
    return month;
}

// The year's ledger as it is now, and everything shown of it.
void show_year_again(HWND dialog)
{
    YearInfoState& info = info_of(dialog);
    read_ledger_year(info.info_year, info.value);
    info.info_month = select_month(dialog, info.info_selected_id);
}

HFONT year_font_at(int dpi) { return make_font_at_dpi(face_times, 24, style_bold, dpi); }

LRESULT CALLBACK year_key_hook(int code, WPARAM wparam, LPARAM lparam);

// As Tab moves the focus: a button it reaches becomes the default one.
void focus_control(HWND dialog, int id)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

// The year box, the month totals and the days take the keyboard focus;
// of the days only one is a Tab stop, the one the arrows moved to last.
void make_focus_cells(HWND dialog)
{
    make_focus_cell(GetDlgItem(dialog, IDC_YEAR_NUMBER));
    for (int month = 1; month <= 12; ++month) make_focus_cell(GetDlgItem(dialog, IDC_MONTH_TOTAL + month));
    for (int day = 1; day <= ledger_month_days; ++day) make_focus_cell(GetDlgItem(dialog, IDC_DAY_AMOUNT + day));
}

BOOL on_init(HWND dialog, YearInfoState* info)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(info));
    forget_year_summaries();  // the files may have changed since the last visit
    info->made.brushes = make_dialog_brushes();
    set_own_font(dialog, IDC_YEAR_NUMBER, info->made.font, year_font_at(window_dpi(dialog)));

    read_ledger_year(info->info_year, info->value);
    HWND spin = GetDlgItem(dialog, IDC_YEAR_SPIN);
    SendMessageW(spin, UDM_SETBASE, 10, 0);
    // One past each end, so the spin reaches them and wraps.
    SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(last_calendar_year + 1, first_calendar_year - 1));
    int shown = info->info_year >= first_ledger_year ? info->info_year : clock_now().year;
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(shown, 0));
    wchar_t text[8];
    wsprintfW(text, L"%04d", shown);
    SetDlgItemTextW(dialog, IDC_YEAR_NUMBER, text);

    info->info_selected_id = IDC_MONTH_TOTAL + info->info_month;
    show_all_years_totals(dialog, info->info_year);
    show_days(dialog, info->info_month);
    show_month_totals(dialog, info->info_month - 1);
    make_focus_cells(dialog);
    info->made.keys = watch_dialog_keys(year_key_hook);
    // On 閉じる, the dialog's natural end, rather than its first Tab stop.
    focus_control(dialog, IDOK);
    return FALSE;
}

void on_year_change(HWND dialog, int position)
{
    HWND spin = GetDlgItem(dialog, IDC_YEAR_SPIN);
    // The calendar's years wrap at both ends.
    if (position > last_calendar_year) position = first_calendar_year;
    else if (position < first_calendar_year) position = last_calendar_year;
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(position, 0));
    wchar_t text[8];
    wsprintfW(text, L"%04d", position);
    SetDlgItemTextW(dialog, IDC_YEAR_NUMBER, text);
    info_of(dialog).info_year = year_in_box(dialog);
    show_year_again(dialog);
}

// The day entry is given the day; what it changes comes back as
// WM_LEDGER_CHANGED.
void edit_day(HWND dialog, int day)
{
    const YearInfoState& info = info_of(dialog);
    if (day > days_in_month(info.info_year, info.info_month)) return;
    run_day_entry_dialog(dialog, info.info_year, info.info_month, day);
}

void export_year(HWND dialog) { export_year_csv(dialog, info_of(dialog).info_year); }

void import_year(HWND dialog)
{
    const int year = year_in_box(dialog);
    ImportOutcome outcome;
    if (!ask_and_import_year_csv(dialog, year, &outcome)) return;
    if (outcome.status == import_saved || outcome.status == import_not_saved) {
        // The figures, the calendar and its tooltips show the new days at once.
        forget_year_summaries();
        show_year_again(dialog);
        tell_ledger_changed(dialog, year);
    }
    if (outcome.status == import_saved) tell_undo_step(dialog, outcome.step);
    tell_import_outcome(dialog, year, outcome);
}

// The year as a backup held it: the figures, the calendar and every
// window showing the year follow.
void restore_year(HWND dialog)
{
    const int year = year_in_box(dialog);
    if (!run_restore_dialog(dialog, year)) return;
    forget_year_summaries();
    show_year_again(dialog);
    tell_ledger_changed(dialog, year);
}

BOOL on_command(HWND dialog, int id)
{
    YearInfoState& info = info_of(dialog);
    if (id > IDC_MONTH_TOTAL && id <= IDC_MONTH_TOTAL + 12) {
        info.info_selected_id = id;
        info.info_month = select_month(dialog, id);
    } else if (id > IDC_DAY_AMOUNT && id <= IDC_DAY_AMOUNT + 31) {
        edit_day(dialog, id - IDC_DAY_AMOUNT);
    } else if (id > IDC_DAY_MEMO && id <= IDC_DAY_MEMO + 31) {
        edit_day(dialog, id - IDC_DAY_MEMO);
    } else if (id == IDC_CSV) {
        export_year(dialog);
    } else if (id == IDC_CSV_IMPORT) {
        import_year(dialog);
    } else if (id == IDC_RESTORE) {
        restore_year(dialog);
    } else if (id == IDOK || id == IDCANCEL) {
        EndDialog(dialog, 1);
    } else {
        return FALSE;
    }
    return TRUE;
}

void paint_day_labels(HWND dialog)
{
    YearInfoState& info = info_of(dialog);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    // At the dialog's own scale, as its year box: the paint DC knows only
    // the system's.
    HFONT font = make_window_font(dialog, face_gothic, 9, style_normal);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    const int width = (metrics.tmMaxCharWidth + metrics.tmAveCharWidth) / 2;
    info.info_year = year_in_box(dialog);
    const int days = days_in_month(info.info_year, info.info_month);
    const BoxPainting saved = begin_boxes(dc);
    for (int day = 1; day <= days; ++day) {
        RECT cell = control_rect(dialog, IDC_DAY_AMOUNT + day);
        RECT label = {cell.left - 4 * width, cell.top, cell.left, cell.bottom};
        const DayKind kind =
            kind_of_day(info.info_year, info.info_month, day, day_of(info.value, info.info_month, day).day_off);
        char16_t weekday[3];
        weekday_name(weekday, 1, kind.weekday);
        wchar_t text[8];
        wsprintfW(text, L"%2d%s", day, reinterpret_cast<const wchar_t*>(weekday));
        COLORREF color = is_red_day(kind) ? RGB(255, 0, 0) : kind.kind == kind_saturday ? RGB(0, 0, 255) : RGB(0, 0, 0);
        draw_label(dc, text, label, color);
    }
    end_boxes(dc, saved);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(dialog, &paint);
}

bool is_negative_figure(HWND control)
{
    wchar_t text[20] = L"";
    GetWindowTextW(control, text, 20);
    return wcstol(text, nullptr, 10) < 0;
}

INT_PTR on_static_color(HWND dialog, HDC dc, HWND control)
{
    const YearInfoState& info = info_of(dialog);
    SetBkMode(dc, TRANSPARENT);
    const int id = GetDlgCtrlID(control);
    const bool day_amount = id > IDC_DAY_AMOUNT && id <= IDC_DAY_AMOUNT + 31;
    const bool day_memo = id > IDC_DAY_AMOUNT + 31 && id <= IDC_DAY_MEMO + 31;
    const bool month_total = id > IDC_MONTH_TOTAL && id <= IDC_MONTH_TOTAL + 12;
    if (day_memo || id == IDC_INFO_HINT) return reinterpret_cast<INT_PTR>(info.made.brushes.light_yellow);
    const bool figure = day_amount || month_total || id == IDC_YEAR_TOTAL || id == IDC_ALL_TOTAL ||
                        id == IDC_YEAR_NUMBER || id == IDC_MONTH_WINS || id == IDC_MONTH_LOSSES ||
                        (id >= IDC_YEAR_WINS && id <= IDC_ALL_DRAWS);
    if (!figure) return 0;
    SetTextColor(dc, is_negative_figure(control) ? RGB(255, 0, 0) : RGB(0, 0, 0));
    bool highlighted = day_amount || id == info.info_selected_id;
    return reinterpret_cast<INT_PTR>(highlighted ? info.made.brushes.light_cyan : info.made.brushes.white);
}

INT_PTR CALLBACK year_info_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<YearInfoState*>(lparam));
    case WM_TELL_UNREADABLE:
        tell_error(dialog, info_of(dialog).unreadable_years + L"のファイルを読めませんでした。合計に含まれていません。",
                   MB_OK | MB_ICONWARNING);
        return TRUE;
    case WM_LEDGER_CHANGED:
        // A day entered from here: its figures and every total show it.
        forget_year_summaries();
        if (static_cast<int>(wparam) == info_of(dialog).info_year) show_year_again(dialog);
        return TRUE;
    case WM_COMMAND:
        // One action per click: a double click on a cell also reports
        // STN_DBLCLK, which must not open the day a second time.
        if (HIWORD(wparam) != STN_CLICKED) return FALSE;
        return on_command(dialog, LOWORD(wparam));
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lparam) == GetDlgItem(dialog, IDC_YEAR_SPIN))
            on_year_change(dialog, static_cast<short>(HIWORD(wparam)));
        return TRUE;
    case WM_PAINT: paint_day_labels(dialog); return TRUE;
    case WM_DPICHANGED:
        // The dialog manager scales the dialog; the year's font is ours.
        set_own_font(dialog, IDC_YEAR_NUMBER, info_of(dialog).made.font, year_font_at(HIWORD(wparam)));
        return FALSE;
    case WM_CTLCOLORSTATIC:
        return on_static_color(dialog, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DESTROY: free_dialog_made(info_of(dialog).made); return FALSE;
    default: return FALSE;
    }
}

// The focus on a day of the shown month (the last when beyond it), which
// becomes the days' Tab stop.
void focus_day(HWND dialog, int day)
{
    const YearInfoState& info = info_of(dialog);
    const int last = days_in_month(info.info_year, info.info_month);
    day = day < 1 ? 1 : day > last ? last : day;
    for (int other = 1; other <= ledger_month_days; ++other) {
        HWND cell = GetDlgItem(dialog, IDC_DAY_AMOUNT + other);
        LONG_PTR style = GetWindowLongPtrW(cell, GWL_STYLE);
        SetWindowLongPtrW(cell, GWL_STYLE, other == day ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
    focus_control(dialog, IDC_DAY_AMOUNT + day);
}

// Page Up and Page Down: the month before or after, across the years;
// with Ctrl the year before or after. A focused day stays in the month.
void on_page(HWND dialog, int step, bool whole_year)
{
    YearInfoState& info = info_of(dialog);
    int year = info.info_year + (whole_year ? step : 0);
    const int month = whole_year ? info.info_month : (info.info_month + step + 11) % 12 + 1;
    if (!whole_year && month == (step > 0 ? 1 : 12)) year += step;
    info.info_selected_id = IDC_MONTH_TOTAL + month;
    if (year != info.info_year)
        on_year_change(dialog, year);
    else
        info.info_month = select_month(dialog, info.info_selected_id);
    const int focused = GetDlgCtrlID(GetFocus()) - IDC_DAY_AMOUNT;
    if (focused >= 1 && focused <= ledger_month_days) focus_day(dialog, focused);
}

// Up and Down on a cell: the year box counts the year up and down as its
// arrows do; the months and the days move to the one above or below.
bool on_arrow(HWND dialog, HWND focus, int step)
{
    const int id = GetDlgCtrlID(focus);
    if (id == IDC_YEAR_NUMBER) {
        on_year_change(dialog, info_of(dialog).info_year - step);
    } else if (id > IDC_MONTH_TOTAL && id <= IDC_MONTH_TOTAL + 12) {
        const int month = id - IDC_MONTH_TOTAL + step;
        if (month >= 1 && month <= 12) focus_control(dialog, IDC_MONTH_TOTAL + month);
    } else if (id > IDC_DAY_AMOUNT && id <= IDC_DAY_AMOUNT + ledger_month_days) {
        focus_day(dialog, id - IDC_DAY_AMOUNT + step);
    } else {
        return false;
    }
    return true;
}

LRESULT CALLBACK year_key_hook(int code, WPARAM wparam, LPARAM lparam)
{
    const MSG& message = *reinterpret_cast<const MSG*>(lparam);
    HWND dialog = code == MSGF_DIALOGBOX ? dialog_taking_key(message, year_info_procedure) : nullptr;
    if (dialog && message.message == WM_KEYDOWN) {
        if (message.wParam == VK_PRIOR || message.wParam == VK_NEXT) {
            on_page(dialog, message.wParam == VK_NEXT ? 1 : -1, control_held());
            return 1;
        }
        if ((message.wParam == VK_UP || message.wParam == VK_DOWN) &&
            on_arrow(dialog, message.hwnd, message.wParam == VK_DOWN ? 1 : -1))
            return 1;
        if (arrow_moves_focus(dialog, message)) return 1;
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void run_year_info_dialog(HWND parent, int year, int month)
{
    YearInfoState info = {};
    info.info_year = static_cast<int16_t>(year);
    info.info_month = month;
    DialogBoxParamW(window_instance(parent), MAKEINTRESOURCEW(IDD_YEAR_INFO), parent, year_info_procedure,
                    reinterpret_cast<LPARAM>(&info));
}
