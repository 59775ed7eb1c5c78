#include "dialogs/owner_messages.h"

void tell_owner(HWND dialog, UINT message) { SendMessageW(GetAncestor(dialog, GA_ROOTOWNER), message, 0, 0); }

HINSTANCE window_instance(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}
