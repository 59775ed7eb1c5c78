// Loaded into Ravo.exe by a hook on its thread, it reads there what cannot
// be read from another process under Wine, and writes it beside the exe:
//   wparam 1: the open popup menu to menu-probe.txt, one item per line:
//             id, state (checked, grayed, default), text;
//   wparam 2: the visible tooltip to tooltip-probe.txt: its tool id and
//             the text the tool's window gives for it ("" when none shows);
//   wparam 3: the tab titles of the property sheet to tabs-probe.txt, one
//             per line;
//   wparam 4: the window dragged onto a 150 % screen as Windows does it:
//             asked its size there, then moved to the suggested rectangle;
//             dpi-probe.txt gets "answered cx cy width height";
//   wparam 5: what the analysis window shows against the room it has, to
//             fit-probe.txt: "need|room|what" per list (its columns), per
//             visible cell (text and the list's padding) of each table,
//             shown or not, and per figure;
//   wparam 6: the analysis window moved to 192 DPI (WM_DPICHANGED);
//   wparam 7: the rows of the visible lists of the analysis window, the
//             days list, the visits window and the restore dialog to
//             lists-probe.txt, a line each: "id|cell|cell|...".
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
FILE* open_beside_exe(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path, length);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + name;
    return _wfopen(file.c_str(), L"wb");
}

void write_utf8(FILE* out, const wchar_t* line)
{
    char utf8[4096];
    int length = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof utf8, nullptr, nullptr);
    if (length > 1) fwrite(utf8, 1, static_cast<size_t>(length - 1), out);
}

void write_open_menu()
{
    HWND popup = FindWindowW(L"#32768", nullptr);
    HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
    FILE* out = open_beside_exe(L"menu-probe.txt");
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
        wsprintfW(line, L"%u|%s%s%s%s|%s\n", separator ? 0 : item.wID, separator ? L"separator" : L"",
                  item.fState & MFS_CHECKED ? L"checked" : L"", item.fState & MFS_GRAYED ? L"grayed" : L"",
                  item.fState & MFS_DEFAULT ? L"default" : L"", text);
        write_utf8(out, line);
    }
    fclose(out);
    EndMenu();
}

BOOL CALLBACK find_visible_tooltip(HWND window, LPARAM found)
{
    wchar_t name[32];
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId() && IsWindowVisible(window) && GetClassNameW(window, name, 32) &&
        lstrcmpW(name, TOOLTIPS_CLASSW) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void write_tooltip(HWND main_window)
{
    HWND tooltip = nullptr;
    EnumWindows(find_visible_tooltip, reinterpret_cast<LPARAM>(&tooltip));
    FILE* out = open_beside_exe(L"tooltip-probe.txt");
    if (!out) return;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    if (tooltip && SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        // Ask the tool's window for the text exactly as the control does.
        NMTTDISPINFOW request = {};
        request.hdr.hwndFrom = tooltip;
        request.hdr.idFrom = tool.uId;
        request.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(tool.hwnd ? tool.hwnd : main_window, WM_NOTIFY, tool.uId, reinterpret_cast<LPARAM>(&request));
        const std::wstring line = std::to_wstring(tool.uId) + L"|" + (request.lpszText ? request.lpszText : request.szText);
        write_utf8(out, line.c_str());
    }
    fclose(out);
}
void write_sheet_tabs()
{
    HWND sheet = FindWindowW(L"#32770", L"プロパティ");
    HWND tabs = sheet ? FindWindowExW(sheet, nullptr, WC_TABCONTROLW, nullptr) : nullptr;
    FILE* out = open_beside_exe(L"tabs-probe.txt");
    if (!out) return;
    int count = tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        wchar_t title[64] = L"";
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        wchar_t line[80];
        wsprintfW(line, L"%s\n", title);
        write_utf8(out, line);
    }
    fclose(out);
}

void write_scaled_size(HWND window)
{
    SIZE answer = {};
    LRESULT answered = SendMessageW(window, WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&answer));
    RECT rect;
    GetWindowRect(window, &rect);
    RECT suggested = {rect.left, rect.top, rect.left + answer.cx, rect.top + answer.cy};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &rect);
    FILE* out = open_beside_exe(L"dpi-probe.txt");
    if (!out) return;
    fprintf(out, "%d %ld %ld %ld %ld", static_cast<int>(answered), answer.cx, answer.cy, rect.right - rect.left,
            rect.bottom - rect.top);
    fclose(out);
}

// "need|room|what id row column": a cell's text with the list's padding
// against its column, the columns against the list, a figure's text
// against its box.
void write_list_fit(FILE* out, HWND list, int padding)
{
    RECT client;
    GetClientRect(list, &client);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int id = GetDlgCtrlID(list), top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
    const int rows = std::min<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0),
                                   SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) - top);
    int sum = 0;
    for (int column = 0; column < SendMessageW(header, HDM_GETITEMCOUNT, 0, 0); ++column) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        sum += width;
        for (int row = top; row < top + rows; ++row) {
            wchar_t text[64] = L"";
            LVITEMW item = {};
            item.iSubItem = column, item.pszText = text, item.cchTextMax = 64;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            LRESULT need = SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)) + padding;
            fprintf(out, "%d|%d|cell %d %d %d\n", static_cast<int>(need), width, id, row, column);
        }
    }
    fprintf(out, "%d|%ld|columns %d\n", sum, client.right, id);
}

void write_text_fit(FILE* out, HWND control)
{
    wchar_t text[64] = L"";
    const int length = GetWindowTextW(control, text, 64);
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, length, &size);
    ReleaseDC(control, dc);
    RECT client;
    GetClientRect(control, &client);
    fprintf(out, "%ld|%ld|text %d\n", size.cx, client.right, GetDlgCtrlID(control));
}

void write_analysis_fit()
{
    HWND dialog = FindWindowW(L"#32770", L"収支分析");
    FILE* out = open_beside_exe(L"fit-probe.txt");
    if (!dialog || !out) return;
    const int padding = MulDiv(12, GetDpiForWindow(dialog), 96);
    for (int id : {1303, 1304, 1311, 1312, 1313}) write_list_fit(out, GetDlgItem(dialog, id), padding);
    for (int id = 1320; id < 1380; ++id)
        if (HWND control = GetDlgItem(dialog, id)) write_text_fit(out, control);
    fclose(out);
}

BOOL CALLBACK write_visible_list(HWND child, LPARAM out)
{
    wchar_t name[32] = L"";
    GetClassNameW(child, name, 32);
    if (lstrcmpW(name, WC_LISTVIEWW) != 0 || !IsWindowVisible(child)) return TRUE;
    HWND header = reinterpret_cast<HWND>(SendMessageW(child, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < SendMessageW(child, LVM_GETITEMCOUNT, 0, 0); ++row) {
        std::wstring line = std::to_wstring(GetDlgCtrlID(child));
        for (int column = 0; column < columns; ++column) {
            wchar_t text[128] = L"";
            LVITEMW item = {};
            item.iSubItem = column, item.pszText = text, item.cchTextMax = 128;
            SendMessageW(child, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            line += L"|" + std::wstring(text);
        }
        write_utf8(reinterpret_cast<FILE*>(out), (line + L"\n").c_str());
    }
    return TRUE;
}

void write_lists()
{
    FILE* out = open_beside_exe(L"lists-probe.txt");
    if (!out) return;
    for (const wchar_t* caption : {L"収支分析", L"日の一覧", L"明細", L"バックアップから戻す"})
        if (HWND dialog = FindWindowW(L"#32770", caption)) EnumChildWindows(dialog, write_visible_list, reinterpret_cast<LPARAM>(out));
    fclose(out);
}

void move_analysis_to_192_dpi()
{
    HWND dialog = FindWindowW(L"#32770", L"収支分析");
    RECT suggested;
    GetWindowRect(dialog, &suggested);
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
}
}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probe_hook(int code, WPARAM wparam, LPARAM lparam)
{
    static const UINT probe_message = RegisterWindowMessageW(L"RavoMenuProbe");
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
    if (code == HC_ACTION && call->message == probe_message) {
        if (call->wParam == 1) write_open_menu();
        if (call->wParam == 2) write_tooltip(call->hwnd);
        if (call->wParam == 3) write_sheet_tabs();
        if (call->wParam == 4) write_scaled_size(call->hwnd);
        if (call->wParam == 5) write_analysis_fit();
        if (call->wParam == 6) move_analysis_to_192_dpi();
        if (call->wParam == 7) write_lists();
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
