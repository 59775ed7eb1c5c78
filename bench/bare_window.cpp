// The least program that shows the calendar's window: the same class
// styles, window styles and size, the background filled and 38 numbers
// drawn, and the notification icon beside it; nothing else. The yardstick
// of the start-up benchmark.
#include <windows.h>

#include <shellapi.h>

namespace {
const int width = 222;   // the month view with the default font here
const int height = 262;

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
            RECT cell = {(i % 7) * 30, (i / 7) * 30, (i % 7) * 30 + 30, (i / 7) * 30 + 30};
            wchar_t text[4];
            wsprintfW(text, L"%d", i + 1);
            DrawTextW(dc, text, -1, &cell, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
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
    HWND window = CreateWindowExW(0x289, L"BareZured", L"Tovrel", WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 300,
                                  width, height, nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(icon.szTip, L"2009/12/06(日)");
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    Shell_NotifyIconW(NIM_ADD, &icon);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
