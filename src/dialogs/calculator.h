// The pocket calculator of the day entry dialog, on plain values.
// Portable, so its arithmetic is tested natively.
#pragma once
#include <cstdint>

#include "res/resource.h"

// A key is its button's control id.
enum CalcKey {
    key_digit_0 = IDC_KEY_0,  // ..+9: digits 0..9
    key_thousand = IDC_KEY_THOUSAND,  // "000"
    key_clear = IDC_KEY_CLEAR,
    key_plus = IDC_KEY_PLUS,
    key_minus = IDC_KEY_MINUS,
    key_equals = IDC_KEY_EQUALS,
    key_negate = IDC_KEY_NEGATE,
    key_backspace = IDC_KEY_BACKSPACE,
    key_divide = IDC_KEY_DIVIDE,
    key_multiply = IDC_KEY_MULTIPLY,
    key_draw = IDC_KEY_DRAW,  // "±0": the stored draw, -1
};

// Whether a control id is one of the keypad's keys.
bool is_calc_key(int id);

struct CalcState {
    int32_t calc_entry;    // the display; what OK stores
    int32_t calc_operand;  // left operand of the pending operator
    int32_t calc_pending;  // the pending operator's key
    int32_t calc_fresh;    // 1: the next digit starts a new number
    int32_t calc_negative; // 1: a leading minus was typed; digits go below zero
};

// Opening the dialog on a stored amount: it is shown, and a first digit
// replaces it while a first operator works on it.
void calc_open(CalcState& state, int32_t stored_amount);

// Applies a key (one is_calc_key takes). False when the result would not
// fit in 32 bits: the display then keeps its value (the dialog tells the
// user).
bool calc_press(CalcState& state, int key);

// The key a typed character presses, 0 for none: digits and operators in
// their narrow and full-width forms, and the dashes and dots the Japanese
// input method gives for the minus and slash keys.
int typed_char_key(uint32_t code);

// The pending operator on 64 bits.
int64_t apply_operator(int32_t operand, int32_t pending, int32_t entry);
