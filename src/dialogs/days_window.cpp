#include "dialogs/days_window.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "dialogs/day_entry.h"
#include "dialogs/figure_text.h"
#include "dialogs/list_columns.h"
#include "dialogs/owner_messages.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/dpi.h"

namespace {

// What the list shows, given through its parameter.
struct DaysState {
    const BalanceAnalysis* analysis;
    FigureChoice choice;
    std::wstring title;
    std::vector<DayBehind> days;
    int dpi;
};

DaysState& state_of(HWND dialog) { return *reinterpret_cast<DaysState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

const ListColumn day_columns[] = {{L"日付", 62, false}, {L"金額", 52, true}, {L"場所", 96, false},
                                  {L"機種", 96, false}, {L"メモ", 66, false}};

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_DAYS_LIST); }

std::wstring cell_text(const DayBehind& day, int column)
{
    switch (column) {
    case 0: return date_with_weekday(day.date.year, day.date.month, day.date.day);
    // A day found by a search may hold a memo or visits but no amount.
    case 1: return day.amount == -1 ? L"±0" : day.amount ? sum_text(day.amount) : L"";
    case 2: return utf8_to_wide(day.places.c_str());
    case 3: return utf8_to_wide(day.games.c_str());
    default: return sjis_to_wide(day.memo);
    }
}

// The days as the ledger holds them now, the chosen row kept.
void load_days(HWND dialog)
{
    DaysState& state = state_of(dialog);
    HWND list = list_of(dialog);
    const int chosen = chosen_row(list);
    state.days = days_behind(*state.analysis, state.choice);
    SendMessageW(list, LVM_SETITEMCOUNT, state.days.size(), 0);
    choose_row(list, std::min(std::max(chosen, 0), static_cast<int>(state.days.size()) - 1));
    InvalidateRect(list, nullptr, FALSE);
    SetDlgItemTextW(dialog, IDC_DAYS_TITLE, (state.title + L"（" + sum_text(static_cast<int64_t>(state.days.size())) + L"日分）").c_str());
    SetDlgItemTextW(dialog, IDC_DAYS_SUMMARY, days_summary_text(state.days).c_str());
}

void open_chosen_day(HWND dialog)
{
    const DaysState& state = state_of(dialog);
    const int row = chosen_row(list_of(dialog));
    if (row < 0 || row >= static_cast<int>(state.days.size())) return;
    const LedgerDate date = state.days[static_cast<size_t>(row)].date;
    run_day_entry_dialog(dialog, date.year, date.month, date.day);
}

BOOL on_init(HWND dialog, DaysState* state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->dpi = window_dpi(dialog);
    add_list_columns(list_of(dialog), day_columns);
    load_days(dialog);
    SetFocus(list_of(dialog));
    return FALSE;
}

BOOL on_notify(HWND dialog, NMHDR* header)
{
    if (header->idFrom != IDC_DAYS_LIST) return FALSE;
    if (header->code == LVN_ITEMACTIVATE) {
        open_chosen_day(dialog);
    } else if (header->code == LVN_GETDISPINFOW) {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
        const DaysState& state = state_of(dialog);
        if ((item.mask & LVIF_TEXT) && item.cchTextMax > 0 && item.iItem < static_cast<int>(state.days.size()))
            lstrcpynW(item.pszText, cell_text(state.days[static_cast<size_t>(item.iItem)], item.iSubItem).c_str(),
                      item.cchTextMax);
    }
    return FALSE;
}

INT_PTR CALLBACK days_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<DaysState*>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) open_chosen_day(dialog);
        if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    case WM_NOTIFY: return on_notify(dialog, reinterpret_cast<NMHDR*>(lparam));
    case WM_LEDGER_CHANGED: load_days(dialog); return TRUE;
    case WM_DPICHANGED: follow_dpi_change(list_of(dialog), state_of(dialog).dpi, HIWORD(wparam)); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

std::wstring days_summary_text(const std::vector<DayBehind>& days)
{
    const ResultSummary summary = days_summary(days);
    return L"合計 " + signed_sum_text(summary.sum) + L"　" + std::to_wstring(summary.wins) + L"勝" +
           std::to_wstring(summary.losses) + L"敗" + std::to_wstring(summary.draws) + L"分";
}

void run_days_window(HWND owner, const BalanceAnalysis& analysis, const FigureChoice& choice, const std::wstring& title)
{
    DaysState state = {&analysis, choice, title, {}, base_dpi};
    DialogBoxParamW(window_instance(owner), MAKEINTRESOURCEW(IDD_DAYS_BEHIND), owner, days_procedure,
                    reinterpret_cast<LPARAM>(&state));
}
