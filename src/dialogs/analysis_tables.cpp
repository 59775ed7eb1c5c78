#include "dialogs/analysis_tables.h"

#include <algorithm>

#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/amount_text.h"
#include "view/dpi.h"

namespace {

// What a column holds decides the widest text it must show.
enum ColumnKind { kind_weekday, kind_memo, kind_count, kind_sum, kind_average };
struct Column {
    const wchar_t* title;
    ColumnKind kind;
};
// Played days, wins, losses, draws, total, then the average by weekday.
const Column weekday_columns[] = {{L"曜日", kind_weekday}, {L"日数", kind_count}, {L"勝ち", kind_count},
                                  {L"負け", kind_count},   {L"分け", kind_count}, {L"合計", kind_sum},
                                  {L"平均", kind_average}};
const Column tag_columns[] = {{L"メモ", kind_memo},  {L"日数", kind_count}, {L"勝ち", kind_count},
                              {L"負け", kind_count}, {L"分け", kind_count}, {L"合計", kind_sum}};
enum { weekday_column_count = 7, tag_column_count = 6, column_total = 5, column_average = 6 };
const wchar_t* const weekday_names[7] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
// Room the list leaves around a cell's text, at 96 DPI.
const int cell_padding = 14;

std::wstring widest_text(ColumnKind kind)
{
    switch (kind) {
    case kind_weekday: return weekday_names[0];
    case kind_memo: return std::wstring(memo_max_bytes, L'W');  // no memo character is wider than half a W
    case kind_count: return sum_text(most_played_days);
    case kind_sum: return sum_text(-largest_ledger_sum);
    default: return sum_text(INT32_MIN);
    }
}

int string_width(HWND table, const std::wstring& text)
{
    return static_cast<int>(SendMessageW(table, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void add_columns(HWND table, const Column* columns, int count, int dpi)
{
    SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = std::max(string_width(table, columns[i].title), string_width(table, widest_text(columns[i].kind))) +
                    scale_to_dpi(cell_padding, dpi);
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        SendMessageW(table, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

int column_count(HWND table)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
    return std::max(0, static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
}

int column_width(HWND table, int column)
{
    return static_cast<int>(SendMessageW(table, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

const PlayedFigures* table_row(const BalanceAnalysis& a, int table, size_t row)
{
    if (table == IDC_ANALYSIS_WEEKDAYS) return row < 7 ? &a.weekdays[row] : nullptr;
    return row < a.tags.size() ? &a.tags[row].figures : nullptr;
}

int64_t cell_number(const PlayedFigures& figures, int column)
{
    switch (column) {
    case 1: return figures.days;
    case 2: return figures.results.wins;
    case 3: return figures.results.losses;
    case 4: return figures.results.draws;
    case column_total: return figures.results.sum;
    default: return figures.average;
    }
}

std::wstring cell_text(const BalanceAnalysis& a, int table, size_t row, int column)
{
    const PlayedFigures* figures = table_row(a, table, row);
    if (!figures) return L"";
    if (column > 0) return sum_text(cell_number(*figures, column));
    if (table == IDC_ANALYSIS_WEEKDAYS) return weekday_names[row];
    return sjis_to_wide(a.tags[row].tag);
}

// The lists hold no text of their own: they ask for each cell they show,
// so a long list of memos fills at once.
void on_table_text(NMLVDISPINFOW* info, const BalanceAnalysis& a)
{
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0) return;
    const int table = static_cast<int>(info->hdr.idFrom);
    std::wstring text = cell_text(a, table, static_cast<size_t>(item.iItem), item.iSubItem);
    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

// Negative totals and averages red, as in the year dialog.
LRESULT on_table_draw(NMLVCUSTOMDRAW* draw, const BalanceAnalysis& a)
{
    DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) return CDRF_DODEFAULT;
    const PlayedFigures* figures = table_row(a, static_cast<int>(draw->nmcd.hdr.idFrom), draw->nmcd.dwItemSpec);
    bool amount = draw->iSubItem == column_total || draw->iSubItem == column_average;
    bool negative = figures && amount && cell_number(*figures, draw->iSubItem) < 0;
    draw->clrText = negative ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
    return CDRF_NEWFONT;
}

}  // namespace

std::wstring sum_text(int64_t amount)
{
    char16_t text[large_amount_text_size];
    format_sum(amount, text);
    return reinterpret_cast<const wchar_t*>(text);
}

void add_table_columns(HWND dialog, int dpi)
{
    add_columns(GetDlgItem(dialog, IDC_ANALYSIS_WEEKDAYS), weekday_columns, weekday_column_count, dpi);
    add_columns(GetDlgItem(dialog, IDC_ANALYSIS_TAGS), tag_columns, tag_column_count, dpi);
}

void scale_table_columns(HWND dialog, int old_dpi, int new_dpi)
{
    for (int id : {IDC_ANALYSIS_WEEKDAYS, IDC_ANALYSIS_TAGS}) {
        HWND table = GetDlgItem(dialog, id);
        for (int i = 0, count = column_count(table); i < count; ++i)
            SendMessageW(table, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                         MAKELPARAM(MulDiv(column_width(table, i), new_dpi, old_dpi), 0));
    }
}

int table_width_needed(HWND table, int dpi)
{
    int columns = 0;
    for (int i = 0, count = column_count(table); i < count; ++i) columns += column_width(table, i);
    RECT outer, client;
    GetWindowRect(table, &outer);
    GetClientRect(table, &client);
    const int scroll_bar = system_metric_at_dpi(SM_CXVSCROLL, dpi);
    const bool scrolls = GetWindowLongPtrW(table, GWL_STYLE) & WS_VSCROLL;
    const int frame = (outer.right - outer.left) - client.right - (scrolls ? scroll_bar : 0);
    return columns + frame + scroll_bar;
}

void show_tables(HWND dialog, const BalanceAnalysis& analysis)
{
    HWND weekdays = GetDlgItem(dialog, IDC_ANALYSIS_WEEKDAYS);
    HWND tags = GetDlgItem(dialog, IDC_ANALYSIS_TAGS);
    SendMessageW(weekdays, LVM_SETITEMCOUNT, 7, 0);
    SendMessageW(tags, LVM_SETITEMCOUNT, analysis.tags.size(), 0);
    SendMessageW(tags, LVM_ENSUREVISIBLE, 0, FALSE);
    InvalidateRect(weekdays, nullptr, FALSE);
    InvalidateRect(tags, nullptr, FALSE);
}

BOOL on_table_notify(HWND dialog, NMHDR* header, const BalanceAnalysis& analysis)
{
    if (header->idFrom != IDC_ANALYSIS_WEEKDAYS && header->idFrom != IDC_ANALYSIS_TAGS) return FALSE;
    LRESULT result = 0;
    if (header->code == LVN_GETDISPINFOW)
        on_table_text(reinterpret_cast<NMLVDISPINFOW*>(header), analysis);
    else if (header->code == NM_CUSTOMDRAW)
        result = on_table_draw(reinterpret_cast<NMLVCUSTOMDRAW*>(header), analysis);
    else
        return FALSE;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}
