// Size and place of the main window for the current display mode.
#pragma once
#include <windows.h>

// The one step after any change of what is shown.
void refresh_layout();
void resize_for_mode(HWND window);
