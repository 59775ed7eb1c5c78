// The analysis window's tables, by weekday, by memo, by category, by place
// and by game. Each is described once (its columns, its rows, the value of
// a cell) and shown by a list view that asks for each cell it shows, with
// columns wide enough for the largest figures the ledger can hold; a click
// on a column's header sorts by it. One table shows at a time.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/days_behind.h"

enum AnalysisTable { table_weekdays, table_tags, table_categories, table_places, table_games, analysis_table_count };

// The rows of a table in the order shown: by a column when its header was
// clicked, else as the analysis gives them. Kept by the window showing
// them, for the analysis it shows.
struct TableOrder {
    std::vector<size_t> rows;
    int column;  // -1: the analysis's order
    bool descending;
};
struct TableOrders {
    TableOrder tables[analysis_table_count];
};
TableOrders fresh_table_orders();

// The list view of a table.
int table_list_id(int table);
// Columns sized at `dpi` from the lists' own font.
void add_table_columns(HWND dialog, int dpi);
// The columns keep their widths at the new scale.
void scale_table_columns(HWND dialog, int old_dpi, int new_dpi);
// The width a list needs to show all its columns with room for its
// vertical scroll bar: it never scrolls sideways.
int table_width_needed(HWND list, int dpi);
// The rows of a new analysis, in the order chosen for each table.
void show_tables(HWND dialog, const BalanceAnalysis& analysis, TableOrders& orders);
// Shows one table, its chooser checked and its note, and hides the others.
void choose_table(HWND dialog, int table);
// The table of a list view id, or -1.
int table_of_list(int id);
// The figure behind a row as the list shows it, and a title for its days
// ("場所「ABCホール」"); false outside the rows.
bool row_figure(const BalanceAnalysis& analysis, const TableOrders& orders, int table, int shown_row, FigureChoice* choice,
                std::wstring* title);
// LVN_GETDISPINFO, NM_CUSTOMDRAW and LVN_COLUMNCLICK of the lists; FALSE
// for anything else.
BOOL on_table_notify(HWND dialog, NMHDR* header, const BalanceAnalysis& analysis, TableOrders& orders);
