// The colours of the days' numbers: from their kind and the options.
#pragma once
#include "calendar/holidays.h"
#include "settings/options.h"

// Red days (Sundays, holidays, days off) take the Sunday colour, Saturdays
// theirs, the other days the weekday colour.
ColorRef day_color(const DayKind& kind, const OptionsRecord& options);
// The colour of a weekday header's column (0 = Sunday).
ColorRef weekday_header_color(int column, const OptionsRecord& options);
