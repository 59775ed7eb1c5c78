#include "view/small_display.h"

#include "app/shell.h"

namespace {
// Until the small display is built: the client size of its widest line.
const int line_width = 244;
const int line_height = 21;
}  // namespace

// The glyph bitmaps and the clock faces come with the small display.
void prepare_glyphs() {}
void free_glyphs() {}
void paint_digital_clock(HDC, const RECT&) {}
void paint_text_clock(HDC, const RECT&) {}

void size_small_display(HWND window)
{
    RECT rect = {0, 0, line_width, line_height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    POINT position = mode_position();
    OffsetRect(&rect, position.x - rect.left, position.y - rect.top);
    clamp_to_screen(window, rect);
    MoveWindow(window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}
