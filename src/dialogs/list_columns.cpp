#include "dialogs/list_columns.h"

#include <commctrl.h>

#include "calendar/dates.h"

void insert_list_column(HWND list, int index, const wchar_t* title, int width, bool right)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = right ? LVCFMT_RIGHT : LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void add_list_columns(HWND list, const ListColumn* columns, int count)
{
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
    for (int i = 0; i < count; ++i) {
        RECT width = {0, 0, columns[i].width, 0};
        MapDialogRect(GetParent(list), &width);
        insert_list_column(list, i, columns[i].title, width.right, columns[i].right);
    }
}

void scale_list_columns(HWND list, int old_dpi, int new_dpi)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(MulDiv(width, new_dpi, old_dpi), 0));
    }
}

void follow_dpi_change(HWND list, int& dpi, int new_dpi)
{
    scale_list_columns(list, dpi, new_dpi);
    dpi = new_dpi;
}

int chosen_row(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void choose_row(HWND list, int row)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (row < 0) return;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::wstring date_with_weekday(int year, int month, int day)
{
    char16_t weekday[3];
    weekday_name(weekday, 1, weekday_of(year, month, day));
    wchar_t text[32];
    wsprintfW(text, L"%04d/%02d/%02d(%s)", year, month, day, reinterpret_cast<const wchar_t*>(weekday));
    return text;
}
