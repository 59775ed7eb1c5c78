// Painting of the main window.
#pragma once
#include <windows.h>

void paint_window(HWND window);
void erase_background(HWND window, HDC dc);
