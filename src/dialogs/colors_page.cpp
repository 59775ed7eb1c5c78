// The display colours page: sixteen swatches, edited on working copies that
// reach the options when the sheet applies.
#include <cstring>

#include "dialogs/dialog_keys.h"
#include "dialogs/pages.h"
#include "res/resource.h"
#include "settings/options.h"
#include "dialogs/owner_messages.h"
#include "view/draw.h"

namespace {
struct Swatch {
    int id;
    size_t field;  // offset of the colour in the options record
};
const Swatch swatches[16] = {
    {IDC_SWATCH_TODAY_TEXT, offsetof(OptionsRecord, today_text_color)},
    {IDC_SWATCH_TODAY_BACK, offsetof(OptionsRecord, today_back_color)},
    {IDC_SWATCH_YEAR_TEXT, offsetof(OptionsRecord, year_text_color)},
    {IDC_SWATCH_YEAR_BACK, offsetof(OptionsRecord, year_back_color)},
    {IDC_SWATCH_MONTH_TEXT, offsetof(OptionsRecord, month_text_color)},
    {IDC_SWATCH_MONTH_BACK, offsetof(OptionsRecord, month_back_color)},
    {IDC_SWATCH_TIME_TEXT, offsetof(OptionsRecord, time_text_color)},
    {IDC_SWATCH_TIME_BACK, offsetof(OptionsRecord, time_back_color)},
    {IDC_SWATCH_SMALL_TEXT, offsetof(OptionsRecord, small_text_color)},
    {IDC_SWATCH_SMALL_BACK, offsetof(OptionsRecord, small_back_color)},
    {IDC_SWATCH_BACKGROUND, offsetof(OptionsRecord, background_color)},
    {IDC_SWATCH_SUNDAY, offsetof(OptionsRecord, sunday_color)},
    {IDC_SWATCH_SATURDAY, offsetof(OptionsRecord, saturday_color)},
    {IDC_SWATCH_WEEKDAY, offsetof(OptionsRecord, weekday_color)},
    {IDC_SWATCH_WIN, offsetof(OptionsRecord, win_color)},
    {IDC_SWATCH_LOSS, offsetof(OptionsRecord, loss_color)},
};

struct ColorsPage {
    COLORREF working[16];
    HBRUSH brushes[16];
    DialogBrushes hint;
};
ColorsPage colors;

// The colours sit at odd offsets of the packed record: copied bytewise.
COLORREF stored_color(size_t field)
{
    ColorRef value;
    std::memcpy(&value, reinterpret_cast<const char*>(options()) + field, sizeof value);
    return value;
}

void store_color(size_t field, COLORREF color)
{
    ColorRef value = color;
    std::memcpy(reinterpret_cast<char*>(options()) + field, &value, sizeof value);
}

int swatch_index(int id)
{
    for (int i = 0; i < 16; ++i)
        if (swatches[i].id == id) return i;
    return -1;
}

// Every swatch is a Tab stop: it shows the focus and opens the picker
// with Space or Enter.
void on_init(HWND page)
{
    for (int i = 0; i < 16; ++i) {
        colors.working[i] = stored_color(swatches[i].field);
        colors.brushes[i] = CreateSolidBrush(colors.working[i]);
        make_focus_cell(GetDlgItem(page, swatches[i].id));
    }
    colors.hint = make_dialog_brushes();
}

void on_swatch(HWND page, int index)
{
    if (!choose_color(page, colors.working[index])) return;
    colors.working[index] = picked_color();
    mark_page_changed(page);
    DeleteObject(colors.brushes[index]);
    colors.brushes[index] = CreateSolidBrush(colors.working[index]);
    InvalidateRect(page, nullptr, TRUE);
}

INT_PTR on_static_color(HDC dc, HWND control)
{
    SetBkMode(dc, TRANSPARENT);
    int id = GetDlgCtrlID(control);
    if (id == IDC_COLORS_HINT) return reinterpret_cast<INT_PTR>(colors.hint.light_yellow);
    int index = swatch_index(id);
    return index >= 0 ? reinterpret_cast<INT_PTR>(colors.brushes[index]) : FALSE;
}

void on_destroy()
{
    for (HBRUSH& brush : colors.brushes) DeleteObject(brush);
    free_dialog_brushes(colors.hint);
    colors = ColorsPage();
}
}  // namespace

INT_PTR CALLBACK colors_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: on_init(page); return TRUE;
    case WM_COMMAND: {
        int index = swatch_index(LOWORD(wparam));
        if (index < 0 || HIWORD(wparam) != STN_CLICKED) return FALSE;
        on_swatch(page, index);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: return on_static_color(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        for (int i = 0; i < 16; ++i) store_color(swatches[i].field, colors.working[i]);
        tell_owner(page, WM_OPTIONS_APPLIED);
        return applied(page);
    case WM_DESTROY: on_destroy(); return TRUE;
    default: return FALSE;
    }
}
