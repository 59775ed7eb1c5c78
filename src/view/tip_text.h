// The tip of the notification icon on plain values. Portable, so it is
// tested natively.
#pragma once
#include <cstddef>
#include <string>

#include "calendar/dates.h"
#include "ledger/results.h"
#include "settings/limits.h"

// The shell's first form of the icon record holds 64 characters with the
// NUL.
enum { tip_max_length = 63 };

// "2009/12/06(日)": a date with its weekday.
std::u16string date_line(const DateRecord& date);
// "2009/12/23(水)\n天皇誕生日\n今月 +35,200 (4勝2敗1分)": today's date, its
// holiday name when it has one, and the month's balance so far with its
// counts, then where it stands against the monthly limit ("上限まで 12,000"
// once within the warning share, "上限超過" past it). A text longer than
// max_length loses the end of the holiday name first, then the name's line.
std::u16string tray_tip_text(const DateRecord& today, const std::u16string& holiday, const ResultSummary& month_so_far,
                             const LossLimits& limits, size_t max_length = tip_max_length);
// 「今月 −32,985／上限 30,000（超過）」: the month's balance with its sign
// against the monthly limit, 超過 once past it; empty without a limit.
std::u16string month_limit_line(int64_t balance, const LossLimits& limits);
// That note alone: empty while the balance is clear of the warning share.
std::u16string limit_note(int64_t balance, const LossLimits& limits);
