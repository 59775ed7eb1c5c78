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
