#include "dialogs/day_entry.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "calendar/holidays.h"
#include "dialogs/calculator.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/error_box.h"
#include "dialogs/limit_notes.h"
#include "dialogs/figure_text.h"
#include "dialogs/launch.h"
#include "dialogs/owner_messages.h"
#include "dialogs/save_messages.h"
#include "dialogs/visits_window.h"
#include "ledger/undo_steps.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "res/messages.h"
#include "res/resource.h"
#include "view/amount_text.h"
#include "view/draw.h"
#include "view/fonts.h"

#include <imm.h>

namespace {

// What the dialog edits and what it draws with, given to it through its
// parameter: the year value of its day.
struct DayEntryState {
    LedgerYear value;
    int month;
    int day;
    DialogMade made;  // its font: the display's
    // The memo as last taken, within its 20 bytes.
    std::wstring memo_kept;
    CalcState calc;  // the keypad's; its display is what OK stores
};

INT_PTR CALLBACK day_entry_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

DayEntryState& state_of(HWND dialog) { return *reinterpret_cast<DayEntryState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// A day whose amount no longer matches its visits says by how much; the
// visits stay as they are.
void show_visits_difference(HWND dialog)
{
    const DayEntryState& entry = state_of(dialog);
    const std::vector<Visit> visits = visits_of_day(entry.value, entry.month, entry.day);
    const int32_t amount = entry.calc.calc_entry;
    const int64_t difference = (amount == -1 ? 0 : amount) - visits_sum(visits);
    std::wstring text;
    if (!visits.empty() && difference != 0)
        text = L"明細の合計と " + sum_text(difference < 0 ? -difference : difference) + L" 違います";
    SetDlgItemTextW(dialog, IDC_VISITS_DIFFERENCE, text.c_str());
}

void show_calc_entry(HWND dialog)
{
    char16_t text[amount_text_size];
    const CalcState& calc = state_of(dialog).calc;
    format_amount(calc.calc_entry, text);
    // A typed minus shows before its first digit.
    const wchar_t* shown = calc.calc_negative && calc.calc_entry == 0 ? L"-" : reinterpret_cast<const wchar_t*>(text);
    SetDlgItemTextW(dialog, IDC_DISPLAY, shown);
    show_visits_difference(dialog);
}


// "2009/3/7(土) 休日": the date, its weekday and its holiday or day-off name.
std::wstring date_caption(const DayEntryState& entry)
{
    const int year = entry.value.year;
    const DayKind kind = kind_of_day(year, entry.month, entry.day, day_of(entry.value, entry.month, entry.day).day_off);
    const std::wstring name = sjis_to_wide(kind.name);
    char16_t weekday[3];
    weekday_name(weekday, 1, kind.weekday);
    wchar_t text[64];
    wsprintfW(text, L"%d/%d/%d(%s) ", year, entry.month, entry.day, reinterpret_cast<const wchar_t*>(weekday));
    return text + name;
}

void show_day(HWND dialog, const DayEntry& day)
{
    calc_open(state_of(dialog).calc, day.amount);
    show_calc_entry(dialog);
    SetDlgItemTextW(dialog, IDC_MEMO, sjis_to_wide(day.memo).c_str());
}

HFONT display_font_at(int dpi) { return make_font_at_dpi(face_mincho, 12, style_bold, dpi); }

LRESULT CALLBACK typed_key_hook(int code, WPARAM wparam, LPARAM lparam);

BOOL on_init(HWND dialog, DayEntryState* entry)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(entry));
    entry->made.brushes = make_dialog_brushes();
    set_own_font(dialog, IDC_DISPLAY, entry->made.font, display_font_at(window_dpi(dialog)));

    const DayEntry day = day_of(entry->value, entry->month, entry->day);
    SetDlgItemTextW(dialog, IDC_DATE_CAPTION, date_caption(*entry).c_str());
    CheckDlgButton(dialog, IDC_DAY_OFF, day.day_off ? BST_CHECKED : BST_UNCHECKED);
    entry->made.keys = watch_dialog_keys(typed_key_hook);
    // The keys are the calculator's whatever mode the input method is in:
    // only the memo composes text.
    ImmAssociateContextEx(dialog, nullptr, IACE_CHILDREN);
    ImmAssociateContextEx(GetDlgItem(dialog, IDC_MEMO), nullptr, IACE_DEFAULT);
    show_day(dialog, day);
    show_limit_line(dialog, IDC_LIMIT_LINE);
    if (!visits_are_editable(entry->value.status)) PostMessageW(dialog, WM_TELL_UNREADABLE, 0, 0);
    return TRUE;
}

// False when the result would not fit: the box says so.
bool on_key(HWND dialog, int key)
{
    const bool fits = calc_press(state_of(dialog).calc, key);
    if (!fits) MessageBoxW(dialog, L"え～本当ですか？", L"うそはいかん", MB_OK | MB_ICONWARNING);
    show_calc_entry(dialog);
    return fits;
}

// The day as the dialog shows it, into its year.
void store_shown_day(HWND dialog)
{
    DayEntryState& entry = state_of(dialog);
    DayEntry day = {};
    day.day_off = IsDlgButtonChecked(dialog, IDC_DAY_OFF) == BST_CHECKED ? 1 : 0;
    wide_to_sjis(window_text(GetDlgItem(dialog, IDC_MEMO)).c_str(), day.memo, memo_max_bytes);
    day.amount = entry.calc.calc_entry;
    set_day(entry.value, entry.month, entry.day, day);
}

// The 明細 button names the file every time, its problems the first time.
void tell_visits_unreadable(HWND dialog, const LedgerYear& value)
{
    if (tell_visits_unreadable_once(dialog, value.year, value.visit_problems, L"この年の明細を読めないため、明細を変えられません。"))
        return;
    tell_error(dialog, L"この年の明細を読めないため、明細を変えられません。\n\n" +
                           visits_unreadable_text(value.year, value.visit_problems, false));
}

// The day's visits: the amount and memo they give show in the dialog, and
// OK saves them with the rest. A memo typed here is kept.
void on_visits(HWND dialog)
{
    DayEntryState& entry = state_of(dialog);
    if (!visits_are_editable(entry.value.status)) {
        tell_visits_unreadable(dialog, entry.value);
        return;
    }
    store_shown_day(dialog);
    if (!run_visits_window(dialog, entry.value, entry.month, entry.day)) return;
    show_day(dialog, day_of(entry.value, entry.month, entry.day));
}

// The text of a change in the memo, within its 20 bytes on disk: what came
// in (between what the old and the new text share at their start and at
// their end) is cut at a character where it does not fit. `caret` goes
// after what was taken of it.
std::wstring within_memo_bytes(const std::wstring& old, const std::wstring& text, size_t& caret)
{
    size_t head = 0, tail = 0;
    while (head < old.size() && head < text.size() && old[head] == text[head]) ++head;
    while (tail < old.size() - head && tail < text.size() - head &&
           old[old.size() - 1 - tail] == text[text.size() - 1 - tail])
        ++tail;
    const std::wstring before = text.substr(0, head), after = text.substr(text.size() - tail);
    const size_t used = sjis_length(before + after);
    const size_t room = used < memo_max_bytes ? memo_max_bytes - used : 0;
    const std::wstring typed = text.substr(head, text.size() - head - tail);
    caret = head + sjis_fitting_length(typed, room);
    return before + typed.substr(0, caret - head) + after;
}

// The edit stops taking text at the memo's 20 bytes; the note says why.
void on_memo_change(HWND dialog)
{
    DayEntryState& entry = state_of(dialog);
    const std::wstring text = window_text(GetDlgItem(dialog, IDC_MEMO));
    size_t caret = 0;
    const bool fits = sjis_length(text) <= memo_max_bytes;
    const std::wstring kept = fits ? text : within_memo_bytes(entry.memo_kept, text, caret);
    // Unchanged also when a stored memo is longer than it may be (it is
    // cut at OK): setting it again would only come back here.
    if (kept == text) {
        entry.memo_kept = text;
        return;
    }
    ShowWindow(GetDlgItem(dialog, IDC_MEMO_NOTE), SW_SHOW);
    entry.memo_kept = kept;
    SetDlgItemTextW(dialog, IDC_MEMO, kept.c_str());
    SendDlgItemMessageW(dialog, IDC_MEMO, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

// A day cleared while it has visits would show as not played and keep
// them: its visits go too when the user says so. False when they stay, and
// then the day stays as it was.
bool clear_visits_too(HWND dialog)
{
    DayEntryState& entry = state_of(dialog);
    const size_t count = visits_of_day(entry.value, entry.month, entry.day).size();
    if (entry.calc.calc_entry != 0 || count == 0) return true;
    const std::wstring text = L"この日の明細 " + std::to_wstring(count) + L" 件も消しますか？";
    if (MessageBoxW(dialog, text.c_str(), L"明細の削除", MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    set_day_visits(entry.value, entry.month, entry.day, {});
    return true;
}

// Stores the day and saves its year; a failed save is told, and the entry
// stays in memory (the ledger keeps it) so a later save writes it.
void on_ok(HWND dialog)
{
    DayEntryState& entry = state_of(dialog);
    if (!clear_visits_too(dialog)) {
        EndDialog(dialog, 0);
        return;
    }
    const LimitBalances before = balances_so_far();
    store_shown_day(dialog);
    SaveReport report;
    const SaveChoices choices = asking_choices(dialog);
    UndoStep step = {};
    bool saved = save_year_step(entry.value, step_entry, entry.month, entry.day, step, &report, &choices);
    tell_ledger_changed(dialog, entry.value.year);
    if (saved)
        tell_undo_step(dialog, step);
    else
        tell_save_failure(dialog, report);
    tell_changed_outside(dialog, entry.value.year, report);
    tell_backup_failure_once(dialog);
    tell_limits_crossed(dialog, entry.value.year, entry.month, before);
    EndDialog(dialog, 1);
}

BOOL on_command(HWND dialog, int id, int code)
{
    if (is_calc_key(id)) {
        on_key(dialog, id);
        return TRUE;
    }
    switch (id) {
    case IDC_MEMO:
        if (code == EN_CHANGE) on_memo_change(dialog);
        return TRUE;
    case IDC_MEMO_CLEAR: SetDlgItemTextW(dialog, IDC_MEMO, L""); return TRUE;
    case IDC_CALCULATOR: launch(dialog, system_program(L"CALC.EXE").c_str(), L""); return TRUE;
    case IDC_VISITS: on_visits(dialog); return TRUE;
    case IDOK: on_ok(dialog); return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

INT_PTR on_static_color(HWND dialog, HDC dc, HWND control)
{
    const DayEntryState& entry = state_of(dialog);
    SetBkMode(dc, TRANSPARENT);
    switch (GetDlgCtrlID(control)) {
    case IDC_DATE_CAPTION: return reinterpret_cast<INT_PTR>(entry.made.brushes.light_cyan);
    case IDC_DISPLAY:
        SetTextColor(dc, RGB(255, 255, 0));
        return reinterpret_cast<INT_PTR>(entry.made.brushes.black);
    case IDC_DRAW_HINT:
    case IDC_MEMO_NOTE: return reinterpret_cast<INT_PTR>(entry.made.brushes.light_yellow);
    case IDC_LIMIT_LINE: return limit_line_color(dc, control);
    default: return 0;
    }
}

INT_PTR CALLBACK day_entry_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<DayEntryState*>(lparam));
    case WM_COMMAND: return on_command(dialog, LOWORD(wparam), HIWORD(wparam));
    case WM_CTLCOLORSTATIC:
        return on_static_color(dialog, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DESTROY: free_dialog_made(state_of(dialog).made); return FALSE;
    case WM_TELL_UNREADABLE:
        // Once the dialog shows: its figures lack the visits.
        tell_visits_unreadable_once(dialog, state_of(dialog).value.year, state_of(dialog).value.visit_problems,
                                    L"この年の明細を読めないため、明細は使えません。金額とメモは変えられます。");
        return TRUE;
    case WM_DPICHANGED:
        // The dialog manager scales the dialog; the display's font is ours.
        set_own_font(dialog, IDC_DISPLAY, state_of(dialog).made.font, display_font_at(HIWORD(wparam)));
        return FALSE;
    default: return FALSE;
    }
}

// Typed keys work the keypad: the digits and operators of the main keys
// and of the number pad, Backspace as "BS", Delete as "C".
int keypad_key(const MSG& message)
{
    struct TypedKey {
        WPARAM code;
        int key;
    };
    static const TypedKey typed_keys[] = {
        {VK_ADD, IDC_KEY_PLUS},        {VK_SUBTRACT, IDC_KEY_MINUS}, {VK_MULTIPLY, IDC_KEY_MULTIPLY},
        {VK_DIVIDE, IDC_KEY_DIVIDE},   {VK_BACK, IDC_KEY_BACKSPACE}, {VK_DELETE, IDC_KEY_CLEAR},
    };
    const WPARAM code = message.wParam;
    if (message.message == WM_CHAR) return typed_char_key(static_cast<uint32_t>(code));
    if (message.message != WM_KEYDOWN) return 0;
    if (code >= VK_NUMPAD0 && code <= VK_NUMPAD9) return IDC_KEY_0 + static_cast<int>(code - VK_NUMPAD0);
    for (const TypedKey& typed : typed_keys)
        if (typed.code == code) return typed.key;
    return 0;
}

// Typed Enter is the calculator's "=" and then OK; on these buttons it
// presses them, and in the memo it makes a line break (not with Ctrl).
bool enter_presses_focus(HWND dialog, HWND focus)
{
    if (control_held()) return false;
    const int id = GetDlgCtrlID(focus);
    const bool passed_on = id == IDC_MEMO || id == IDCANCEL || id == IDC_CALCULATOR || id == IDC_MEMO_CLEAR;
    return passed_on && GetParent(focus) == dialog;
}

bool on_typed_key(HWND dialog, const MSG& message)
{
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        if (enter_presses_focus(dialog, message.hwnd)) return false;
        if (on_key(dialog, IDC_KEY_EQUALS)) on_ok(dialog);
        return true;
    }
    if (message.hwnd == GetDlgItem(dialog, IDC_MEMO)) return false;
    if (arrow_moves_focus(dialog, message)) return true;
    const int key = keypad_key(message);
    if (key) on_key(dialog, key);
    return key != 0;
}

LRESULT CALLBACK typed_key_hook(int code, WPARAM wparam, LPARAM lparam)
{
    const MSG& message = *reinterpret_cast<const MSG*>(lparam);
    if (code == MSGF_DIALOGBOX)
        if (HWND dialog = dialog_taking_key(message, day_entry_procedure))
            if (on_typed_key(dialog, message)) return 1;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

bool run_day_entry_dialog(HWND parent, int year, int month, int day)
{
    DayEntryState entry = {};
    entry.month = month;
    entry.day = day;
    YearStatus status;
    // A year that could not be read whole is never edited: saved, its
    // zeros would wipe the file that could not be read.
    if (!read_ledger_year(year, entry.value, &status)) {
        tell_year_unreadable(parent, year, status, L"この日の記録を変えられません。");
        return false;
    }
    return DialogBoxParamW(window_instance(parent), MAKEINTRESOURCEW(IDD_DAY_ENTRY), parent, day_entry_procedure,
                           reinterpret_cast<LPARAM>(&entry)) == 1;
}
