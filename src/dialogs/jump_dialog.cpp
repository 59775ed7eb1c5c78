#include "dialogs/jump_dialog.h"

#include <string>

#include "calendar/dates.h"
#include "dialogs/figure_text.h"
#include "dialogs/owner_messages.h"
#include "platform/win32_text.h"
#include "res/resource.h"

namespace {

TypedDate& date_of(HWND dialog) { return *reinterpret_cast<TypedDate*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// The whole text selected in the field, which has the focus.
void focus_field(HWND dialog)
{
    HWND field = GetDlgItem(dialog, IDC_JUMP_TEXT);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

BOOL on_init(HWND dialog, TypedDate* date)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(date));
    const std::wstring text =
        std::to_wstring(date->year) + L"/" + std::to_wstring(date->month) + L"/" + std::to_wstring(date->day);
    SendDlgItemMessageW(dialog, IDC_JUMP_TEXT, EM_LIMITTEXT, 40, 0);
    SetDlgItemTextW(dialog, IDC_JUMP_TEXT, text.c_str());
    focus_field(dialog);
    return FALSE;
}

// The date typed, or what is wrong with it said under the field.
void take_typed_date(HWND dialog)
{
    const std::string text = wide_to_utf8(window_text(GetDlgItem(dialog, IDC_JUMP_TEXT)));
    std::string fault;
    TypedDate typed = {};
    if (!read_typed_date(text, clock_now().year, &typed, &fault)) {
        SetDlgItemTextW(dialog, IDC_JUMP_NOTE, utf8_to_wide(fault.c_str()).c_str());
        MessageBeep(MB_ICONWARNING);
        focus_field(dialog);
        return;
    }
    date_of(dialog) = typed;
    EndDialog(dialog, 1);
}

void take_today(HWND dialog)
{
    const DateRecord today = clock_now();
    date_of(dialog) = TypedDate{today.year, today.month, today.day};
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK jump_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<TypedDate*>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) take_typed_date(dialog);
        if (LOWORD(wparam) == IDC_JUMP_TODAY) take_today(dialog);
        if (LOWORD(wparam) == IDCANCEL) EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool run_jump_dialog(HWND owner, TypedDate* date)
{
    return DialogBoxParamW(window_instance(owner), MAKEINTRESOURCEW(IDD_JUMP_DATE), owner, jump_procedure,
                           reinterpret_cast<LPARAM>(date)) == 1;
}
