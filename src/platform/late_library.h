// System libraries loaded when first used: start-up does not pay for what
// most runs never need (the common dialogs) or need only after the first
// paint (the common controls).
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

FARPROC late_function(const wchar_t* library, const char* name);
// The same as a function of its own type; null when the system lacks it
// (an older Windows).
template <typename Function>
Function late(const wchar_t* library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(late_function(library, name)));
}

// Loads the common controls (version 6 by the manifest) and registers
// their window classes. Safe to call again.
void init_common_controls();

INT_PTR run_property_sheet(PROPSHEETHEADERW* header);
BOOL run_font_picker(CHOOSEFONTW* dialog);
BOOL run_color_picker(CHOOSECOLORW* dialog);
