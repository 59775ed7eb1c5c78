// The 収支 page: the loss limits, kept in Ravo.ini (Option.bin is left as
// it is).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "dialogs/error_box.h"
#include "dialogs/figure_text.h"
#include "dialogs/owner_messages.h"
#include "dialogs/pages.h"
#include "ledger/visit_entry.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/limits.h"

namespace {
// An empty field is no limit.
void show_amount(HWND page, int id, int64_t amount)
{
    SetDlgItemTextW(page, id, amount > 0 ? std::to_wstring(amount).c_str() : L"");
}

// Typed or pasted in either width, with or without separators, as the
// 明細 window reads amounts.
bool read_amount(HWND page, int id, int32_t most, int64_t* amount)
{
    int32_t read = 0;
    const bool taken = read_typed_amount(wide_to_utf8(window_text(GetDlgItem(page, id))), most, &read);
    *amount = read;
    return taken;
}

// A field that cannot be taken is named, and chosen for mending.
bool refuse(HWND page, int id, const wchar_t* text)
{
    tell_error(page, text, MB_OK | MB_ICONWARNING);
    SetFocus(GetDlgItem(page, id));
    SendDlgItemMessageW(page, id, EM_SETSEL, 0, -1);
    return false;
}

void on_init(HWND page)
{
    const LossLimits& limits = loss_limits();
    show_amount(page, IDC_LIMIT_MONTH, limits.month);
    show_amount(page, IDC_LIMIT_YEAR, limits.year);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN_SPIN, UDM_SETRANGE32, warn_percent_low, warn_percent_high);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN_SPIN, UDM_SETPOS32, 0, limits.warn_percent);
    // Room for separators and a pasted space or two.
    for (int id : {IDC_LIMIT_MONTH, IDC_LIMIT_YEAR}) SendDlgItemMessageW(page, id, EM_LIMITTEXT, 16, 0);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN, EM_LIMITTEXT, 3, 0);
}

// The fields as limits; false, with the field to mend chosen, when one is
// out of range.
bool read_limits(HWND page, LossLimits* limits)
{
    const wchar_t amounts[] = L"は 0 から 999,999,999 までの円で、30000 や 30,000 のように入れてください（空なら上限なし）。";
    int64_t share = 0;
    if (!read_amount(page, IDC_LIMIT_MONTH, loss_limit_max, &limits->month))
        return refuse(page, IDC_LIMIT_MONTH, (L"月の負け上限" + std::wstring(amounts)).c_str());
    if (!read_amount(page, IDC_LIMIT_YEAR, loss_limit_max, &limits->year))
        return refuse(page, IDC_LIMIT_YEAR, (L"年の負け上限" + std::wstring(amounts)).c_str());
    if (!read_amount(page, IDC_LIMIT_WARN, warn_percent_high, &share) || share < warn_percent_low)
        return refuse(page, IDC_LIMIT_WARN, L"知らせる割合は 50 から 100 % までです。");
    limits->warn_percent = static_cast<int>(share);
    return true;
}

INT_PTR on_apply(HWND page)
{
    LossLimits limits = {0, 0, warn_percent_default};
    LONG_PTR result = PSNRET_NOERROR;
    if (!read_limits(page, &limits)) {
        result = PSNRET_INVALID_NOCHANGEPAGE;
    } else if (!save_loss_limits(limits)) {
        tell_error(page, L"上限の設定を保存できませんでした。\n\n" + utf8_to_wide(limits_file_path().c_str()) +
                             L"\n\nフォルダやファイルに書き込めるか確かめてください。");
        result = PSNRET_INVALID_NOCHANGEPAGE;
    } else {
        tell_owner(page, WM_OPTIONS_APPLIED);
    }
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}
}  // namespace

INT_PTR CALLBACK limits_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: on_init(page); return TRUE;
    case WM_COMMAND:
        if (HIWORD(wparam) == EN_CHANGE) mark_page_changed(page);
        return TRUE;
    case WM_NOTIFY: return is_apply(lparam) ? on_apply(page) : FALSE;
    default: return FALSE;
    }
}
