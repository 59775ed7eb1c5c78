// A 32-bit picture off the screen: what the program paints is composed in
// one and copied to the window in one transfer, so nothing half-drawn ever
// reaches the screen; the benchmarks and the tests paint into the same.
#pragma once
#include <windows.h>

#include <cstdint>

struct Offscreen {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    RECT client;
    uint32_t* pixels;  // 0x00RRGGBB, top row first
};

// False when there is no memory for it: the caller paints directly then.
bool make_offscreen(int width, int height, Offscreen& target);
void free_offscreen(Offscreen& target);
// A pixel as a COLORREF, for comparing with the program's colours.
COLORREF offscreen_pixel(const Offscreen& target, long x, long y);
