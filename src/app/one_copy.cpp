#include "app/one_copy.h"

#include <string>

#include "dialogs/error_box.h"
#include "platform/late_library.h"
#include "platform/win32_text.h"
#include "settings/program_folder.h"

namespace {
// The first start of the session holds it: a second start, however quick,
// finds it taken, before either has a window.
const wchar_t instance_mutex_name[] = L"Local\\Tovrel.Ravo.Zured";
const wchar_t lock_name[] = L"Ravo.lock";
const wchar_t main_class[] = L"Zured";

// What keeps a second copy off: the desktop's mutex and the folder's lock
// file, held for the whole run.
struct OneCopy {
    HANDLE instance_mutex;
    HANDLE folder_lock;
};
OneCopy held;

// A copy running as administrator makes a mutex this one may not open:
// that is a running copy too, not a first start.
bool another_copy_runs()
{
    held.instance_mutex = CreateMutexW(nullptr, FALSE, instance_mutex_name);
    const DWORD error = GetLastError();
    if (held.instance_mutex && error == ERROR_ALREADY_EXISTS) {
        CloseHandle(held.instance_mutex);
        held.instance_mutex = nullptr;
        return true;
    }
    return !held.instance_mutex && error == ERROR_ACCESS_DENIED;
}

// Held without sharing for the program's life and gone with it, even when
// the process is killed. Only a held lock refuses the start: a folder that
// takes no files is told about later, by the folder check.
bool take_folder_lock()
{
    const std::wstring path = utf8_to_wide(program_folder()) + lock_name;
    held.folder_lock = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (held.folder_lock != INVALID_HANDLE_VALUE) return true;
    held.folder_lock = nullptr;
    const DWORD error = GetLastError();
    return error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION;
}
}  // namespace

StartClaim claim_start()
{
    if (another_copy_runs()) return claim_running_here;
    if (!take_folder_lock()) {
        release_start_claim();
        return claim_folder_in_use;
    }
    return claim_first;
}

void release_start_claim()
{
    if (held.folder_lock) CloseHandle(held.folder_lock);
    if (held.instance_mutex) CloseHandle(held.instance_mutex);
    held.folder_lock = held.instance_mutex = nullptr;
}

// Waits a moment for the window: the first copy may still be starting.
void bring_running_forward()
{
    for (int waited = 0; waited <= 5000; waited += 50) {
        HWND running = FindWindowW(main_class, nullptr);
        if (!running) {
            Sleep(50);
            continue;
        }
        if (!IsWindowVisible(running)) return;
        if (IsIconic(running)) ShowWindowAsync(running, SW_RESTORE);
        // An open dialog keeps the keyboard: the calendar under it is
        // disabled, and keys sent there would act on it.
        SetForegroundWindow(GetLastActivePopup(running));
        return;
    }
}

void tell_folder_in_use()
{
    const std::wstring text = L"このフォルダの設定や記録は、別のユーザーなどが起動した Tovrel が使っています。\n\n" +
                              utf8_to_wide(program_folder()) +
                              L"\n\n二つの Tovrel で同じ記録を書き換えると、あとから保存した方だけが残ります。"
                              L"そちらの Tovrel を終了してから起動してください。";
    tell_error(nullptr, text, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

void restrict_dll_search()
{
    // Windows 8, and 7 with its 2011 update; older systems keep their order.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFunction)(DWORD);
    if (auto restrict_to = late<SetDefaultDllDirectoriesFunction>(L"kernel32.dll", "SetDefaultDllDirectories"))
        restrict_to(LOAD_LIBRARY_SEARCH_SYSTEM32);
}
