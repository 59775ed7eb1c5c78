#include "app/session.h"

#include "dialogs/save_messages.h"
#include "settings/limits.h"
#include "settings/options.h"

namespace {
const wchar_t* confirmation_text(UINT exit_flags)
{
    if (exit_flags == EWX_REBOOT) return L"コンピュータを再起動します。よろしいですか？";
    if (exit_flags == EWX_LOGOFF) return L"ログオフします。よろしいですか？";
    return L"コンピュータの電源を切れる状態にします。よろしいですか？";
}
}  // namespace

void end_session(HWND window, UINT exit_flags)
{
    if (!options()->no_exit_confirm &&
        MessageBoxW(window, confirmation_text(exit_flags), L"シャットダウン", MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    save_ledger_before_exit(window);
    save_options();
    save_show_amounts();
    request_session_end(exit_flags);
    DestroyWindow(window);
}
