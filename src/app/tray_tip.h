// Today's figures for the notification icon's tip.
#pragma once
#include <windows.h>

#include "app/main_window.h"

// Writes today's tip (date, holiday name, the month's balance so far) into
// the tip field of the icon record: at most 63 characters and the NUL.
void write_tray_tip(const MainWindow& main_window, wchar_t* tip);
