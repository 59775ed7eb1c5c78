// Starting programs, documents and folders through the shell.
#pragma once
#include <windows.h>

// Opens a program, document or folder; tells the user when the shell
// refuses.
void launch(HWND window, const wchar_t* file, const wchar_t* parameters);
