// The part of the start-up the first picture does not need: it waits until
// the calendar is painted and on the screen.
#pragma once
#include <windows.h>

// Done once: when the message queue is first empty, or before a message
// that may rely on it (a command, a click, a key), whichever comes first.
// The menu, the Run value, the notification icon, the day tooltips, COM
// for the shell, the folder's write check.
void finish_start(HWND window);
// Whether a message may rely on that part: its handling waits for it.
bool needs_finished_start(UINT message);
// COM's end, when the start had begun it.
void end_late_start();
