// The pocket calculator of the day entry dialog, on plain values.
// Portable, so its arithmetic is tested natively.
#pragma once
#include <cstdint>

enum CalcKey {
    key_digit_0 = 200,  // 200..209: digits 0..9
    key_thousand = 210, // "000"
    key_clear = 1003,
    key_plus = 1004,
    key_minus = 1005,
    key_equals = 1006,
    key_negate = 1007,
    key_backspace = 1008,
    key_divide = 1010,
    key_multiply = 1011,
    key_draw = 1205,    // "±0": the stored draw, -1
};

struct CalcState {
    int32_t calc_entry;    // the display; what OK stores
    int32_t calc_operand;  // left operand of the pending operator
    int32_t calc_pending;  // the pending operator's key
    int32_t calc_fresh;    // 1: the next digit starts a new number
    int32_t calc_negative; // 1: a leading minus was typed; digits go below zero
};

// The one calculator of the program; lives as long as it.
CalcState* calculator();

// Opening the dialog on a stored amount: it is shown, and a first digit
// replaces it while a first operator works on it.
void calc_open(CalcState& state, int32_t stored_amount);

// Applies a key. False when the result would not fit in 32 bits: the
// display then keeps its value (the dialog tells the user).
bool calc_press(CalcState& state, int key);

// The key a typed character presses, 0 for none: digits and operators in
// their narrow and full-width forms, and the dashes and dots the Japanese
// input method gives for the minus and slash keys.
int typed_char_key(uint32_t code);

// The pending operator on 64 bits.
int64_t apply_operator(int32_t operand, int32_t pending, int32_t entry);
