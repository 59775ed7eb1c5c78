// The common dialogs' font and colour pickers, loaded when first used:
// most runs never open them, and start-up stays lighter without them.
#pragma once
#include <windows.h>

#include <commdlg.h>

BOOL run_font_picker(CHOOSEFONTW* dialog);
BOOL run_color_picker(CHOOSECOLORW* dialog);
