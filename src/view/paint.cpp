#include "view/paint.h"

#include "settings/options.h"
#include "view/small_display.h"

namespace {
// The calendar itself is drawn by the calendar view; until then the
// erased background is the whole picture.
void paint_calendar(HWND, HDC) {}
}  // namespace

void paint_window(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const OptionsRecord* o = options();
    if (!o->small_mode)
        paint_calendar(window, dc);
    else if (o->digital_clock)
        paint_digital_clock(window, dc);
    else
        paint_text_clock(window, dc);
    EndPaint(window, &paint);
}

void erase_background(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    HBRUSH brush = CreateSolidBrush(options()->background_color);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
}
