// The popup menu and the commands it sends.
#pragma once
#include <windows.h>

void handle_command(HWND window, WORD command);
void refresh_menu();
void apply_start_with_windows(HWND window);
