// The pages of the property sheet, and what they share.
#pragma once
#include <windows.h>

INT_PTR CALLBACK options_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK colors_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK format_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK limits_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK version_page_procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// Tells the sheet a page changed, which enables its Apply button.
void mark_page_changed(HWND page);
// True for the sheet's apply notification.
bool is_apply(LPARAM lparam);
// Answers the apply notification: no error.
INT_PTR applied(HWND page);
