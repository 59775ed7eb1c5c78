#include "dialogs/analysis_layout.h"

#include <algorithm>
#include <initializer_list>
#include <string>

#include "dialogs/analysis_tables.h"
#include "res/resource.h"
#include "view/dpi.h"

namespace {

// Dialog units.
enum {
    margin = 6,
    gap = 4,
    figures_top = 40,  // the first figure row
    figure_pitch = 11,
    label_width = 50,
    title_height = 10,
    tables_height = 104,  // a title and the lists below it
    bottom_height = 20,
    button_width = 44,
    button_height = 16,
    least_chart_width = 164,
    smallest_height =
        figures_top + analysis_figure_rows * figure_pitch + gap + tables_height + gap + bottom_height + margin,
};

// Widths in dialog units that depend on the fonts: measured.
struct Widths {
    int value;  // the figures' boxes
    int note;   // the notes beside them
    int weekdays;  // the tables
    int tags;
    int figures() const { return label_width + 2 + value + 4 + note; }
    int smallest() const
    {
        return std::max(margin + least_chart_width + gap + figures() + margin, margin + weekdays + gap + tags + margin);
    }
};

// Pixels of 4 dialog units across and of 8 down.
SIZE base_units(HWND dialog)
{
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    return SIZE{std::max(1L, base.right), std::max(1L, base.bottom)};
}

// Rounded up, and one more for the rounding of placing.
int units_for_pixels(HWND dialog, long pixels)
{
    const long four = base_units(dialog).cx;
    return static_cast<int>((pixels * 4 + four - 1) / four) + 1;
}

long widest_text(HWND control, std::initializer_list<std::wstring> texts)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    long widest = 0;
    for (const std::wstring& text : texts) {
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return widest;
}

Widths measure_widths(HWND dialog, int dpi)
{
    HWND value = GetDlgItem(dialog, IDC_FIGURE_VALUE);
    RECT outer, client;
    GetWindowRect(value, &outer);
    GetClientRect(value, &client);
    const long value_frame = outer.right - outer.left - client.right;  // the sunken edge
    Widths widths = {};
    widths.value = units_for_pixels(dialog, widest_text(value, {sum_text(-largest_ledger_sum)}) + value_frame);
    widths.note = units_for_pixels(dialog, widest_text(GetDlgItem(dialog, IDC_FIGURE_NOTE),
                                                       {L"0000/00/00～0000/00/00", L"勝ち÷(勝ち＋負け)"}));
    widths.weekdays = units_for_pixels(dialog, table_width_needed(GetDlgItem(dialog, IDC_ANALYSIS_WEEKDAYS), dpi));
    widths.tags = units_for_pixels(dialog, table_width_needed(GetDlgItem(dialog, IDC_ANALYSIS_TAGS), dpi));
    return widths;
}

struct Placer {
    HWND dialog;
    HDWP batch;
};

// Without SWP_NOCOPYBITS a moved control would keep its old pixels.
void place(Placer& placer, int id, int x, int y, int width, int height)
{
    RECT rect = {x, y, x + width, y + height};
    MapDialogRect(placer.dialog, &rect);
    placer.batch = DeferWindowPos(placer.batch, GetDlgItem(placer.dialog, id), nullptr, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top,
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

// The client size in dialog units.
SIZE client_units(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    const SIZE base = base_units(dialog);
    return SIZE{MulDiv(client.right, 4, base.cx), MulDiv(client.bottom, 8, base.cy)};
}

void place_figures(Placer& placer, int left, const Widths& widths)
{
    place(placer, IDC_ANALYSIS_PERIOD_LABEL, left, margin + 2, 32, title_height);  // 期間(P)
    place(placer, IDC_ANALYSIS_PERIOD, left + 34, margin, 72, 160);  // with its drop-down list
    place(placer, IDC_ANALYSIS_FIGURES_TITLE, left, figures_top - 12, widths.figures(), title_height);
    const int value_left = left + label_width + 2;
    const int note_left = value_left + widths.value + 4;
    for (int row = 0; row < analysis_figure_rows; ++row) {
        int top = figures_top + row * figure_pitch;
        place(placer, IDC_FIGURE_LABEL + row, left, top + 1, label_width, 9);
        place(placer, IDC_FIGURE_VALUE + row, value_left, top, widths.value, 10);
        place(placer, IDC_FIGURE_NOTE + row, note_left, top + 1, widths.note, 9);
    }
}

}  // namespace

// The chart takes what the figures on its right and the tables below
// leave; the memo list takes the rest of the width.
void lay_out_analysis(HWND dialog, int dpi)
{
    const Widths widths = measure_widths(dialog, dpi);
    SIZE size = client_units(dialog);
    const int width = std::max<int>(size.cx, widths.smallest());
    const int height = std::max<int>(size.cy, smallest_height);
    const int figures_left = width - margin - widths.figures();
    const int bottom_top = height - margin - bottom_height;
    const int tables_top = bottom_top - gap - tables_height;
    const int tags_left = margin + widths.weekdays + gap;
    const int list_height = tables_height - title_height;

    Placer placer = {dialog, BeginDeferWindowPos(48)};
    place(placer, IDC_ANALYSIS_CHART, margin, margin, figures_left - gap - margin, tables_top - gap - margin);
    place_figures(placer, figures_left, widths);
    place(placer, IDC_ANALYSIS_WEEKDAYS_TITLE, margin, tables_top, widths.weekdays, title_height);
    place(placer, IDC_ANALYSIS_WEEKDAYS, margin, tables_top + title_height, widths.weekdays, list_height);
    place(placer, IDC_ANALYSIS_TAGS_TITLE, tags_left, tables_top, width - margin - tags_left, title_height);
    place(placer, IDC_ANALYSIS_TAGS, tags_left, tables_top + title_height, width - margin - tags_left, list_height);
    const int close_left = width - margin - button_width;
    const int csv_left = close_left - gap - button_width;
    place(placer, IDC_ANALYSIS_HINT, margin, bottom_top, csv_left - gap - margin, bottom_height);
    place(placer, IDC_ANALYSIS_CSV, csv_left, bottom_top + 2, button_width, button_height);
    place(placer, IDOK, close_left, bottom_top + 2, button_width, button_height);
    if (placer.batch) EndDeferWindowPos(placer.batch);
    // The hint wraps anew and the background shows where controls were.
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

SIZE smallest_analysis_size(HWND dialog, int dpi)
{
    RECT smallest = {0, 0, measure_widths(dialog, dpi).smallest(), smallest_height};
    MapDialogRect(dialog, &smallest);
    return outer_size_at_dpi(dialog, SIZE{smallest.right, smallest.bottom}, dpi);
}

void grow_to_smallest_analysis_size(HWND dialog, int dpi)
{
    const SIZE smallest = smallest_analysis_size(dialog, dpi);
    RECT window;
    GetWindowRect(dialog, &window);
    const long width = std::max(window.right - window.left, smallest.cx);
    const long height = std::max(window.bottom - window.top, smallest.cy);
    if (width == window.right - window.left && height == window.bottom - window.top) return;
    SetWindowPos(dialog, nullptr, (window.left + window.right - width) / 2, (window.top + window.bottom - height) / 2,
                 width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
