#include "dialogs/day_entry.h"

#include <cstring>
#include <string>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "dialogs/calculator.h"
#include "dialogs/launch.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/amount_text.h"
#include "view/fonts.h"
#include "view/layout.h"

namespace {

struct EntryResources {
    HBRUSH light_yellow;
    HBRUSH light_cyan;
    HBRUSH black;
    HFONT display_font;
};
EntryResources resources;

int shown_year() { return display_date()->year + 1900; }
int month_index() { return display_date()->month - 1; }
int day_index() { return display_date()->day - 1; }

void show_calc_entry(HWND dialog)
{
    char16_t text[amount_text_size];
    format_amount(calculator()->calc_entry, text);
    SetDlgItemTextW(dialog, IDC_DISPLAY, reinterpret_cast<const wchar_t*>(text));
}

void free_resources()
{
    DeleteObject(resources.light_yellow);
    DeleteObject(resources.light_cyan);
    DeleteObject(resources.black);
    DeleteObject(resources.display_font);
    resources = EntryResources();
}

// "2009/3/7(土) 休日": the date, its weekday and its holiday or day-off name.
std::wstring date_caption()
{
    DateRecord* date = display_date();
    compute_first_weekday(date);
    std::wstring name;
    int kind = day_kind(shown_year(), date->month, date->day, date->first_weekday, day_off_mark(date->month, date->day));
    if (kind == kind_holiday || kind == kind_day_off) name = sjis_to_wide(holiday_name());
    char16_t weekday[3];
    weekday_name(weekday, 1, date->weekday);
    wchar_t text[64];
    wsprintfW(text, L"%d/%d/%d(%s) ", shown_year(), date->month, date->day, reinterpret_cast<const wchar_t*>(weekday));
    return text + name;
}

HFONT display_font_at(int dpi) { return make_font_at_dpi(face_mincho, 12, style_bold, dpi); }

BOOL on_init(HWND dialog)
{
    resources.light_yellow = CreateSolidBrush(RGB(255, 255, 224));
    resources.light_cyan = CreateSolidBrush(RGB(224, 255, 255));
    resources.black = CreateSolidBrush(RGB(0, 0, 0));
    set_own_font(dialog, IDC_DISPLAY, resources.display_font, display_font_at(window_dpi(dialog)));

    load_shown_year(shown_year());
    SetDlgItemTextW(dialog, IDC_DATE_CAPTION, date_caption().c_str());
    CheckDlgButton(dialog, IDC_DAY_OFF, ledger_day_off()[month_index()][day_index()] ? BST_CHECKED : BST_UNCHECKED);
    calc_open(*calculator(), ledger_amounts()[month_index()][day_index()]);
    show_calc_entry(dialog);
    SetDlgItemTextW(dialog, IDC_MEMO, sjis_to_wide(ledger_memos()[month_index()][day_index()]).c_str());
    return TRUE;
}

void on_key(HWND dialog, int key)
{
    if (!calc_press(*calculator(), key))
        MessageBoxW(dialog, L"え～本当ですか？", L"うそはいかん", MB_OK | MB_ICONWARNING);
    show_calc_entry(dialog);
}

std::wstring memo_text(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_MEMO);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    GetWindowTextW(edit, &text[0], static_cast<int>(text.size()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// Stores the day and saves its year; a failed save is told, and the entry
// stays in memory (the ledger keeps it) so a later save writes it.
void on_ok(HWND dialog)
{
    const int m = month_index(), d = day_index();
    ledger_day_off()[m][d] = IsDlgButtonChecked(dialog, IDC_DAY_OFF) == BST_CHECKED ? 1 : 0;
    // The whole field is cleared: a shorter memo must not leave the end of
    // the old one in the file.
    std::memset(ledger_memos()[m][d], 0, memo_size);
    wide_to_sjis(memo_text(dialog).c_str(), ledger_memos()[m][d], memo_max_bytes);
    ledger_amounts()[m][d] = calculator()->calc_entry;
    SaveFailure failure;
    bool saved = save_year(shown_year(), &failure);
    tell_owner(dialog, WM_LEDGER_CHANGED);
    if (!saved) tell_save_failure(dialog, failure);
    tell_backup_failure_once(dialog);
    free_resources();
    EndDialog(dialog, 1);
}

BOOL on_command(HWND dialog, int id)
{
    if ((id >= IDC_KEY_0 && id <= IDC_KEY_THOUSAND) || (id >= IDC_KEY_CLEAR && id <= IDC_KEY_BACKSPACE) ||
        id == IDC_KEY_DIVIDE || id == IDC_KEY_MULTIPLY || id == IDC_KEY_DRAW) {
        on_key(dialog, id);
        return TRUE;
    }
    switch (id) {
    case IDC_MEMO_CLEAR: SetDlgItemTextW(dialog, IDC_MEMO, L""); return TRUE;
    case IDC_CALCULATOR: launch(dialog, system_program(L"CALC.EXE").c_str(), L""); return TRUE;
    case IDOK: on_ok(dialog); return TRUE;
    case IDCANCEL:
        free_resources();
        EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

INT_PTR on_static_color(HDC dc, HWND control)
{
    SetBkMode(dc, TRANSPARENT);
    switch (GetDlgCtrlID(control)) {
    case IDC_DATE_CAPTION: return reinterpret_cast<INT_PTR>(resources.light_cyan);
    case IDC_DISPLAY:
        SetTextColor(dc, RGB(255, 255, 0));
        return reinterpret_cast<INT_PTR>(resources.black);
    case IDC_DRAW_HINT: return reinterpret_cast<INT_PTR>(resources.light_yellow);
    default: return 0;
    }
}

INT_PTR CALLBACK day_entry_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog);
    case WM_COMMAND: return on_command(dialog, LOWORD(wparam));
    case WM_CTLCOLORSTATIC: return on_static_color(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED:
        // The dialog manager scales the dialog; the display's font is ours.
        set_own_font(dialog, IDC_DISPLAY, resources.display_font, display_font_at(HIWORD(wparam)));
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

bool run_day_entry_dialog(HWND parent)
{
    return DialogBoxParamW(window_instance(parent), MAKEINTRESOURCEW(IDD_DAY_ENTRY), parent, day_entry_procedure, 0) == 1;
}
