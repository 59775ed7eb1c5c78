// Entry point: one instance, one window, one message loop.
#include <windows.h>

#include "app/late_start.h"
#include "app/one_copy.h"
#include "app/shell.h"
#include "app/startup_trace.h"
#include "res/resource.h"
#include "settings/program_folder.h"

namespace {
const wchar_t class_name[] = L"Zured";
const DWORD main_ex_style = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;
const DWORD main_style = WS_POPUP | WS_CAPTION | WS_SYSMENU;

bool register_main_class(HINSTANCE instance)
{
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_DBLCLKS;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name;
    window_class.hIconSm = small_icon;
    return RegisterClassExW(&window_class) != 0;
}

// Once the queue is first empty the calendar is painted and on the screen
// (Wine, too, puts a window's picture out when its thread goes idle): the
// rest of the start-up comes then.
int run_message_loop(HWND window)
{
    MSG message;
    bool starting = true;
    for (;;) {
        if (starting && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            trace_stamp("queue empty");
            finish_start(window);
            trace_stamp("start finished");
            write_startup_trace();
            starting = false;
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    trace_stamp("wWinMain");
    restrict_dll_search();
    find_program_folder(instance);
    switch (claim_start()) {
    case claim_running_here: bring_running_forward(); return 0;
    case claim_folder_in_use: tell_folder_in_use(); return 0;
    case claim_first: break;
    }
    trace_stamp("start claimed");
    module_instance = instance;
    small_icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    HWND window = register_main_class(instance)
                      ? CreateWindowExW(main_ex_style, class_name, L"", main_style, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr)
                      : nullptr;
    if (!window) {
        DestroyIcon(small_icon);
        release_start_claim();
        return 0;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    // A shortcut set to start minimized makes that first show minimize a
    // window without a taskbar button: it is shown normally all the same.
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    UpdateWindow(window);
    int code = run_message_loop(window);
    end_late_start();
    release_start_claim();
    return code;
}
