// The least program that opens Ravo.exe's dialogs: the same templates,
// opened by the same commands and keys, with the controls the program adds
// itself (the analysis chart's tooltip and its twelve tools, the columns of
// its five lists), the sheet's shared icon and the day entry's keyboard
// hook, and nothing else: no text, no colours, no fonts. The yardstick of
// the dialog memory benchmark.
#include <windows.h>

#include <commctrl.h>
#include <initializer_list>
#include <prsht.h>

#include "../src/res/resource.h"

namespace {
HINSTANCE instance;

INT_PTR CALLBACK plain_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK plain_page(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

LRESULT CALLBACK pass_on(int code, WPARAM wparam, LPARAM lparam) { return CallNextHookEx(nullptr, code, wparam, lparam); }

// A hook for the dialog's life, as the day entry sets for typed keys.
INT_PTR CALLBACK hooked_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    static HHOOK hook;
    if (message == WM_INITDIALOG) hook = SetWindowsHookExW(WH_MSGFILTER, pass_on, nullptr, GetCurrentThreadId());
    if (message == WM_DESTROY && hook) UnhookWindowsHookEx(hook);
    return plain_dialog(dialog, message, wparam, lparam);
}

void add_columns(HWND dialog, int id, int count)
{
    for (int i = 0; i < count; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 40;
        column.pszText = const_cast<wchar_t*>(L"列");
        SendDlgItemMessageW(dialog, id, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void add_bar_tools(HWND dialog)
{
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                   instance, nullptr);
    for (int i = 0; i < 12; ++i) {
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = GetDlgItem(dialog, IDC_ANALYSIS_CHART);
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.rect = RECT{i * 20, 0, i * 20 + 20, 200};
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

INT_PTR CALLBACK analysis_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != WM_INITDIALOG) return plain_dialog(dialog, message, wparam, lparam);
    add_columns(dialog, IDC_ANALYSIS_WEEKDAYS, 7);
    add_columns(dialog, IDC_ANALYSIS_TAGS, 6);
    for (int list : {IDC_ANALYSIS_CATEGORIES, IDC_ANALYSIS_PLACES, IDC_ANALYSIS_GAMES}) add_columns(dialog, list, 9);
    add_bar_tools(dialog);
    return TRUE;
}

PROPSHEETPAGEW page(int dialog, const wchar_t* title)
{
    PROPSHEETPAGEW description = {};
    description.dwSize = sizeof description;
    description.dwFlags = PSP_USETITLE;
    description.hInstance = instance;
    description.pszTemplate = MAKEINTRESOURCEW(dialog);
    description.pszTitle = title;
    description.pfnDlgProc = plain_page;
    return description;
}

void show_sheet(HWND owner)
{
    PROPSHEETPAGEW pages[5] = {page(IDD_OPTIONS_PAGE, L"オプション"), page(IDD_COLORS_PAGE, L"表示色"),
                               page(IDD_FORMAT_PAGE, L"表示形式"), page(IDD_LIMITS_PAGE, L"収支"),
                               page(IDD_VERSION_PAGE, L"ﾊﾞｰｼﾞｮﾝ情報")};
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USEHICON;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    header.pszCaption = L"プロパティ";
    header.nPages = 5;
    header.ppsp = pages;
    PropertySheetW(&header);
}

void open(HWND window, int dialog, DLGPROC procedure)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(dialog), window, procedure, 0);
}

void on_command(HWND window, int id)
{
    switch (id) {
    case IDM_YEAR_INFO: open(window, IDD_YEAR_INFO, plain_dialog); break;
    case IDM_ANALYSIS: open(window, IDD_ANALYSIS, analysis_dialog); break;
    case IDM_PROPERTIES: show_sheet(window); break;
    case IDM_EXIT: DestroyWindow(window); break;
    default: break;
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_COMMAND: on_command(window, LOWORD(wparam)); return 0;
    case WM_KEYDOWN:
        if (wparam == VK_RETURN) open(window, IDD_DAY_ENTRY, hooked_dialog);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}

void register_class(const wchar_t* name, WNDPROC window_procedure)
{
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int)
{
    instance = module;
    INITCOMMONCONTROLSEX classes = {sizeof classes,
                                    ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    register_class(L"DialogFloor", procedure);
    register_class(L"RavoAnalysisChart", DefWindowProcW);  // the chart, without its drawing
    HWND window = CreateWindowExW(0, L"DialogFloor", L"Floor", WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 300, 222,
                                  262, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
