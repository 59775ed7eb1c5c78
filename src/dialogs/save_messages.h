// What the dialogs that save the ledger tell the user about it.
#pragma once
#include <windows.h>

#include "ledger/year_ledger.h"

// Names every file a save could not write; the changes stay in memory.
void tell_save_failure(HWND owner, const SaveFailure& failure);
// A backup that could not be made before a save, told once per run: the
// save went on without it, and saying so at every save would only nag.
void tell_backup_failure_once(HWND owner);
