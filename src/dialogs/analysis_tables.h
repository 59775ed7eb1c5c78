// The analysis window's tables by weekday and by memo: list views that
// ask for each cell they show, with columns wide enough for the largest
// figures the ledger can hold.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ledger/analysis.h"

// "-1,234": a sum, count or average as the window shows it.
std::wstring sum_text(int64_t amount);

// Columns sized at `dpi` from the lists' own font.
void add_table_columns(HWND dialog, int dpi);
// The columns keep their widths at the new scale.
void scale_table_columns(HWND dialog, int old_dpi, int new_dpi);
// The width a list needs to show all its columns with room for its
// vertical scroll bar: it never scrolls sideways.
int table_width_needed(HWND table, int dpi);
void show_tables(HWND dialog, const BalanceAnalysis& analysis);
// LVN_GETDISPINFO and NM_CUSTOMDRAW of the lists; FALSE for anything else.
BOOL on_table_notify(HWND dialog, NMHDR* header, const BalanceAnalysis& analysis);
