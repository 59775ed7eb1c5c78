// The real end of the session and the real notification area, linked
// into Ravo.exe only.
#include "app/session.h"

void request_session_end(UINT exit_flags)
{
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid);
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        CloseHandle(token);
    }
    ExitWindowsEx(exit_flags, 0);
}

BOOL notify_icon(DWORD message, NOTIFYICONDATAW* data) { return Shell_NotifyIconW(message, data); }
