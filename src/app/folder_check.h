// Start-up's look at the program folder, where everything is kept.
#pragma once
#include <windows.h>

// Tells the user once, plainly, when the folder cannot be written to, and
// where Windows kept the files of an older copy when it has them.
void check_program_folder(HWND window);
