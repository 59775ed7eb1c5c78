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
bool finished;
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

void load_popup_menu()
{
    HMENU menu = LoadMenuW(module_instance, MAKEINTRESOURCEW(IDR_POPUP_MENU));
    popup_menu = GetSubMenu(menu, 0);
}
}  // namespace

void finish_start(HWND window)
{
    if (finished || !IsWindow(window)) return;
    finished = true;
    // The shell takes tens of milliseconds over the icon.
    update_tray_icon(window, 1);
    start_day_tooltips(window);
    // Its All Users item asks the shell for a folder.
    load_popup_menu();
    refresh_menu();
    apply_start_with_windows(window);
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
