// The visits window "明細" (108): a day's visits in a list, the fields of
// one visit below it with 追加, 更新 and 削除, and the day's sums. Modal,
// owned by the day entry dialog.
#pragma once
#include <windows.h>

#include "ledger/year_ledger.h"

// Edits the visits of a day of `value` (month 1..12, day 1..31). After
// OK they are in it with the amount and memo they give the day
// (set_day_visits), and true; after キャンセル nothing changed.
bool run_visits_window(HWND owner, LedgerYear& value, int month, int day);
