#include "view/layout.h"

#include "app/behaviour.h"
#include "app/menu.h"
#include "app/shell.h"
#include "settings/options.h"

namespace {
// Until the calendar is laid out from its font, the window has a fixed size.
const int placeholder_width = 224;
const int placeholder_height = 196;
}  // namespace

void refresh_layout()
{
    restart_clock_timer(main_window, options()->show_time);
    apply_title_style(main_window);
    refresh_menu();
    resize_for_mode(main_window);
}

void resize_for_mode(HWND window)
{
    RECT rect = {0, 0, placeholder_width, placeholder_height};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    POINT position = mode_position();
    OffsetRect(&rect, position.x - rect.left, position.y - rect.top);
    clamp_to_screen(window, rect);
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}
