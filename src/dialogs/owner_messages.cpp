#include "dialogs/owner_messages.h"

void tell_owner(HWND dialog, UINT message) { SendMessageW(GetAncestor(dialog, GA_ROOTOWNER), message, 0, 0); }

void tell_ledger_changed(HWND dialog, int year)
{
    for (HWND owner = GetWindow(dialog, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
        SendMessageW(owner, WM_LEDGER_CHANGED, static_cast<WPARAM>(year), 0);
}

void tell_undo_step(HWND dialog, const UndoStep& step)
{
    if (!step.days.empty())
        SendMessageW(GetAncestor(dialog, GA_ROOTOWNER), WM_LEDGER_STEP, 0, reinterpret_cast<LPARAM>(&step));
}

HINSTANCE window_instance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}
