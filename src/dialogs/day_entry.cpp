#include "dialogs/day_entry.h"

// The day entry dialog arrives with the ledger dialogs.
bool run_day_entry_dialog(HWND) { return false; }
