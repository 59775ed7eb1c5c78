// The 収支 page: the loss limits, kept in Ravo.ini (Option.bin is left as
// it is).
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "dialogs/error_box.h"
#include "dialogs/owner_messages.h"
#include "dialogs/pages.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/limits.h"

namespace {
// An empty field is no limit.
void show_amount(HWND page, int id, int64_t amount)
{
    SetDlgItemTextW(page, id, amount > 0 ? std::to_wstring(amount).c_str() : L"");
}

bool read_amount(HWND page, int id, int64_t* amount)
{
    wchar_t text[16] = L"";
    GetDlgItemTextW(page, id, text, 16);
    *amount = 0;
    for (const wchar_t* c = text; *c; ++c) {
        if (*c < L'0' || *c > L'9' || *amount > loss_limit_max) return false;
        *amount = *amount * 10 + (*c - L'0');
    }
    return *amount <= loss_limit_max;
}

void on_init(HWND page)
{
    const LossLimits& limits = loss_limits();
    show_amount(page, IDC_LIMIT_MONTH, limits.month);
    show_amount(page, IDC_LIMIT_YEAR, limits.year);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN_SPIN, UDM_SETRANGE32, warn_percent_low, warn_percent_high);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN_SPIN, UDM_SETPOS32, 0, limits.warn_percent);
    for (int id : {IDC_LIMIT_MONTH, IDC_LIMIT_YEAR}) SendDlgItemMessageW(page, id, EM_LIMITTEXT, 9, 0);
    SendDlgItemMessageW(page, IDC_LIMIT_WARN, EM_LIMITTEXT, 3, 0);
}

// The fields as limits; false, with the field to mend chosen, when one is
// out of range.
bool read_limits(HWND page, LossLimits* limits)
{
    int64_t share = 0;
    if (!read_amount(page, IDC_LIMIT_MONTH, &limits->month)) return SetFocus(GetDlgItem(page, IDC_LIMIT_MONTH)), false;
    if (!read_amount(page, IDC_LIMIT_YEAR, &limits->year)) return SetFocus(GetDlgItem(page, IDC_LIMIT_YEAR)), false;
    if (!read_amount(page, IDC_LIMIT_WARN, &share) || share < warn_percent_low || share > warn_percent_high) {
        tell_error(page, L"知らせる割合は 50 から 100 % までです。", MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(page, IDC_LIMIT_WARN));
        return false;
    }
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
