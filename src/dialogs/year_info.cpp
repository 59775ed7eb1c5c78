#include "dialogs/year_info.h"

// The year information dialog arrives with the ledger dialogs.
void run_year_info_dialog(HWND) {}
