// The program's message box for what went wrong: its caption is written
// here once.
#pragma once
#include <windows.h>

#include <string>

// Shows `text` under the error caption; the button pressed.
int tell_error(HWND owner, const std::wstring& text, UINT style = MB_OK | MB_ICONERROR);
