#include "app/undo.h"

#include <string>

#include "dialogs/error_box.h"
#include "dialogs/save_messages.h"
#include "platform/win32_text.h"
#include "res/messages.h"
#include "res/resource.h"

namespace {
// Greyed with its plain caption when there is nothing, else naming the step
// and keeping its letter at the end.
void set_item(HMENU menu, UINT id, const std::vector<UndoStep>& steps, const wchar_t* plain, const wchar_t* named,
              const wchar_t* letter)
{
    const std::wstring caption =
        steps.empty() ? plain : named + utf8_to_wide(step_caption(steps.back()).c_str()) + letter;
    ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING | (steps.empty() ? MF_GRAYED : MF_ENABLED), id, caption.c_str());
}

// The year's files changed since: the step would write over that change.
void tell_changed_on_disk(HWND window, const UndoStep& step, bool redo)
{
    tell_error(window, std::to_wstring(step.year) + L"年のファイルが、そのあとほかのプログラムで変えられています。" +
                           L"その変更を消さないよう、「" + utf8_to_wide(step_caption(step).c_str()) + L"」を" +
                           (redo ? L"やり直しませんでした。" : L"元に戻しませんでした。") +
                           L"\n\nこの年の元に戻す・やり直しの記録は消しました。");
}
}  // namespace

void undo_or_redo(MainWindow& main_window, bool redo)
{
    HWND window = main_window.window;
    const std::vector<UndoStep>& steps = redo ? main_window.history.redo : main_window.history.undo;
    if (steps.empty()) return;
    const UndoStep step = steps.back();
    SaveReport report;
    YearStatus status = {};
    const SaveChoices choices = asking_choices(window);
    switch (take_step(main_window.history, redo, &report, &choices, &status)) {
    case step_changed_on_disk: tell_changed_on_disk(window, step, redo); return;
    case step_unreadable: tell_year_unreadable(window, step.year, status, redo ? L"やり直せません。" : L"元に戻せません。"); return;
    case step_not_saved: tell_save_failure(window, report); break;
    default: break;
    }
    // The calendar, the icon's tip and whatever else shows the year follow,
    // as after a day's entry; a change kept in memory shows too.
    SendMessageW(window, WM_LEDGER_CHANGED, static_cast<WPARAM>(step.year), 0);
    tell_changed_outside(window, step.year, report);
    tell_backup_failure_once(window);
}

void refresh_undo_items(const MainWindow& main_window)
{
    HMENU menu = main_window.popup_menu;
    if (!menu) return;
    set_item(menu, IDM_UNDO, main_window.history.undo, L"元に戻す(&U)", L"元に戻す: ", L"(&U)");
    set_item(menu, IDM_REDO, main_window.history.redo, L"やり直し(&Z)", L"やり直し: ", L"(&Z)");
}
