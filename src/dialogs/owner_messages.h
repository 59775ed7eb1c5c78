// What a dialog tells the calendar window that owns it. The dialogs never
// reach into the application shell: they send these, and the main window
// procedure reacts.
#pragma once
#include <windows.h>

// A day of the ledger changed: the calendar shows it.
#define WM_LEDGER_CHANGED (WM_APP + 1)
// The property sheet applied the options: everything follows them.
#define WM_OPTIONS_APPLIED (WM_APP + 2)

// Sends `message` to the window at the root of the dialog's owners (a day
// entry may be opened from the year dialog, a page lives in a sheet).
void tell_owner(HWND dialog, UINT message);
// The module whose resources a window was made from.
HINSTANCE window_instance(HWND window);
