// Process-wide state of the application shell and its entry points.
#pragma once
#include <windows.h>

// Callback message of the notification-area icon.
#define WM_TRAYNOTIFY (WM_USER + 100)

extern HINSTANCE module_instance;
extern HWND main_window;
extern HICON small_icon;
extern HMENU popup_menu;
extern int user_hidden;

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Keeps a screen rectangle on the primary screen and records its top-left
// as the position of the current display mode. Nonzero when it moved.
int clamp_to_screen(HWND window, RECT& rect);
// Moves and sizes the window to a stored top-left, held on the screen.
void place_on_screen(HWND window, POINT stored, int width, int height);

// Saves the options and releases the long-lived resources.
void exit_cleanup(HWND window);

enum { tools_add = 0, tools_remove = 1, tools_switch = 2 };
// Loads the common controls and makes the day tooltips of the current view.
void start_day_tooltips(HWND window);
void sync_tooltip_tools(int kind);

// Records a top-left as the position of the current display mode.
void store_mode_position(POINT position);
