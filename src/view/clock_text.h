// The line of the small display and its width, on plain values.
// Portable, so it is tested natively.
#pragma once

#include "calendar/dates.h"

enum { clock_date = 0, clock_date_time = 1, clock_time = 2 };
enum { small_line_size = 40 };

// "09/12/06(日) 9:05:07" and its shorter forms; a damaged clock_content
// shows the date.
void format_small_line(char16_t* line, const DateRecord& now, int clock_content, int no_seconds);

// Width of the line: in glyphs of digit width D and narrow width N for the
// digital look, in average characters A for the text look.
int small_line_width(bool digital, int clock_content, int no_seconds, int digit_width, int narrow_width,
                     int average_char_width);

// The glyphs of the digital look in order of placement (indexes 0..9 the
// digits, 10..16 the weekdays, 17 the colon, 18 the dash); their count.
int digital_glyphs(int* glyphs, const DateRecord& now, int clock_content, int no_seconds);

enum { glyph_weekday_first = 10, glyph_colon = 17, glyph_dash = 18, glyph_count = 22 };
