#include "app/late_start.h"

#include <objbase.h>

#include "app/behaviour.h"
#include "app/day_tooltips.h"
#include "app/folder_check.h"
#include "app/menu.h"
#include "app/shell.h"
#include "platform/late_library.h"
#include "res/resource.h"

namespace {
// The thread's COM, begun by the start and ended after the message loop,
// when the window and its record are gone.
bool shell_com;

// The shell opens documents through COM handlers (Windows 11 does for
// .txt and .ini): the thread that launches them takes part in COM.
typedef HRESULT(WINAPI* CoInitializeExFunction)(void*, DWORD);
typedef void(WINAPI* CoUninitializeFunction)();

bool start_shell_com()
{
    auto initialize = late<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx");
    return initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

HMENU load_popup_menu()
{
    HMENU menu = GetSubMenu(LoadMenuW(module_instance, MAKEINTRESOURCEW(IDR_POPUP_MENU)), 0);
    // In bold: the way to record a day, what a newcomer looks for first.
    SetMenuDefaultItem(menu, IDM_ENTER_DAY, FALSE);
    return menu;
}
}  // namespace

void finish_start(HWND window)
{
    MainWindow* main_window = IsWindow(window) ? find_main_window(window) : nullptr;
    if (!main_window || main_window->start_finished) return;
    main_window->start_finished = true;
    // The shell takes tens of milliseconds over the icon.
    update_tray_icon(*main_window, 1);
    start_day_tooltips(*main_window);
    // Its All Users item asks the shell for a folder.
    main_window->popup_menu = load_popup_menu();
    refresh_menu(*main_window);
    apply_start_with_windows(*main_window);
    shell_com = start_shell_com();
    check_program_folder(window);
}

bool needs_finished_start(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_CLOSE:
    case WM_TIMER:
    case WM_TIMECHANGE:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_TRAYNOTIFY:
    case WM_LEDGER_CHANGED:
    case WM_OPTIONS_APPLIED: return true;
    default: return message == taskbar_created_message();
    }
}

void end_late_start()
{
    if (!shell_com) return;
    if (auto uninitialize = late<CoUninitializeFunction>(L"ole32.dll", "CoUninitialize")) uninitialize();
    shell_com = false;
}
