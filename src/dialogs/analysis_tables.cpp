#include "dialogs/analysis_tables.h"

#include <algorithm>
#include <vector>

#include "dialogs/figure_text.h"
#include "dialogs/list_columns.h"
#include "platform/win32_text.h"
#include "res/resource.h"
#include "view/dpi.h"

namespace {

// What a column shows of a row; it decides the cell's text, the widest
// text the column must hold and how the column sorts.
enum Field { field_name, field_days, field_visits, field_wins, field_losses, field_draws, field_sum, field_average,
             field_stake, field_returned, field_balance, field_rate, field_count };

// A row's figures; a figure not shown leaves its cell empty ("－" for a rate).
struct RowFigures {
    std::wstring name;
    int64_t values[field_count];
    bool shown[field_count];
    bool last;  // stays last in any order: the days without visits
};

struct Column {
    const wchar_t* title;
    Field field;
};

struct Table {
    int list_id;
    const wchar_t* label;  // of a row's days: 場所「ABCホール」
    const wchar_t* note;
    const Column* columns;
    int column_count;
    int visit_table;  // of the tables by visits, else -1
    size_t (*row_count)(const BalanceAnalysis&, int visit_table);
    RowFigures (*row)(const BalanceAnalysis&, int visit_table, size_t row);
    FigureChoice (*figure)(const BalanceAnalysis&, int visit_table, size_t row);
};

// The visits of 48 years at a few hundred a day: wider than any count.
const int64_t most_visits = 9999999;
const wchar_t* const weekday_names[7] = {L"日", L"月", L"火", L"水", L"木", L"金", L"土"};
// Room the list leaves around a cell's text, at 96 DPI.
const int cell_padding = 14;

RowFigures played_row(const std::wstring& name, const PlayedFigures& figures)
{
    RowFigures row = {name, {}, {}, false};
    const int64_t values[] = {figures.days, figures.results.wins, figures.results.losses, figures.results.draws,
                              figures.results.sum, figures.average};
    const Field fields[] = {field_days, field_wins, field_losses, field_draws, field_sum, field_average};
    for (int i = 0; i < 6; ++i) {
        row.values[fields[i]] = values[i];
        row.shown[fields[i]] = true;
    }
    return row;
}

size_t weekday_count(const BalanceAnalysis&, int) { return 7; }
RowFigures weekday_row(const BalanceAnalysis& a, int, size_t row)
{
    RowFigures figures = played_row(weekday_names[row], a.weekdays[row]);
    figures.values[field_name] = static_cast<int64_t>(row);  // sorts Sunday to Saturday
    return figures;
}
FigureChoice weekday_figure(const BalanceAnalysis&, int, size_t row)
{
    return FigureChoice{figure_weekday, static_cast<int>(row), 0, "", false};
}

size_t tag_count(const BalanceAnalysis& a, int) { return a.tags.size(); }
RowFigures tag_row(const BalanceAnalysis& a, int, size_t row) { return played_row(sjis_to_wide(a.tags[row].tag), a.tags[row].figures); }
FigureChoice tag_figure(const BalanceAnalysis& a, int, size_t row) { return tag_choice(a.tags[row]); }

size_t visit_count(const BalanceAnalysis& a, int table) { return a.visits.rows[table].size(); }
// The days without visits count days and their amounts only.
RowFigures visit_row(const BalanceAnalysis& a, int table, size_t index)
{
    const VisitRow& source = a.visits.rows[table][index];
    RowFigures row = {utf8_to_wide(source.name.c_str()), {}, {}, source.days_without_visits};
    const int64_t values[] = {source.visits, source.wins, source.losses, source.draws, source.stake, source.returned,
                              source.balance, source.return_rate.value};
    const Field fields[] = {field_visits, field_wins, field_losses, field_draws, field_stake, field_returned,
                            field_balance, field_rate};
    for (int i = 0; i < 8; ++i) {
        row.values[fields[i]] = values[i];
        row.shown[fields[i]] = !source.days_without_visits || fields[i] == field_visits || fields[i] == field_balance;
    }
    row.shown[field_rate] = source.return_rate.known;
    return row;
}
FigureChoice visit_figure(const BalanceAnalysis& a, int table, size_t row)
{
    return visit_row_choice(table, a.visits.rows[table][row]);
}

const Column weekday_columns[] = {{L"曜日", field_name}, {L"日数", field_days}, {L"勝ち", field_wins},
                                  {L"負け", field_losses}, {L"分け", field_draws}, {L"合計", field_sum},
                                  {L"平均", field_average}};
const Column tag_columns[] = {{L"メモ", field_name},  {L"日数", field_days},  {L"勝ち", field_wins},
                              {L"負け", field_losses}, {L"分け", field_draws}, {L"合計", field_sum}};
// The name column of a table by visits is titled with its label.
const Column visit_columns[] = {{nullptr, field_name},      {L"回数", field_visits}, {L"勝ち", field_wins},
                                {L"負け", field_losses},     {L"分け", field_draws},  {L"投資", field_stake},
                                {L"回収", field_returned},   {L"収支", field_balance}, {L"回収率", field_rate}};

template <int count>
constexpr int column_count_of(const Column (&)[count])
{
    return count;
}
const wchar_t visits_note[] = L"ごと（明細なし＝明細のない日）。";
const wchar_t how_to_use[] = L"ダブルクリックでその日の一覧、見出しで並べ替え";
const Table tables[analysis_table_count] = {
    {IDC_ANALYSIS_WEEKDAYS, L"曜日", L"曜日ごと。",
     weekday_columns, column_count_of(weekday_columns), -1, weekday_count, weekday_row, weekday_figure},
    {IDC_ANALYSIS_TAGS, L"メモ", L"メモの最初の言葉ごと。",
     tag_columns, column_count_of(tag_columns), -1, tag_count, tag_row, tag_figure},
    {IDC_ANALYSIS_CATEGORIES, L"種別", visits_note, visit_columns, column_count_of(visit_columns), table_category, visit_count, visit_row,
     visit_figure},
    {IDC_ANALYSIS_PLACES, L"場所", visits_note, visit_columns, column_count_of(visit_columns), table_place, visit_count, visit_row,
     visit_figure},
    {IDC_ANALYSIS_GAMES, L"機種", visits_note, visit_columns, column_count_of(visit_columns), table_game, visit_count, visit_row,
     visit_figure},
};


std::wstring widest_text(const Table& table, Field field)
{
    switch (field) {
    case field_name:
        if (table.list_id == IDC_ANALYSIS_WEEKDAYS) return weekday_names[0];
        if (table.list_id == IDC_ANALYSIS_TAGS) return std::wstring(memo_max_bytes, L'W');  // no memo is wider
        return std::wstring(category_max_chars, L'あ');  // longer places show whole in their tip
    case field_days: return sum_text(most_played_days);
    case field_visits:
    case field_wins:
    case field_losses:
    case field_draws: return sum_text(most_visits);
    case field_average: return sum_text(INT32_MIN);
    case field_rate: return rate_text(Rate{true, int64_t{visit_amount_max} * 1000});
    default: return sum_text(-largest_ledger_sum);
    }
}

std::wstring cell_text(const RowFigures& row, Field field)
{
    if (field == field_name) return row.name;
    if (field == field_rate) return rate_text(Rate{row.shown[field_rate], row.values[field_rate]});
    return row.shown[field] ? sum_text(row.values[field]) : L"";
}

int string_width(HWND list, const std::wstring& text)
{
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int column_count(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return std::max(0, static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
}

// The row of the analysis behind a row as shown.
size_t data_row(const TableOrders& orders, int table, size_t shown)
{
    const std::vector<size_t>& rows = orders.tables[table].rows;
    return shown < rows.size() ? rows[shown] : shown;
}

bool comes_before(const RowFigures& a, const RowFigures& b, Field field, bool descending)
{
    if (a.last != b.last) return b.last;
    if (field == field_rate && a.shown[field] != b.shown[field]) return a.shown[field];  // "－" after any rate
    if (a.values[field] == b.values[field]) {
        if (field != field_name) return false;
        const int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | NORM_IGNOREWIDTH, a.name.c_str(), -1,
                                         b.name.c_str(), -1);
        return descending ? order == CSTR_GREATER_THAN : order == CSTR_LESS_THAN;
    }
    return descending ? a.values[field] > b.values[field] : a.values[field] < b.values[field];
}

void sort_rows(TableOrders& orders, int table, const BalanceAnalysis& analysis)
{
    const Table& info = tables[table];
    TableOrder& order = orders.tables[table];
    const size_t count = info.row_count(analysis, info.visit_table);
    order.rows.resize(count);
    for (size_t i = 0; i < count; ++i) order.rows[i] = i;
    if (order.column < 0) return;
    std::vector<RowFigures> rows;
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i) rows.push_back(info.row(analysis, info.visit_table, i));
    const Field field = info.columns[order.column].field;
    std::stable_sort(order.rows.begin(), order.rows.end(), [&](size_t a, size_t b) {
        return comes_before(rows[a], rows[b], field, order.descending);
    });
}

// The header shows which column sorts, and which way.
void show_sort_mark(HWND list, const TableOrder& order)
{
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    for (int i = 0, count = column_count(list); i < count; ++i) {
        HDITEMW item = {};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == order.column) item.fmt |= order.descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

// A first click sorts figures largest first and names from the start; a
// second turns the order round.
void on_column_click(HWND dialog, TableOrders& orders, int table, int column, const BalanceAnalysis& analysis)
{
    TableOrder& order = orders.tables[table];
    if (order.column == column)
        order.descending = !order.descending;
    else
        order.descending = tables[table].columns[column].field != field_name;
    order.column = column;
    sort_rows(orders, table, analysis);
    HWND list = GetDlgItem(dialog, tables[table].list_id);
    show_sort_mark(list, order);
    InvalidateRect(list, nullptr, FALSE);
}

void on_table_text(NMLVDISPINFOW* info, const TableOrders& orders, int table, const BalanceAnalysis& analysis)
{
    LVITEMW& item = info->item;
    const Table& described = tables[table];
    if (!(item.mask & LVIF_TEXT) || item.cchTextMax <= 0 || item.iSubItem >= described.column_count) return;
    const size_t row = data_row(orders, table, static_cast<size_t>(item.iItem));
    if (row >= described.row_count(analysis, described.visit_table)) return;
    const RowFigures figures = described.row(analysis, described.visit_table, row);
    lstrcpynW(item.pszText, cell_text(figures, described.columns[item.iSubItem].field).c_str(), item.cchTextMax);
}

// Negative sums, averages and balances red, as in the year dialog.
LRESULT on_table_draw(NMLVCUSTOMDRAW* draw, const TableOrders& orders, int table, const BalanceAnalysis& analysis)
{
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) return CDRF_DODEFAULT;
    const Table& described = tables[table];
    const size_t row = data_row(orders, table, draw->nmcd.dwItemSpec);
    bool negative = false;
    if (row < described.row_count(analysis, described.visit_table) && draw->iSubItem < described.column_count) {
        const Field field = described.columns[draw->iSubItem].field;
        const RowFigures figures = described.row(analysis, described.visit_table, row);
        negative = (field == field_sum || field == field_average || field == field_balance) && figures.shown[field] &&
                   figures.values[field] < 0;
    }
    draw->clrText = negative ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
    return CDRF_NEWFONT;
}

}  // namespace

TableOrders fresh_table_orders()
{
    TableOrders orders;
    for (TableOrder& order : orders.tables) order = TableOrder{{}, -1, false};
    return orders;
}

int table_list_id(int table) { return tables[table].list_id; }

int table_of_list(int id)
{
    for (int table = 0; table < analysis_table_count; ++table)
        if (tables[table].list_id == id) return table;
    return -1;
}

void add_table_columns(HWND dialog, int dpi)
{
    for (const Table& table : tables) {
        HWND list = GetDlgItem(dialog, table.list_id);
        SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
        for (int i = 0; i < table.column_count; ++i) {
            const Column& column = table.columns[i];
            const wchar_t* title = column.title ? column.title : table.label;
            const int width = std::max(string_width(list, title), string_width(list, widest_text(table, column.field)));
            insert_list_column(list, i, title, width + scale_to_dpi(cell_padding, dpi), i > 0);
        }
    }
}

void scale_table_columns(HWND dialog, int old_dpi, int new_dpi)
{
    for (const Table& table : tables) scale_list_columns(GetDlgItem(dialog, table.list_id), old_dpi, new_dpi);
}

int table_width_needed(HWND list, int dpi)
{
    int columns = 0;
    for (int i = 0, count = column_count(list); i < count; ++i)
        columns += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    RECT outer, client;
    GetWindowRect(list, &outer);
    GetClientRect(list, &client);
    const int scroll_bar = system_metric_at_dpi(SM_CXVSCROLL, dpi);
    const bool scrolls = GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL;
    const int frame = (outer.right - outer.left) - client.right - (scrolls ? scroll_bar : 0);
    return columns + frame + scroll_bar;
}

void show_tables(HWND dialog, const BalanceAnalysis& analysis, TableOrders& orders)
{
    for (int table = 0; table < analysis_table_count; ++table) {
        sort_rows(orders, table, analysis);
        HWND list = GetDlgItem(dialog, tables[table].list_id);
        SendMessageW(list, LVM_SETITEMCOUNT, orders.tables[table].rows.size(), 0);
        SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
        InvalidateRect(list, nullptr, FALSE);
    }
}

void choose_table(HWND dialog, int chosen)
{
    for (int table = 0; table < analysis_table_count; ++table)
        ShowWindow(GetDlgItem(dialog, tables[table].list_id), table == chosen ? SW_SHOWNA : SW_HIDE);
    CheckRadioButton(dialog, IDC_TABLE_CHOICE, IDC_TABLE_CHOICE + analysis_table_count - 1, IDC_TABLE_CHOICE + chosen);
    const Table& table = tables[chosen];
    const std::wstring note = (table.visit_table >= 0 ? table.label : L"") + std::wstring(table.note) + how_to_use;
    SetDlgItemTextW(dialog, IDC_ANALYSIS_TABLE_NOTE, note.c_str());
}

bool row_figure(const BalanceAnalysis& analysis, const TableOrders& orders, int table, int shown_row, FigureChoice* choice,
                std::wstring* title)
{
    const Table& described = tables[table];
    const size_t row = data_row(orders, table, static_cast<size_t>(shown_row));
    if (shown_row < 0 || row >= described.row_count(analysis, described.visit_table)) return false;
    *choice = described.figure(analysis, described.visit_table, row);
    const RowFigures figures = described.row(analysis, described.visit_table, row);
    *title = figures.last ? L"明細のない日" : described.label + (L"「" + figures.name + L"」");
    return true;
}

BOOL on_table_notify(HWND dialog, NMHDR* header, const BalanceAnalysis& analysis, TableOrders& orders)
{
    const int table = table_of_list(static_cast<int>(header->idFrom));
    if (table < 0) return FALSE;
    LRESULT result = 0;
    if (header->code == LVN_GETDISPINFOW)
        on_table_text(reinterpret_cast<NMLVDISPINFOW*>(header), orders, table, analysis);
    else if (header->code == NM_CUSTOMDRAW)
        result = on_table_draw(reinterpret_cast<NMLVCUSTOMDRAW*>(header), orders, table, analysis);
    else if (header->code == LVN_COLUMNCLICK)
        on_column_click(dialog, orders, table, reinterpret_cast<NMLISTVIEW*>(header)->iSubItem, analysis);
    else
        return FALSE;
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}
