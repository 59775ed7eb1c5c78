// The least program that shows the calendar's window: the same class
// styles, window styles and client size, the same manifest, the background
// filled and 38 numbers drawn, and a notification icon beside it; nothing
// else. The yardstick of the start-up benchmarks.
#include <windows.h>

#include <shellapi.h>

namespace {
const int cell = 36;  // the month view with the default font at 96 DPI
const int client_width = 7 * cell;
const int client_height = 7 * cell;
const DWORD ex_style = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        SetDCBrushColor(dc, RGB(0x88, 0xC0, 0xB8));
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        for (int i = 0; i < 38; ++i) {
            RECT box = {(i % 7) * cell, (i / 7 + 1) * cell, (i % 7 + 1) * cell, (i / 7 + 2) * cell};
            wchar_t text[4];
            wsprintfW(text, L"%d", i + 1);
            DrawTextW(dc, text, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wparam, lparam);
    }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"BareZured";
    RegisterClassExW(&window_class);
    RECT frame = {0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    HWND window = CreateWindowExW(ex_style, L"BareZured", L"Tovrel", style, 300, 300, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    lstrcpyW(icon.szTip, L"2009/12/06(日)");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
