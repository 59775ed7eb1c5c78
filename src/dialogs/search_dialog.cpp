#include "dialogs/search_dialog.h"

#include <string>

#include "analysis/days_behind.h"
#include "dialogs/days_window.h"
#include "dialogs/figure_text.h"
#include "dialogs/owner_messages.h"
#include "platform/win32_text.h"
#include "res/messages.h"
#include "res/resource.h"

namespace {

// A search of 48 years takes some tens of milliseconds: it waits until
// the typing pauses this long.
const UINT count_delay_ms = 200;
const UINT_PTR count_timer_id = 1;

struct SearchState {
    BalanceAnalysis scope;
};

SearchState& state_of(HWND dialog) { return *reinterpret_cast<SearchState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

std::wstring typed_text(HWND dialog) { return window_text(GetDlgItem(dialog, IDC_SEARCH_TEXT)); }

void show_count(HWND dialog)
{
    KillTimer(dialog, count_timer_id);
    const std::wstring text = typed_text(dialog);
    std::wstring line;
    if (!text.empty()) {
        const std::vector<DayBehind> days = days_behind(state_of(dialog).scope, text_choice(wide_to_utf8(text)));
        line = days.empty() ? L"見つかりません。" : sum_text(static_cast<int64_t>(days.size())) + L"日　" + days_summary_text(days);
    }
    SetDlgItemTextW(dialog, IDC_SEARCH_COUNT, line.c_str());
}

void list_found_days(HWND dialog)
{
    const std::wstring text = typed_text(dialog);
    if (text.empty()) {
        SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
        return;
    }
    show_count(dialog);
    run_days_window(dialog, state_of(dialog).scope, text_choice(wide_to_utf8(text)), L"検索「" + text + L"」");
}

BOOL on_init(HWND dialog, SearchState* state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SendDlgItemMessageW(dialog, IDC_SEARCH_TEXT, EM_LIMITTEXT, 100, 0);
    SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
    return FALSE;
}

INT_PTR CALLBACK search_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<SearchState*>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_SEARCH_TEXT && HIWORD(wparam) == EN_CHANGE)
            SetTimer(dialog, count_timer_id, count_delay_ms, nullptr);
        if (LOWORD(wparam) == IDOK) list_found_days(dialog);
        if (LOWORD(wparam) == IDCANCEL) {
            KillTimer(dialog, count_timer_id);
            EndDialog(dialog, 0);
        }
        return TRUE;
    case WM_TIMER: show_count(dialog); return TRUE;
    // A day opened from the list was changed: the count follows.
    case WM_LEDGER_CHANGED: show_count(dialog); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

void run_search_dialog(HWND owner)
{
    SearchState state = {search_scope()};
    DialogBoxParamW(window_instance(owner), MAKEINTRESOURCEW(IDD_SEARCH), owner, search_procedure,
                    reinterpret_cast<LPARAM>(&state));
}
