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
void on_init(HWND page, LPARAM parameter)
{
    keep_page_record(page, parameter);
    ColorsPageRecord& colors = page_record<ColorsPageRecord>(page);
    // The custom colours sit at an odd offset of the record: an aligned copy.
    std::memcpy(colors.custom, options()->custom_colors, sizeof colors.custom);
    for (int i = 0; i < 16; ++i) {
        colors.working[i] = stored_color(swatches[i].field);
        colors.brushes[i] = CreateSolidBrush(colors.working[i]);
        make_focus_cell(GetDlgItem(page, swatches[i].id));
    }
    colors.hint = make_dialog_brushes();
}

void on_swatch(HWND page, int index)
{
    ColorsPageRecord& colors = page_record<ColorsPageRecord>(page);
    if (!pick_color(page, colors.working[index], colors.custom)) return;
    mark_page_changed(page);
    DeleteObject(colors.brushes[index]);
    colors.brushes[index] = CreateSolidBrush(colors.working[index]);
    InvalidateRect(page, nullptr, TRUE);
}

INT_PTR on_static_color(HWND page, HDC dc, HWND control)
{
    const ColorsPageRecord& colors = page_record<ColorsPageRecord>(page);
    SetBkMode(dc, TRANSPARENT);
    int id = GetDlgCtrlID(control);
    if (id == IDC_COLORS_HINT) return reinterpret_cast<INT_PTR>(colors.hint.light_yellow);
    int index = swatch_index(id);
    return index >= 0 ? reinterpret_cast<INT_PTR>(colors.brushes[index]) : FALSE;
}

void on_destroy(HWND page)
{
    ColorsPageRecord& colors = page_record<ColorsPageRecord>(page);
    for (HBRUSH& brush : colors.brushes) DeleteObject(brush);
    free_dialog_brushes(colors.hint);
}

// The colours chosen, and the custom colours the picker was left with.
void on_apply(HWND page)
{
    const ColorsPageRecord& colors = page_record<ColorsPageRecord>(page);
    for (int i = 0; i < 16; ++i) store_color(swatches[i].field, colors.working[i]);
    std::memcpy(options()->custom_colors, colors.custom, sizeof colors.custom);
}
}  // namespace

INT_PTR CALLBACK colors_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG: on_init(page, lparam); return TRUE;
    case WM_COMMAND: {
        int index = swatch_index(LOWORD(wparam));
        if (index < 0 || HIWORD(wparam) != STN_CLICKED) return FALSE;
        on_swatch(page, index);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: return on_static_color(page, reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_NOTIFY:
        if (!is_apply(lparam)) return FALSE;
        on_apply(page);
        tell_owner(page, WM_OPTIONS_APPLIED);
        return applied(page);
    case WM_DESTROY: on_destroy(page); return TRUE;
    default: return FALSE;
    }
}
