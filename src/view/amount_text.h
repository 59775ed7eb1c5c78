// The display form of a ledger amount: "1,234", "-1,234", "0", and "±0"
// for the stored draw (-1).
#pragma once
#include <cstdint>

enum {
    amount_text_size = 15,        // "-2,147,483,648" and its NUL
    large_amount_text_size = 27,  // any 64-bit sum with its commas
};

void format_amount(int32_t amount, char16_t* buffer);
// Sums of many years go beyond 32 bits: the same form for any 64-bit value
// (-1 is "±0" here too).
void format_large_amount(int64_t amount, char16_t* buffer);
// Sums, averages and counts of an analysis: the same form, but -1 is a
// real amount there and reads "-1".
void format_sum(int64_t amount, char16_t* buffer);

// The calendar's signed forms of an amount or a sum: whole, "+15,000",
// "−15,000", "±0" for nothing either way; or in 万 with one decimal,
// "+1.5万", "−12.3万". A day's stored draw (-1) is given as 0.
enum { signed_amount_text_size = 29 };  // a 64-bit sum, its sign and NUL
void format_signed_amount(int64_t amount, char16_t* buffer);
void format_man_amount(int64_t amount, char16_t* buffer);
// A day's amount as the calendar shows it: its stored draw is "±0".
int64_t shown_day_amount(int32_t amount);

// The characters the signed forms are made of.
inline constexpr char16_t amount_glyphs[] = u"0123456789,.+\u2212±万";
enum { amount_glyph_count = sizeof amount_glyphs / sizeof amount_glyphs[0] - 1 };
// The width of a text of those characters, given each one's width.
int amount_glyphs_width(const char16_t* text, const int (&widths)[amount_glyph_count]);

// The width a text takes in some face, in pixels.
typedef int (*MeasureText)(const char16_t* text, void* context);
// The whole form where it fits `width`, else the form in 万 (when that is
// narrower).
void fitted_amount(int64_t amount, int width, MeasureText measure, void* context, char16_t* buffer);
