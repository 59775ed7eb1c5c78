#include "dialogs/restore_dialog.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/figure_text.h"
#include "dialogs/list_columns.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "ledger/restore.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/amount_text.h"
#include "view/dpi.h"

namespace {

// The year and its backups, given through the dialog's parameter.
struct RestoreState {
    int year;
    std::vector<YearBackup> backups;
    int dpi;
    bool replaced;
};

RestoreState& state_of(HWND dialog) { return *reinterpret_cast<RestoreState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

const ListColumn folder_columns[] = {{L"日付", 70, false}, {L"年合計", 64, true}, {L"今と違う日", 64, true}};
const ListColumn day_columns[] = {{L"日付", 62, false}, {L"今", 52, true},  {L"戻した後", 52, true},
                                  {L"メモ", 30, false}, {L"休日", 30, false}, {L"明細", 30, false}};

HWND folders_of(HWND dialog) { return GetDlgItem(dialog, IDC_RESTORE_FOLDERS); }
HWND days_of(HWND dialog) { return GetDlgItem(dialog, IDC_RESTORE_DAYS); }

// The chosen backup when it can be brought back, else null.
const YearBackup* chosen_backup(HWND dialog)
{
    const RestoreState& state = state_of(dialog);
    const int row = chosen_row(folders_of(dialog));
    if (row < 0 || row >= static_cast<int>(state.backups.size())) return nullptr;
    const YearBackup& backup = state.backups[static_cast<size_t>(row)];
    return backup.readable ? &backup : nullptr;
}

// "2009/12/06", and "2009/12/06 (2)" for the day's second folder.
std::wstring folder_date(const YearBackup& backup)
{
    wchar_t text[32];
    wsprintfW(text, L"%04ld/%02ld/%02ld", backup.day / 10000, backup.day / 100 % 100, backup.day % 100);
    std::wstring date = text;
    if (backup.serial > 1) date += L" (" + std::to_wstring(backup.serial) + L")";
    return date;
}

std::wstring amount_text(int32_t amount)
{
    char16_t text[amount_text_size];
    format_amount(amount, text);
    return reinterpret_cast<const wchar_t*>(text);
}

std::wstring folder_cell(const YearBackup& backup, int column)
{
    if (column == 0) return folder_date(backup);
    if (!backup.readable) return column == 1 ? L"読み込めません" : L"";
    if (column == 1) return sum_text(backup.total);
    return sum_text(static_cast<int64_t>(backup.changed.size())) + L"日";
}

std::wstring day_cell(int year, const ChangedDay& day, int column)
{
    switch (column) {
    case 0: return date_with_weekday(year, day.month, day.day);
    case 1: return amount_text(day.now.amount);
    case 2: return amount_text(day.then.amount);
    case 3: return day.memo_changed ? L"※" : L"";
    case 4: return day.day_off_changed ? L"※" : L"";
    default: return day.visits_changed ? L"※" : L"";
    }
}

// The chosen backup's days; OK only for a backup that can come back.
void show_changed_days(HWND dialog)
{
    const YearBackup* backup = chosen_backup(dialog);
    const size_t count = backup ? backup->changed.size() : 0;
    SendMessageW(days_of(dialog), LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(days_of(dialog), nullptr, FALSE);
    std::wstring title = L"今と違う日(&D)";
    if (backup) title += L"（" + sum_text(static_cast<int64_t>(count)) + L"日）";
    SetDlgItemTextW(dialog, IDC_RESTORE_DAYS_TITLE, title.c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), backup != nullptr);
}

void load_backups(HWND dialog)
{
    RestoreState& state = state_of(dialog);
    LedgerYear now;
    read_ledger_year(state.year, now);
    state.backups = list_year_backups(state.year, now);
    SendMessageW(folders_of(dialog), LVM_SETITEMCOUNT, state.backups.size(), 0);
    show_changed_days(dialog);
}

BOOL on_init(HWND dialog, RestoreState* state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->dpi = window_dpi(dialog);
    SetDlgItemTextW(dialog, IDC_RESTORE_TITLE, (std::to_wstring(state->year) + L"年のバックアップ(&B)").c_str());
    add_list_columns(folders_of(dialog), folder_columns);
    add_list_columns(days_of(dialog), day_columns);
    load_backups(dialog);
    SetFocus(folders_of(dialog));
    return FALSE;
}

void tell_restored(HWND dialog, const YearBackup& backup, const RestoreOutcome& outcome)
{
    std::wstring text =
        std::to_wstring(state_of(dialog).year) + L"年を " + folder_date(backup) + L" のバックアップに戻しました。";
    // A year that had no files yet has no copy of before.
    if (outcome.backup.status == backup_made)
        text += L"\n\n戻す前の内容は次のバックアップにあります。\n" + utf8_to_wide(outcome.backup.folder.c_str());
    MessageBoxW(dialog, text.c_str(), L"戻しました", MB_OK | MB_ICONINFORMATION);
}

// Brings the chosen backup back; the dialog ends once the files changed.
void restore_chosen(HWND dialog)
{
    const YearBackup* backup = chosen_backup(dialog);
    if (!backup) return;
    RestoreState& state = state_of(dialog);
    const RestoreOutcome outcome = restore_year_backup(state.year, *backup);
    if (outcome.status == restore_no_backup) {
        tell_restore_without_backup(dialog, outcome.backup);
        return;
    }
    if (outcome.status == restore_not_saved) tell_restore_failure(dialog, outcome.failure);
    if (outcome.status == restore_saved) tell_restored(dialog, *backup, outcome);
    state.replaced = outcome.status == restore_saved || outcome.failure.record_waiting;
    if (state.replaced) EndDialog(dialog, IDOK);
}

void give_cell_text(HWND dialog, NMLVDISPINFOW* info)
{
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
    const RestoreState& state = state_of(dialog);
    const size_t row = static_cast<size_t>(item.iItem);
    std::wstring text;
    if (info->hdr.idFrom == IDC_RESTORE_FOLDERS && row < state.backups.size()) {
        text = folder_cell(state.backups[row], item.iSubItem);
    } else if (const YearBackup* backup = chosen_backup(dialog)) {
        if (row < backup->changed.size()) text = day_cell(state.year, backup->changed[row], item.iSubItem);
    }
    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

BOOL on_notify(HWND dialog, NMHDR* header)
{
    if (header->code == LVN_GETDISPINFOW) give_cell_text(dialog, reinterpret_cast<NMLVDISPINFOW*>(header));
    if (header->code == LVN_ITEMCHANGED && header->idFrom == IDC_RESTORE_FOLDERS) show_changed_days(dialog);
    return FALSE;
}

void on_dpi_changed(HWND dialog, int new_dpi)
{
    RestoreState& state = state_of(dialog);
    scale_list_columns(folders_of(dialog), state.dpi, new_dpi);
    follow_dpi_change(days_of(dialog), state.dpi, new_dpi);
}

INT_PTR CALLBACK restore_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<RestoreState*>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) restore_chosen(dialog);
        if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_NOTIFY: return on_notify(dialog, reinterpret_cast<NMHDR*>(lparam));
    case WM_DPICHANGED: on_dpi_changed(dialog, HIWORD(wparam)); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

bool run_restore_dialog(HWND owner, int year)
{
    RestoreState state = {year, {}, base_dpi, false};
    DialogBoxParamW(window_instance(owner), MAKEINTRESOURCEW(IDD_RESTORE), owner, restore_procedure,
                    reinterpret_cast<LPARAM>(&state));
    return state.replaced;
}
