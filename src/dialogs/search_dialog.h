// The search of every year's memos and visits (171): how many days hold
// the text shows as one types (a pause of the typing starts the count),
// and 一覧 lists them in the days window, where Enter opens a day.
#pragma once
#include <windows.h>

void run_search_dialog(HWND owner);
