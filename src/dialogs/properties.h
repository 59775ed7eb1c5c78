// The property sheet "プロパティ" with its four pages.
#pragma once
#include <windows.h>

void show_properties(HWND owner, HINSTANCE instance);
