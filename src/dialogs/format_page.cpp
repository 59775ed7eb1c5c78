// The display format page: frame, 3D and sunken boxes of the eight kinds
// of calendar element.
#include "dialogs/error_box.h"
#include "dialogs/owner_messages.h"
#include "dialogs/pages.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/limits.h"
#include "settings/options.h"

namespace {
// Group g of the page (in id order) and the element it frames.
const FrameElement group_element[8] = {frame_today, frame_year,  frame_month, frame_day,
                                       frame_time,  frame_win,   frame_loss,  frame_weekday};

int box_id(int group, int box) { return IDC_FRAME_FIRST + 3 * group + box; }
bool ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

// The plain frame matters only without 3D, sunken only with it. Ticks are
// never changed, only the enabling.
void apply_enabling_rule(HWND page)
{
    for (int group = 0; group < 8; ++group) {
        bool three_d = ticked(page, box_id(group, 1));
        EnableWindow(GetDlgItem(page, box_id(group, 0)), !three_d);
        EnableWindow(GetDlgItem(page, box_id(group, 2)), three_d);
    }
}

void on_init(HWND page)
{
    const OptionsRecord* o = options();
    for (int group = 0; group < 8; ++group) {
        FrameElement element = group_element[group];
        CheckDlgButton(page, box_id(group, 0), o->frame_flags[element] ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(page, box_id(group, 1), o->raised_flags[element] ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(page, box_id(group, 2), o->sunken_flags[element] ? BST_CHECKED : BST_UNCHECKED);
    }
    CheckDlgButton(page, IDC_SHOW_AMOUNTS, show_amounts() ? BST_CHECKED : BST_UNCHECKED);
    apply_enabling_rule(page);
}

void on_apply(HWND page)
{
    OptionsRecord* o = options();
    for (int id = IDC_FRAME_FIRST; id <= IDC_FRAME_LAST; ++id) EnableWindow(GetDlgItem(page, id), TRUE);
    for (int group = 0; group < 8; ++group) {
        FrameElement element = group_element[group];
        o->frame_flags[element] = ticked(page, box_id(group, 0)) ? 1 : 0;
        o->raised_flags[element] = ticked(page, box_id(group, 1)) ? 1 : 0;
        o->sunken_flags[element] = ticked(page, box_id(group, 2)) ? 1 : 0;
    }
    apply_enabling_rule(page);
    // Kept in Ravo.ini at once, as the limits are: Option.bin has no room.
    set_show_amounts(ticked(page, IDC_SHOW_AMOUNTS));
    if (!save_show_amounts())
        tell_error(page, L"金額を表示の設定を保存できませんでした。\n\n" + utf8_to_wide(limits_file_path().c_str()) +
                             L"\n\nフォルダやファイルに書き込めるか確かめてください。");
    tell_owner(page, WM_OPTIONS_APPLIED);
}
}  // namespace

INT_PTR CALLBACK format_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: on_init(page); return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wparam);
        if ((id < IDC_FRAME_FIRST || id > IDC_FRAME_LAST) && id != IDC_SHOW_AMOUNTS) return FALSE;
        apply_enabling_rule(page);
        mark_page_changed(page);
        return TRUE;
    }
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        on_apply(page);
        return applied(page);
    default: return FALSE;
    }
}
