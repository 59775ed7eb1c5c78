#include "dialogs/error_box.h"

int tell_error(HWND owner, const std::wstring& text, UINT style)
{
    return MessageBoxW(owner, text.c_str(), L"エラーです。", style);
}
