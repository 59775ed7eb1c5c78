#include "dialogs/calculator.h"

namespace {
const int operator_keys[] = {key_thousand, key_clear,     key_plus,   key_minus,    key_equals,
                             key_negate,   key_backspace, key_divide, key_multiply, key_draw};

bool fits(int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }

bool press_digit(CalcState& s, int digit)
{
    if (s.calc_fresh) {
        s.calc_operand = s.calc_entry == -1 ? 0 : s.calc_entry;
        s.calc_entry = 0;
    }
    s.calc_fresh = 0;
    // Plain arithmetic, also below zero: -5 then 3 gives -47; after a
    // typed leading minus the digits make the number below zero.
    int64_t value = static_cast<int64_t>(s.calc_entry) * 10 + (s.calc_negative ? -digit : digit);
    if (!fits(value)) return false;
    s.calc_entry = static_cast<int32_t>(value);
    return true;
}

// A minus on an empty display (0 or the draw) with nothing pending is the
// sign of the number typed next, so the display shows it at once.
bool is_leading_minus(const CalcState& s, int key)
{
    return key == key_minus && s.calc_fresh && s.calc_pending == key_equals && (s.calc_entry == 0 || s.calc_entry == -1);
}

bool press_operator(CalcState& s, int key)
{
    if (is_leading_minus(s, key)) {
        s.calc_operand = 0;
        s.calc_entry = 0;
        s.calc_fresh = 0;
        s.calc_negative = 1;
        return true;
    }
    s.calc_negative = 0;
    if (!s.calc_fresh) {
        int64_t result = apply_operator(s.calc_operand, s.calc_pending, s.calc_entry);
        if (!fits(result)) return false;
        s.calc_entry = static_cast<int32_t>(result);
    }
    s.calc_fresh = 1;
    s.calc_pending = key;
    return true;
}
}  // namespace

bool is_calc_key(int id)
{
    if (id >= key_digit_0 && id <= key_digit_0 + 9) return true;
    for (int key : operator_keys)
        if (key == id) return true;
    return false;
}

void calc_open(CalcState& state, int32_t stored_amount)
{
    state.calc_entry = stored_amount;
    state.calc_operand = stored_amount;
    state.calc_fresh = 1;
    state.calc_pending = key_equals;
    state.calc_negative = 0;
}

int typed_char_key(uint32_t code)
{
    struct TypedChar {
        uint32_t code;
        int key;
    };
    static const TypedChar typed_chars[] = {
        {u'+', key_plus},     {u'-', key_minus},    {u'*', key_multiply}, {u'/', key_divide},
        {u'=', key_equals},   {0x30FC, key_minus},  {0x2212, key_minus},  {0x2010, key_minus},
        {0xFF70, key_minus},  {0x30FB, key_divide},
    };
    // Full-width forms ("５", "＋", "－", "／") count as their narrow ones.
    if (code >= 0xFF01 && code <= 0xFF5E) code -= 0xFEE0;
    if (code >= u'0' && code <= u'9') return key_digit_0 + static_cast<int>(code - u'0');
    for (const TypedChar& typed : typed_chars)
        if (typed.code == code) return typed.key;
    return 0;
}

int64_t apply_operator(int32_t operand, int32_t pending, int32_t entry)
{
    const int64_t a = operand, c = entry;
    switch (pending) {
    case key_plus: return a + c;
    case key_minus: return a - c;
    case key_divide: return c == 0 ? 0 : a / c;
    case key_multiply: return a * c;
    default: return c;
    }
}

bool calc_press(CalcState& s, int key)
{
    if (key >= key_digit_0 && key <= key_digit_0 + 9) return press_digit(s, key - key_digit_0);
    switch (key) {
    case key_thousand: {
        if (s.calc_fresh) return true;
        int64_t value = static_cast<int64_t>(s.calc_entry) * 1000;
        if (!fits(value)) return false;
        s.calc_entry = static_cast<int32_t>(value);
        return true;
    }
    case key_plus:
    case key_minus:
    case key_multiply:
    case key_divide:
    case key_equals: return press_operator(s, key);
    case key_clear:
        s.calc_entry = 0;
        s.calc_fresh = 1;
        s.calc_negative = 0;
        return true;
    case key_draw:
        s.calc_entry = -1;
        s.calc_fresh = 1;
        s.calc_negative = 0;
        return true;
    case key_negate:
        s.calc_negative = 0;
        s.calc_entry = static_cast<int32_t>(0u - static_cast<uint32_t>(s.calc_entry));
        return true;
    case key_backspace: s.calc_entry /= 10; return true;
    default: return true;
    }
}
