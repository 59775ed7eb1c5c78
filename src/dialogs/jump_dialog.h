// The jump to a typed date (170): the field starts with the selected day,
// selected, so typing replaces it; 今日 takes today. A text that is no
// date of the calendar is named under the field, which keeps the focus.
#pragma once
#include <windows.h>

#include "calendar/typed_date.h"

// True with the chosen date in `date`, which holds the selected day on
// entry; false when the user cancelled.
bool run_jump_dialog(HWND owner, TypedDate* date);
