#include "view/offscreen.h"

bool make_offscreen(int width, int height, Offscreen& target)
{
    target = Offscreen();
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    target.dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    if (target.dc) target.bitmap = CreateDIBSection(target.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!target.bitmap) {
        if (target.dc) DeleteDC(target.dc);
        target = Offscreen();
        return false;
    }
    target.old = SelectObject(target.dc, target.bitmap);
    target.client = RECT{0, 0, width, height};
    target.pixels = static_cast<uint32_t*>(bits);
    return true;
}

void free_offscreen(Offscreen& target)
{
    if (!target.dc) return;
    SelectObject(target.dc, target.old);
    DeleteObject(target.bitmap);
    DeleteDC(target.dc);
    target = Offscreen();
}

COLORREF offscreen_pixel(const Offscreen& target, long x, long y)
{
    GdiFlush();
    uint32_t pixel = target.pixels[y * target.client.right + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
