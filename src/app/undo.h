// Undo and redo of the calendar window: Ctrl+Z and Ctrl+Y, and the two
// menu items naming what they would take back or make again.
#pragma once
#include <windows.h>

#include "app/main_window.h"

// Takes back the newest change (`redo`: makes the newest taken back
// again) as one save; what keeps it from the disk is told.
void undo_or_redo(MainWindow& main_window, bool redo);
// The two items' captions and states, as the history stands.
void refresh_undo_items(const MainWindow& main_window);
