// An off-screen bitmap the benchmarks paint into, as the program does.
#pragma once
#include <windows.h>

struct Offscreen {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    RECT client;
};

inline Offscreen make_offscreen(int width, int height)
{
    HDC screen = GetDC(nullptr);
    Offscreen target;
    target.dc = CreateCompatibleDC(screen);
    target.bitmap = CreateCompatibleBitmap(screen, width, height);
    target.old = SelectObject(target.dc, target.bitmap);
    target.client = RECT{0, 0, width, height};
    ReleaseDC(nullptr, screen);
    return target;
}

inline void free_offscreen(Offscreen& target)
{
    SelectObject(target.dc, target.old);
    DeleteObject(target.bitmap);
    DeleteDC(target.dc);
}
