// Starting programs, documents and folders through the shell.
#pragma once
#include <windows.h>

#include <string>

// Opens a program, document or folder; tells the user when the shell
// refuses.
void launch(HWND window, const wchar_t* file, const wchar_t* parameters);

// The full path of a program of Windows, in its system folder (CALC.EXE,
// CONTROL.EXE) or in the Windows folder itself (EXPLORER.EXE): a bare name
// would run a file of that name from the working folder first.
std::wstring system_program(const wchar_t* name);
std::wstring windows_program(const wchar_t* name);
