#include "view/dpi.h"

#include "platform/late_library.h"

int window_dpi(HWND window)
{
    // Windows 10 1607 and later; older systems have one DPI for all.
    static auto dpi_for_window = late<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    if (window && dpi_for_window) {
        if (UINT dpi = dpi_for_window(window)) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : base_dpi;
}

int scale_to_dpi(int length, int dpi) { return MulDiv(length, dpi, base_dpi); }

SIZE outer_size_at_dpi(HWND window, SIZE client, int dpi)
{
    // Windows 10 1607 and later know the frame of every DPI; before them
    // there is one.
    typedef BOOL(WINAPI * AdjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
    static auto adjust_for_dpi = late<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT rect = {0, 0, client.cx, client.cy};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!adjust_for_dpi || !adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int system_metric_at_dpi(int index, int dpi)
{
    static auto metric_for_dpi = late<int(WINAPI*)(int, UINT)>(L"user32.dll", "GetSystemMetricsForDpi");
    return metric_for_dpi ? metric_for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void keep_own_font(HWND control)
{
    typedef BOOL(WINAPI * ChangeBehavior)(HWND, DWORD, DWORD);
    static auto change_behavior = late<ChangeBehavior>(L"user32.dll", "SetDialogControlDpiChangeBehavior");
    const DWORD disable_font_update = 1;  // DCDC_DISABLE_FONT_UPDATE
    if (change_behavior && control) change_behavior(control, disable_font_update, disable_font_update);
}

void set_own_font(HWND dialog, int id, HFONT& held, HFONT made)
{
    HWND control = GetDlgItem(dialog, id);
    keep_own_font(control);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (held) DeleteObject(held);
    held = made;
}
