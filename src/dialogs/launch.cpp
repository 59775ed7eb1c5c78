#include "dialogs/launch.h"

#include <shellapi.h>

void launch(HWND window, const wchar_t* file, const wchar_t* parameters)
{
    HINSTANCE result = ShellExecuteW(GetDesktopWindow(), nullptr, file, parameters, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        MessageBoxW(window, L"申し訳ありません。起動に失敗しました。", L"エラーです。", MB_OK | MB_ICONERROR);
}
