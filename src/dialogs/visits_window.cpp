#include "dialogs/visits_window.h"

#include <commctrl.h>

#include <iterator>
#include <string>
#include <vector>

#include "dialogs/error_box.h"
#include "dialogs/figure_text.h"
#include "dialogs/limit_notes.h"
#include "dialogs/list_columns.h"
#include "dialogs/owner_messages.h"
#include "ledger/visit_entry.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/dpi.h"

namespace {

// What the window edits, given through its parameter: the day entry's
// year, and the day's visits as they stand in the list.
struct VisitsState {
    LedgerYear* value;
    int month;
    int day;
    std::vector<Visit> visits;
    std::vector<Visit> opened;  // as the window found them, to tell a change
    int chosen;  // the visit the fields show, -1 for a new one
    // Each name field's length as last typed: completion only follows
    // typing forward, never a deletion.
    size_t typed[visit_table_count];
    bool quiet;  // the fields are being set, not typed
    int dpi;
};

VisitsState& state_of(HWND dialog) { return *reinterpret_cast<VisitsState*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

const int name_fields[visit_table_count] = {IDC_VISIT_CATEGORY, IDC_VISIT_PLACE, IDC_VISIT_GAME};
const int name_limits[visit_table_count] = {category_max_chars, place_max_chars, game_max_chars};
const int all_fields[] = {IDC_VISIT_CATEGORY, IDC_VISIT_PLACE, IDC_VISIT_GAME, IDC_VISIT_STAKE,
                          IDC_VISIT_RETURN,   IDC_VISIT_START, IDC_VISIT_END,  IDC_VISIT_NOTE};
const ListColumn list_columns[] = {{L"種別", 50, false}, {L"場所", 76, false}, {L"機種", 76, false},
                                   {L"投資", 46, true},  {L"回収", 46, true},  {L"収支", 46, true},
                                   {L"時間", 26, true}};

HWND list_of(HWND dialog) { return GetDlgItem(dialog, IDC_VISIT_LIST); }

std::string field_utf8(HWND dialog, int id) { return wide_to_utf8(window_text(GetDlgItem(dialog, id))); }

bool fields_are_empty(HWND dialog)
{
    for (int id : all_fields)
        if (GetWindowTextLengthW(GetDlgItem(dialog, id)) > 0) return false;
    return true;
}

// The visit the fields hold, an amount that does not read as 0, and the
// first field at fault with what is wrong (0 when none is).
struct FieldsRead {
    Visit visit;
    int fault_field;
    std::wstring fault;
};

void note_fault(FieldsRead& read, int id, const wchar_t* fault)
{
    if (read.fault_field) return;
    read.fault_field = id;
    read.fault = fault;
}

FieldsRead read_fields(HWND dialog)
{
    const VisitsState& state = state_of(dialog);
    FieldsRead read = {Visit{state.month, state.day, field_utf8(dialog, IDC_VISIT_CATEGORY),
                             field_utf8(dialog, IDC_VISIT_PLACE), field_utf8(dialog, IDC_VISIT_GAME), 0, 0, no_time,
                             no_time, field_utf8(dialog, IDC_VISIT_NOTE)},
                       0, L""};
    Visit& visit = read.visit;
    const wchar_t yen_fault[] = L"は 0 から 99,999,999 までの円で、12000 や 12,000 のように入れてください。";
    if (!read_typed_yen(field_utf8(dialog, IDC_VISIT_STAKE), &visit.stake)) {
        visit.stake = 0;
        note_fault(read, IDC_VISIT_STAKE, (L"投資" + std::wstring(yen_fault)).c_str());
    }
    if (!read_typed_yen(field_utf8(dialog, IDC_VISIT_RETURN), &visit.returned)) {
        visit.returned = 0;
        note_fault(read, IDC_VISIT_RETURN, (L"回収" + std::wstring(yen_fault)).c_str());
    }
    if (!read_typed_time(field_utf8(dialog, IDC_VISIT_START), &visit.start))
        note_fault(read, IDC_VISIT_START, L"開始は 9:30 や 21:05 のように時と分で入れてください（なくてもかまいません）。");
    if (!read_typed_time(field_utf8(dialog, IDC_VISIT_END), &visit.end))
        note_fault(read, IDC_VISIT_END, L"終了は 9:30 や 21:05 のように時と分で入れてください（なくてもかまいません）。");
    const std::string fault = visit_fault(visit);
    if (!fault.empty()) note_fault(read, IDC_VISIT_NOTE, utf8_to_wide(fault.c_str()).c_str());
    return read;
}

// The visits as OK would store them: the fields in place of the chosen
// visit, or added when they hold a new one.
std::vector<Visit> visits_with_fields(HWND dialog)
{
    const VisitsState& state = state_of(dialog);
    std::vector<Visit> visits = state.visits;
    const Visit fields = read_fields(dialog).visit;
    if (state.chosen >= 0)
        visits[static_cast<size_t>(state.chosen)] = fields;
    else if (!fields_are_empty(dialog))
        visits.push_back(fields);
    return visits;
}

void show_sums(HWND dialog)
{
    int64_t stake = 0, returned = 0;
    for (const Visit& visit : visits_with_fields(dialog)) {
        stake += visit.stake;
        returned += visit.returned;
    }
    const Rate rate = stake > 0 ? Rate{true, rounded_ratio(1000 * returned, stake)} : Rate{false, 0};
    SetDlgItemTextW(dialog, IDC_VISIT_SUM_STAKE, (L"投資 " + sum_text(stake)).c_str());
    SetDlgItemTextW(dialog, IDC_VISIT_SUM_RETURN, (L"回収 " + sum_text(returned)).c_str());
    SetDlgItemTextW(dialog, IDC_VISIT_SUM_BALANCE, (L"収支 " + signed_sum_text(returned - stake)).c_str());
    SetDlgItemTextW(dialog, IDC_VISIT_SUM_RATE, (L"回収率 " + rate_text(rate)).c_str());
}

// "3:35" played, or the start alone ("21:30～").
std::wstring played_text(const Visit& visit)
{
    if (visit_minutes(visit) >= 0) return hours_text(visit_minutes(visit));
    if (visit.start != no_time) return utf8_to_wide(time_text(visit.start).c_str()) + L"～";
    return L"";
}

void set_cell(HWND list, int row, int column, const std::wstring& text)
{
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void fill_list(HWND dialog)
{
    VisitsState& state = state_of(dialog);
    HWND list = list_of(dialog);
    state.quiet = true;
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < state.visits.size(); ++i) {
        const Visit& visit = state.visits[i];
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(L"");
        const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        const std::wstring cells[] = {utf8_to_wide(visit.category.c_str()), utf8_to_wide(visit.place.c_str()),
                                      utf8_to_wide(visit.game.c_str()),     sum_text(visit.stake),
                                      sum_text(visit.returned),             signed_sum_text(visit_balance(visit)),
                                      played_text(visit)};
        static_assert(std::size(cells) == std::size(list_columns), "a cell for every column");
        for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) set_cell(list, row, column, cells[column]);
    }
    choose_row(list, state.chosen);
    state.quiet = false;
}

void set_fields(HWND dialog, const Visit& visit)
{
    VisitsState& state = state_of(dialog);
    state.quiet = true;
    const std::string texts[] = {visit.category, visit.place, visit.game, visit.stake ? std::to_string(visit.stake) : "",
                                 visit.returned ? std::to_string(visit.returned) : "", time_text(visit.start),
                                 time_text(visit.end), visit.note};
    static_assert(std::size(texts) == std::size(all_fields), "a text for every field");
    for (size_t i = 0; i < std::size(texts); ++i) SetDlgItemTextW(dialog, all_fields[i], utf8_to_wide(texts[i].c_str()).c_str());
    for (int table = 0; table < visit_table_count; ++table) state.typed[table] = utf8_to_wide(texts[table].c_str()).size();
    state.quiet = false;
}

// 更新 and 削除 work on the chosen visit; Enter in a field adds a new one
// or updates the chosen.
void show_choice(HWND dialog)
{
    const bool chosen = state_of(dialog).chosen >= 0;
    EnableWindow(GetDlgItem(dialog, IDC_VISIT_UPDATE), chosen);
    EnableWindow(GetDlgItem(dialog, IDC_VISIT_REMOVE), chosen);
    SendMessageW(dialog, DM_SETDEFID, chosen ? IDC_VISIT_UPDATE : IDC_VISIT_ADD, 0);
    show_sums(dialog);
}

// The list shows the visits, none chosen, and the fields wait for the next.
void start_next_visit(HWND dialog)
{
    state_of(dialog).chosen = -1;
    fill_list(dialog);
    set_fields(dialog, Visit{0, 0, "", "", "", 0, 0, no_time, no_time, ""});
    show_choice(dialog);
    SetFocus(GetDlgItem(dialog, IDC_VISIT_CATEGORY));
}

std::vector<std::string> offered_names(HWND combo)
{
    std::vector<std::string> names;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring name(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&name[0]));
        names.push_back(wide_to_utf8(name.c_str()));
    }
    return names;
}

// Names of a visit taken in this window are offered at once, newest first.
void offer_taken_names(HWND dialog, const Visit& visit)
{
    for (int table = 0; table < visit_table_count; ++table) {
        const std::string& name = visit_field(visit, table);
        HWND combo = GetDlgItem(dialog, name_fields[table]);
        if (name.empty()) continue;
        bool offered = false;
        for (const std::string& known : offered_names(combo)) offered = offered || folded_name(known) == folded_name(name);
        if (!offered) SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(utf8_to_wide(name.c_str()).c_str()));
    }
}

// Takes the fields as the chosen visit or as a new one; false, told, when
// a field is at fault.
bool take_fields(HWND dialog)
{
    VisitsState& state = state_of(dialog);
    const FieldsRead read = read_fields(dialog);
    if (read.fault_field) {
        tell_error(dialog, read.fault, MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, read.fault_field));
        SendDlgItemMessageW(dialog, read.fault_field, EM_SETSEL, 0, -1);
        return false;
    }
    if (state.chosen >= 0)
        state.visits[static_cast<size_t>(state.chosen)] = read.visit;
    else
        state.visits.push_back(read.visit);
    offer_taken_names(dialog, read.visit);
    return true;
}

void on_add_or_update(HWND dialog, int id)
{
    // Enter on the list (the default button answers it) opens the chosen
    // visit's fields rather than storing them unchanged.
    if (GetFocus() == list_of(dialog)) {
        SetFocus(GetDlgItem(dialog, IDC_VISIT_CATEGORY));
        return;
    }
    if (id == IDC_VISIT_ADD) state_of(dialog).chosen = -1;
    if (state_of(dialog).chosen < 0 && fields_are_empty(dialog)) return;
    if (take_fields(dialog)) start_next_visit(dialog);
}

void on_remove(HWND dialog)
{
    VisitsState& state = state_of(dialog);
    if (state.chosen < 0) return;
    if (MessageBoxW(dialog, L"選んだ明細を削除しますか？", L"明細の削除", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    state.visits.erase(state.visits.begin() + state.chosen);
    start_next_visit(dialog);
}

// What the fields hold is stored with the rest, as the sums showed.
void on_ok(HWND dialog)
{
    VisitsState& state = state_of(dialog);
    if ((state.chosen >= 0 || !fields_are_empty(dialog)) && !take_fields(dialog)) return;
    if (!set_day_visits(*state.value, state.month, state.day, state.visits)) {
        tell_error(dialog, L"この日の明細の収支を合わせると、1日の金額の範囲（-2,147,483,648 から 2,147,483,647）を超えます。\n"
                           L"記録できません。明細を分けるか減らしてください。");
        start_next_visit(dialog);
        return;
    }
    EndDialog(dialog, 1);
}

// ｷｬﾝｾﾙ, Escape and the close box: visits added or changed, in the list
// or the fields, are dropped only when the user says so.
void on_cancel(HWND dialog)
{
    const VisitsState& state = state_of(dialog);
    const int year = state.value->year;
    if (visits_file_bytes(year, visits_with_fields(dialog)) == visits_file_bytes(year, state.opened)) {
        EndDialog(dialog, 0);
        return;
    }
    const int answer = MessageBoxW(dialog, L"明細の変更を残しますか？\n\nいいえ: 変更を捨てて閉じます。", L"明細の変更",
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) on_ok(dialog);
    if (answer == IDNO) EndDialog(dialog, 0);
}

// Completes a name as it is typed with the first offered one it begins,
// compared folded; the rest selected so typing on replaces it.
void complete_name(HWND dialog, int table)
{
    VisitsState& state = state_of(dialog);
    HWND combo = GetDlgItem(dialog, name_fields[table]);
    const std::wstring typed = window_text(combo);
    const bool grew = typed.size() > state.typed[table];
    state.typed[table] = typed.size();
    DWORD caret = 0;
    SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&caret), 0);
    if (!grew || typed.empty() || caret != typed.size()) return;
    const std::vector<std::string> names = offered_names(combo);
    size_t covered = 0;
    const int found = completing_name(names, wide_to_utf8(typed), &covered);
    if (found < 0) return;
    // The name in its offered spelling, what goes beyond the typed selected.
    const std::string& name = names[static_cast<size_t>(found)];
    const size_t kept = utf8_to_wide(name.substr(0, covered).c_str()).size();
    state.quiet = true;
    SetWindowTextW(combo, utf8_to_wide(name.c_str()).c_str());
    state.quiet = false;
    state.typed[table] = kept;
    SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(kept, -1));
}

BOOL on_command(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_VISIT_ADD:
    case IDC_VISIT_UPDATE: on_add_or_update(dialog, id); return TRUE;
    case IDC_VISIT_REMOVE: on_remove(dialog); return TRUE;
    case IDOK: on_ok(dialog); return TRUE;
    case IDCANCEL: on_cancel(dialog); return TRUE;
    default: break;
    }
    if (state_of(dialog).quiet) return FALSE;
    for (int table = 0; table < visit_table_count; ++table)
        if (id == name_fields[table] && code == CBN_EDITUPDATE) complete_name(dialog, table);
    if (code == EN_CHANGE || code == CBN_EDITCHANGE || code == CBN_SELCHANGE) show_sums(dialog);
    return FALSE;
}

BOOL on_notify(HWND dialog, const NMHDR* header)
{
    if (header->idFrom != IDC_VISIT_LIST) return FALSE;
    VisitsState& state = state_of(dialog);
    if (header->code == LVN_KEYDOWN && reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey == VK_DELETE) {
        on_remove(dialog);
    } else if (header->code == LVN_ITEMCHANGED && !state.quiet) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if (!((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) return FALSE;
        state.chosen = chosen_row(list_of(dialog));
        if (state.chosen >= 0) set_fields(dialog, state.visits[static_cast<size_t>(state.chosen)]);
        show_choice(dialog);
    }
    return FALSE;
}

void offer_names(HWND dialog, const RecentNames& recent)
{
    for (int table = 0; table < visit_table_count; ++table) {
        HWND combo = GetDlgItem(dialog, name_fields[table]);
        SendMessageW(combo, CB_LIMITTEXT, name_limits[table], 0);
        for (const std::string& name : recent.names[table])
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(utf8_to_wide(name.c_str()).c_str()));
    }
}

BOOL on_init(HWND dialog, VisitsState* state)
{
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    state->dpi = window_dpi(dialog);
    const std::wstring date = date_with_weekday(state->value->year, state->month, state->day);
    SetDlgItemTextW(dialog, IDC_VISIT_DATE, (date + L" の明細").c_str());
    add_list_columns(list_of(dialog), list_columns);
    offer_names(dialog, recent_visit_names(*state->value));
    const int limits[][2] = {{IDC_VISIT_STAKE, 14}, {IDC_VISIT_RETURN, 14}, {IDC_VISIT_START, 5},
                             {IDC_VISIT_END, 5},    {IDC_VISIT_NOTE, note_max_chars}};
    for (const auto& limit : limits) SendDlgItemMessageW(dialog, limit[0], EM_LIMITTEXT, limit[1], 0);
    start_next_visit(dialog);
    show_limit_line(dialog, IDC_VISIT_LIMIT_LINE);
    return FALSE;  // the focus is in the first field
}

INT_PTR CALLBACK visits_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: return on_init(dialog, reinterpret_cast<VisitsState*>(lparam));
    case WM_COMMAND: return on_command(dialog, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY: return on_notify(dialog, reinterpret_cast<const NMHDR*>(lparam));
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) != IDC_VISIT_LIMIT_LINE) return FALSE;
        return limit_line_color(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED: follow_dpi_change(list_of(dialog), state_of(dialog).dpi, HIWORD(wparam)); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

bool run_visits_window(HWND owner, LedgerYear& value, int month, int day)
{
    const std::vector<Visit> visits = visits_of_day(value, month, day);
    VisitsState state = {&value, month, day, visits, visits, -1, {}, false, base_dpi};
    return DialogBoxParamW(window_instance(owner), MAKEINTRESOURCEW(IDD_VISITS), owner, visits_procedure,
                           reinterpret_cast<LPARAM>(&state)) == 1;
}
