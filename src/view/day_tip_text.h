// The tip of a day of the calendar on plain values: its date and holiday,
// amount, memo and visits. Portable, so it is tested natively.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ledger/visits.h"

enum {
    // A tooltip takes at most this many characters of a text it is handed.
    day_tip_max_length = 1023,
    day_tip_visit_lines = 5,
    // A kind, place or game longer than this is cut, so that a line fits
    // the tip's width.
    day_tip_name_chars = 12,
};

struct DayTip {
    int year, month, day;
    std::u16string holiday;  // its holiday's or day-off's name, or empty
    int32_t amount;          // as stored: 0 nothing entered, -1 the draw ±0
    std::u16string memo;
    std::vector<Visit> visits;  // the day's, in their order
};

// "2009/12/23(水) 天皇誕生日", "収支 +15,000", the memo, then a visit a line
// ("パチンコ ABCホール 海物語 +15,000"), at most five, then "ほか N 件".
// Empty for a day with nothing recorded. A text longer than max_length
// shows fewer visits (counted in "ほか N 件"), then is cut.
std::u16string day_tip_text(const DayTip& day, size_t max_length = day_tip_max_length);
