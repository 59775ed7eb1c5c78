// The year's backups to bring it back from: each folder with the year's
// total then and the days that differ from now, and those days.
#pragma once
#include <windows.h>

// Shows the dialog; true when the year's files were replaced (or will be,
// once a held file is let go), so what shows the year reads it again.
bool run_restore_dialog(HWND owner, int year);
