// The options page: title and caption bar, the session items, what the
// calendar shows, and the small display with its auto-hide.
#include <cstring>
#include <string>

#include "dialogs/owner_messages.h"
#include "dialogs/pages.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "settings/options.h"

namespace {
bool ticked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void tick(HWND page, int id, int on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

void apply_enabling_rules(HWND page)
{
    EnableWindow(GetDlgItem(page, IDC_TITLE), !ticked(page, IDC_NO_TITLE_BAR));
    EnableWindow(GetDlgItem(page, IDC_RESHOW_SECONDS), ticked(page, IDC_AUTO_HIDE));
}

void on_init(HWND page)
{
    const OptionsRecord* o = options();
    SetDlgItemTextW(page, IDC_TITLE, sjis_to_wide(o->title).c_str());
    tick(page, IDC_NO_TITLE_BAR, o->no_title_bar);
    tick(page, IDC_HIDE_SHUTDOWN, o->hide_shutdown_items);
    tick(page, IDC_NO_EXIT_CONFIRM, o->no_exit_confirm);
    tick(page, IDC_SHOW_TIME, o->show_time);
    tick(page, IDC_AUTO_HIDE, o->auto_hide);
    SetDlgItemTextW(page, IDC_RESHOW_SECONDS, std::to_wstring(static_cast<int8_t>(o->reshow_seconds)).c_str());
    tick(page, IDC_NO_SECONDS, o->no_seconds);
    tick(page, IDC_DIGITAL_CLOCK, o->digital_clock);
    tick(page, IDC_CLOCK_DATE, o->clock_content == 0);
    tick(page, IDC_CLOCK_DATE_TIME, o->clock_content == 1);
    tick(page, IDC_CLOCK_TIME, o->clock_content == 2);
    tick(page, IDC_SHOW_RESULTS, o->show_results);
    apply_enabling_rules(page);
}

// At most two characters, read like atoi; 0 (or nothing) means 5.
int8_t seconds_from(HWND page)
{
    wchar_t text[3] = L"";
    GetDlgItemTextW(page, IDC_RESHOW_SECONDS, text, 3);
    int8_t seconds = static_cast<int8_t>(wcstol(text, nullptr, 10) & 0xFF);
    return seconds ? seconds : 5;
}

void on_apply(HWND page)
{
    OptionsRecord* o = options();
    HWND title_edit = GetDlgItem(page, IDC_TITLE);
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(title_edit)) + 1, L'\0');
    GetWindowTextW(title_edit, &title[0], static_cast<int>(title.size()));
    char stored[title_max_bytes + 1];
    wide_to_sjis(title.c_str(), stored, title_max_bytes);
    std::memset(o->title, 0, sizeof o->title);
    std::memcpy(o->title, stored, std::strlen(stored));
    o->reshow_seconds = seconds_from(page);
    o->no_title_bar = ticked(page, IDC_NO_TITLE_BAR);
    o->hide_shutdown_items = ticked(page, IDC_HIDE_SHUTDOWN);
    o->no_exit_confirm = ticked(page, IDC_NO_EXIT_CONFIRM);
    o->show_time = ticked(page, IDC_SHOW_TIME);
    o->auto_hide = ticked(page, IDC_AUTO_HIDE);
    o->no_seconds = ticked(page, IDC_NO_SECONDS);
    o->digital_clock = ticked(page, IDC_DIGITAL_CLOCK);
    if (ticked(page, IDC_CLOCK_DATE)) o->clock_content = 0;
    if (ticked(page, IDC_CLOCK_DATE_TIME)) o->clock_content = 1;
    if (ticked(page, IDC_CLOCK_TIME)) o->clock_content = 2;
    o->show_results = ticked(page, IDC_SHOW_RESULTS);
    tell_owner(page, WM_OPTIONS_APPLIED);
}

void on_command(HWND page, int id, int code)
{
    switch (id) {
    case IDC_TITLE:
    case IDC_RESHOW_SECONDS:
        if (code == EN_CHANGE) mark_page_changed(page);
        break;
    case IDC_NO_TITLE_BAR:
    case IDC_AUTO_HIDE:
        mark_page_changed(page);
        apply_enabling_rules(page);
        break;
    case IDC_HIDE_SHUTDOWN:
    case IDC_NO_EXIT_CONFIRM:
    case IDC_NO_SECONDS:
    case IDC_SHOW_TIME:
    case IDC_DIGITAL_CLOCK:
    case IDC_CLOCK_DATE:
    case IDC_CLOCK_DATE_TIME:
    case IDC_CLOCK_TIME:
    case IDC_SHOW_RESULTS: mark_page_changed(page); break;
    default: break;
    }
}
}  // namespace

INT_PTR CALLBACK options_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: on_init(page); return TRUE;
    case WM_COMMAND: on_command(page, LOWORD(wparam), HIWORD(wparam)); return TRUE;
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        on_apply(page);
        return applied(page);
    default: return FALSE;
    }
}
