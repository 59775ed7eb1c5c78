#include "view/clock_text.h"

#include <cstdio>

namespace {
bool shows_date(int content) { return content != clock_time; }
bool shows_time(int content) { return content == clock_date_time || content == clock_time; }

void append(char16_t*& out, const char* ascii)
{
    while (*ascii) *out++ = static_cast<char16_t>(*ascii++);
}
}  // namespace

void format_small_line(char16_t* line, const DateRecord& now, int clock_content, int no_seconds)
{
    char16_t* out = line;
    char part[24];
    if (shows_date(clock_content)) {
        std::snprintf(part, sizeof part, "%02d/%02d/%02d(", now.year % 100, now.month, now.day);
        append(out, part);
        weekday_name(out, 1, now.weekday);
        while (*out) ++out;
        append(out, ")");
    }
    if (clock_content == clock_date_time) {
        if (no_seconds)
            std::snprintf(part, sizeof part, " %d:%02d", now.hour, now.minute);
        else
            std::snprintf(part, sizeof part, " %d:%02d:%02d", now.hour, now.minute, now.second);
        append(out, part);
    } else if (clock_content == clock_time) {
        if (no_seconds)
            std::snprintf(part, sizeof part, "%d:%02d", now.hour, now.minute);
        else
            std::snprintf(part, sizeof part, "%02d:%02d:%02d", now.hour, now.minute, now.second);
        append(out, part);
    }
    *out = 0;
}

int small_line_width(bool digital, int clock_content, int no_seconds, int D, int N, int A)
{
    int width;
    if (clock_content == clock_date_time)
        width = digital ? 13 * D + 4 * N : 21 * A;
    else if (clock_content == clock_time)
        width = digital ? 6 * D + 2 * N : 8 * A;
    else
        width = digital ? 7 * D + 2 * N : 12 * A;
    if (no_seconds && shows_time(clock_content)) width -= digital ? N + 2 * D : 3 * A;
    return width;
}

int digital_glyphs(int* glyphs, const DateRecord& now, int clock_content, int no_seconds)
{
    int count = 0;
    auto two_digits = [&](int value) {
        glyphs[count++] = value / 10 % 10;
        glyphs[count++] = value % 10;
    };
    if (shows_date(clock_content)) {
        two_digits(now.year % 100);
        glyphs[count++] = glyph_dash;
        two_digits(now.month);
        glyphs[count++] = glyph_dash;
        two_digits(now.day);
        glyphs[count++] = glyph_weekday_first + now.weekday;
    }
    if (shows_time(clock_content)) {
        two_digits(now.hour);
        glyphs[count++] = glyph_colon;
        two_digits(now.minute);
        if (!no_seconds) {
            glyphs[count++] = glyph_colon;
            two_digits(now.second);
        }
    }
    return count;
}
