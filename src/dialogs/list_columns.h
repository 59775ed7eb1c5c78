// The report lists of the dialogs: their columns, the chosen row.
#pragma once
#include <windows.h>

#include <string>

// A column `width` pixels wide, right-aligned for figures.
void insert_list_column(HWND list, int index, const wchar_t* title, int width, bool right);
// Columns given in dialog units of the list's dialog, so they follow its
// font and scale.
struct ListColumn {
    const wchar_t* title;
    int width;  // dialog units
    bool right;
};
void add_list_columns(HWND list, const ListColumn* columns, int count);
// Every column of a table of them.
template <int count>
void add_list_columns(HWND list, const ListColumn (&columns)[count])
{
    add_list_columns(list, columns, count);
}
// The columns keep their widths on a screen of another scale.
void scale_list_columns(HWND list, int old_dpi, int new_dpi);
// The same for a dialog's WM_DPICHANGED; `dpi` becomes the new one.
void follow_dpi_change(HWND list, int& dpi, int new_dpi);
// The selected row, or -1.
int chosen_row(HWND list);
// Selects and shows a row (-1: none).
void choose_row(HWND list, int row);
// The date as the lists show it: "2009/03/05(木)".
std::wstring date_with_weekday(int year, int month, int day);
