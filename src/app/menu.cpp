#include "app/menu.h"

#include "res/resource.h"

void handle_command(HWND window, WORD command)
{
    switch (command) {
    case IDM_EXIT:
        DestroyWindow(window);
        break;
    default:  // the other commands arrive with their features
        break;
    }
}

void refresh_menu() {}

void apply_start_with_windows(HWND) {}
