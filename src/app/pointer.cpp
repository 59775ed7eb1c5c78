#include "app/pointer.h"

// The pointer actions need the hit test of the calendar view.
void double_click_action(HWND, int, int) {}
void right_button_action(HWND, int, int) {}
