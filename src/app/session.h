// Shutdown, restart and log-off from the menu.
#pragma once
#include <windows.h>

#include <shellapi.h>

// Asks (unless the options say not to), saves the options, requests the
// end of the session and ends the program.
void end_session(HWND window, UINT exit_flags);

// The request itself: enable the shutdown privilege and call
// ExitWindowsEx. Ravo.exe links the real one; the tests link a stand-in
// that records the flags, so no test can end the session it runs in.
void request_session_end(UINT exit_flags);
// The shell's notification area, behind the same seam: the tests' stand-in
// can refuse the first additions, as a shell not yet ready at logon does.
BOOL notify_icon(DWORD message, NOTIFYICONDATAW* data);
