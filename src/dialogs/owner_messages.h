// What a dialog tells the calendar window that owns it. The dialogs never
// reach into the application shell: they send these, and the main window
// procedure reacts.
#pragma once
#include <windows.h>

#include "ledger/undo_steps.h"
#include "res/messages.h"

// Sends `message` to the window at the root of the dialog's owners (a day
// entry may be opened from the year dialog, a page lives in a sheet).
void tell_owner(HWND dialog, UINT message);
// Sends WM_LEDGER_CHANGED to every window that owns the dialog, up to the
// calendar: the year dialog, the analysis window and the calendar itself.
void tell_ledger_changed(HWND dialog, int year);
// Hands the calendar a saved change it can take back (a step with days).
void tell_undo_step(HWND dialog, const UndoStep& step);
// The module whose resources a window was made from.
HINSTANCE window_instance(HWND window);
