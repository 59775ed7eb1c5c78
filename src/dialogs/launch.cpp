#include "dialogs/launch.h"

#include <shellapi.h>

#include "dialogs/error_box.h"

namespace {
typedef UINT(WINAPI* FolderFunction)(wchar_t*, UINT);

std::wstring in_folder(FolderFunction folder_of, const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    UINT length = folder_of(folder, MAX_PATH);
    // Without its folder the program is not started at all: never by the
    // bare name.
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    std::wstring path(folder, length);
    if (path.back() != L'\\') path += L'\\';
    return path + name;
}
}  // namespace

void launch(HWND window, const wchar_t* file, const wchar_t* parameters)
{
    HINSTANCE result = file[0] ? ShellExecuteW(GetDesktopWindow(), nullptr, file, parameters, nullptr, SW_SHOWNORMAL)
                               : nullptr;
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        tell_error(window, L"申し訳ありません。起動に失敗しました。");
}

std::wstring system_program(const wchar_t* name) { return in_folder(GetSystemDirectoryW, name); }
std::wstring windows_program(const wchar_t* name) { return in_folder(GetWindowsDirectoryW, name); }
