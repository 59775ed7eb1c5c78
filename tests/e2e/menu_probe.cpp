// Loaded into Ravo.exe by a hook on its thread: reads the open popup menu
// there (menus cannot be read from another process under Wine) and writes
// it to menu-probe.txt beside the exe, one item per line: id, state, text.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
void write_open_menu()
{
    HWND popup = FindWindowW(L"#32768", nullptr);
    HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"menu-probe.txt";
    FILE* out = _wfopen(file.c_str(), L"wb");
    if (!out) return;
    int count = menu ? GetMenuItemCount(menu) : -1;
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = L"";
        MENUITEMINFOW item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 128;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item);
        bool separator = item.fType & MFT_SEPARATOR;
        wchar_t line[256];
        wsprintfW(line, L"%u|%s%s%s|%s\n", separator ? 0 : item.wID, separator ? L"separator" : L"",
                  item.fState & MFS_CHECKED ? L"checked" : L"", item.fState & MFS_GRAYED ? L"grayed" : L"", text);
        char utf8[768];
        int length = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8, nullptr, nullptr);
        if (length > 1) fwrite(utf8, 1, static_cast<size_t>(length - 1), out);
    }
    fclose(out);
    EndMenu();
}
}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probe_hook(int code, WPARAM wparam, LPARAM lparam)
{
    static const UINT probe_message = RegisterWindowMessageW(L"RavoMenuProbe");
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lparam)->message == probe_message) write_open_menu();
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
