// The display form of a ledger amount: "1,234", "-1,234", "0", and "±0"
// for the stored draw (-1).
#pragma once
#include <cstdint>

enum { amount_text_size = 15 };  // "-2,147,483,648" and its NUL

void format_amount(int32_t amount, char16_t* buffer);
