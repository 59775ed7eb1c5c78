#include "view/dpi.h"

#include "platform/late_library.h"

namespace {
typedef UINT(WINAPI* DpiForWindow)(HWND);
typedef BOOL(WINAPI* AdjustForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
typedef int(WINAPI* MetricForDpi)(int, UINT);
typedef BOOL(WINAPI* ChangeBehavior)(HWND, DWORD, DWORD);

// The per-monitor calls of Windows 10 1607 and later, looked up once; null
// on older systems, which have one DPI for all.
struct DpiCalls {
    DpiForWindow dpi_for_window;
    AdjustForDpi adjust_for_dpi;
    MetricForDpi metric_for_dpi;
    ChangeBehavior change_behavior;
};

const DpiCalls& dpi_calls()
{
    static const DpiCalls calls = {
        late<DpiForWindow>(L"user32.dll", "GetDpiForWindow"),
        late<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi"),
        late<MetricForDpi>(L"user32.dll", "GetSystemMetricsForDpi"),
        late<ChangeBehavior>(L"user32.dll", "SetDialogControlDpiChangeBehavior"),
    };
    return calls;
}
}  // namespace

int window_dpi(HWND window)
{
    const DpiForWindow dpi_for_window = dpi_calls().dpi_for_window;
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
    const AdjustForDpi adjust_for_dpi = dpi_calls().adjust_for_dpi;
    RECT rect = {0, 0, client.cx, client.cy};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (!adjust_for_dpi || !adjust_for_dpi(&rect, style, FALSE, ex_style, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, ex_style);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int system_metric_at_dpi(int index, int dpi)
{
    const MetricForDpi metric_for_dpi = dpi_calls().metric_for_dpi;
    return metric_for_dpi ? metric_for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void keep_own_font(HWND control)
{
    const ChangeBehavior change_behavior = dpi_calls().change_behavior;
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
