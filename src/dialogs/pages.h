// The pages of the property sheet, and what they share.
#pragma once
#include <windows.h>

#include "dialogs/color_picker.h"
#include "view/draw.h"

INT_PTR CALLBACK options_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK colors_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK format_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK limits_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK version_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// What a page works on: owned by whoever opens the sheet and given to the
// page through its PROPSHEETPAGE.lParam.
struct ColorsPageRecord {
    COLORREF working[16];  // the swatches, stored when the sheet applies
    COLORREF custom[custom_color_count];  // the picker's, stored with them
    HBRUSH brushes[16];
    DialogBrushes hint;
};
struct VersionPageRecord {
    DialogBrushes brushes;
};
// At WM_INITDIALOG: the record the page was given, kept with the page.
void keep_page_record(HWND page, LPARAM init_parameter);
template <typename Record>
Record& page_record(HWND page)
{
    return *reinterpret_cast<Record*>(GetWindowLongPtrW(page, DWLP_USER));
}

// Tells the sheet a page changed, which enables its Apply button.
void mark_page_changed(HWND page);
// True for the sheet's apply notification.
bool is_apply(LPARAM lparam);
// Answers the apply notification: no error.
INT_PTR applied(HWND page);
