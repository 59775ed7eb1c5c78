// The program's private window messages, in one block so no two share a
// number. 1124 is the notification icon's callback message of old.
#pragma once
#include <windows.h>

// The notification icon's callback (lparam: the mouse message).
#define WM_TRAYNOTIFY (WM_USER + 100)
// A year of the ledger changed (wparam: the year): whoever shows its
// figures reads it again.
#define WM_LEDGER_CHANGED (WM_APP + 1)
// The property sheet applied the options: everything follows them.
#define WM_OPTIONS_APPLIED (WM_APP + 2)
// Posted by a window to itself (the year dialog, the day entry, the
// analysis window, the calendar at start-up): it shows first, then tells
// what could not be read.
#define WM_TELL_UNREADABLE (WM_APP + 3)
// Posted by the calendar to itself at start-up: Ravo.ini could not be read;
// told once the window shows.
#define WM_TELL_LIMITS_DAMAGED (WM_APP + 4)
// Sent by a dialog to the calendar after a save that changed a year
// (lparam: the const UndoStep* of what it changed): it can be taken back.
#define WM_LEDGER_STEP (WM_APP + 5)
