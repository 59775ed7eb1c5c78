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
