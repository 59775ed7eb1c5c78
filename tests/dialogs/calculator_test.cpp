#include "dialogs/calculator.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {
// Presses keys in turn; false as soon as one overflows.
bool press(CalcState& s, std::initializer_list<int> keys)
{
    for (int key : keys)
        if (!calc_press(s, key)) return false;
    return true;
}
int digit(int d) { return key_digit_0 + d; }
}  // namespace

TEST(Calculator, WorkedSequence)
{
    CalcState s;
    calc_open(s, 0);
    ASSERT_TRUE(press(s, {digit(1), digit(2), key_plus, digit(3), key_equals}));
    EXPECT_EQ(s.calc_entry, 15);
    ASSERT_TRUE(press(s, {key_divide, digit(0), key_equals}));
    EXPECT_EQ(s.calc_entry, 0) << "division by zero gives 0";
    ASSERT_TRUE(press(s, {digit(5), key_multiply, digit(3)}));
    EXPECT_EQ(s.calc_entry, 3) << "OK stores the display, not the pending result";
}

TEST(Calculator, OpeningOnAStoredAmount)
{
    CalcState s;
    calc_open(s, 12);
    press(s, {digit(3)});
    EXPECT_EQ(s.calc_entry, 3) << "a first digit replaces the stored amount";
    calc_open(s, 12);
    press(s, {key_plus, digit(5), key_equals});
    EXPECT_EQ(s.calc_entry, 17);
    calc_open(s, -1);
    press(s, {digit(4), key_plus, digit(1), key_equals});
    EXPECT_EQ(s.calc_entry, 5);
    calc_open(s, -1);
    press(s, {key_minus, digit(2), key_equals});
    EXPECT_EQ(s.calc_entry, -2) << "the draw counts as 0 on the left of an operator";
}

TEST(Calculator, ThousandOnlyWithinANumber)
{
    CalcState s;
    calc_open(s, 7);
    press(s, {key_thousand});
    EXPECT_EQ(s.calc_entry, 7);
    press(s, {digit(5), key_thousand});
    EXPECT_EQ(s.calc_entry, 5000);
    press(s, {key_plus, key_thousand});
    EXPECT_EQ(s.calc_entry, 5000);
    press(s, {key_draw, key_thousand});
    EXPECT_EQ(s.calc_entry, -1);
}

TEST(Calculator, OverflowKeepsTheDisplay)
{
    CalcState s;
    calc_open(s, 0);
    press(s, {digit(2), digit(1), digit(4), digit(7), digit(4), digit(8), digit(3), digit(6), digit(4)});
    EXPECT_EQ(s.calc_entry, 214748364);
    CalcState copy = s;
    EXPECT_TRUE(calc_press(copy, digit(7)));
    EXPECT_EQ(copy.calc_entry, 2147483647);
    EXPECT_FALSE(calc_press(s, digit(8)));
    EXPECT_EQ(s.calc_entry, 214748364);

    calc_open(s, 0);
    press(s, {digit(3), key_thousand, key_thousand});
    EXPECT_FALSE(calc_press(s, key_thousand));
    EXPECT_EQ(s.calc_entry, 3000000);
    calc_open(s, 0);
    press(s, {digit(2), key_thousand, key_thousand});
    EXPECT_TRUE(calc_press(s, key_thousand));
    EXPECT_EQ(s.calc_entry, 2000000000);

    calc_open(s, INT32_MIN);
    press(s, {key_divide, digit(1), key_negate});
    EXPECT_EQ(s.calc_entry, -1);
    EXPECT_FALSE(calc_press(s, key_equals));
    EXPECT_EQ(s.calc_entry, -1);
    EXPECT_EQ(s.calc_pending, key_divide) << "an overflowing operator changes nothing";
}

TEST(Calculator, SignBackspaceClearAndDraw)
{
    EXPECT_TRUE(is_calc_key(key_draw) && is_calc_key(key_digit_0 + 9) && !is_calc_key(key_thousand + 1) && !is_calc_key(1009));
    CalcState s;
    calc_open(s, INT32_MIN);
    press(s, {key_negate});
    EXPECT_EQ(s.calc_entry, INT32_MIN);
    calc_open(s, -1);
    press(s, {key_negate});
    EXPECT_EQ(s.calc_entry, 1);
    calc_open(s, -1);
    press(s, {key_backspace});
    EXPECT_EQ(s.calc_entry, 0);
    calc_open(s, -123);
    press(s, {key_backspace});
    EXPECT_EQ(s.calc_entry, -12);
    press(s, {digit(5), key_negate, digit(3)});
    EXPECT_EQ(s.calc_entry, -47) << "digits append arithmetically below zero too";
    press(s, {key_plus, key_clear});
    EXPECT_EQ(s.calc_entry, 0);
    EXPECT_EQ(s.calc_pending, key_plus) << "C keeps the pending operator";
    press(s, {key_draw});
    EXPECT_EQ(s.calc_entry, -1);
    EXPECT_EQ(s.calc_fresh, 1);
}

TEST(Calculator, TypedCharactersAndLeadingMinus)
{
    for (uint32_t minus : {0x2Du, 0x30FCu, 0x2212u, 0x2010u, 0xFF0Du, 0xFF70u})
        EXPECT_EQ(typed_char_key(minus), key_minus) << std::hex << minus;
    for (uint32_t divide : {0x2Fu, 0x30FBu, 0xFF0Fu}) EXPECT_EQ(typed_char_key(divide), key_divide) << std::hex << divide;
    EXPECT_EQ(typed_char_key(0xFF15), digit(5));
    EXPECT_EQ(typed_char_key(0x3042), 0);

    CalcState s;
    calc_open(s, 0);
    press(s, {key_minus, digit(5), key_thousand});
    EXPECT_EQ(s.calc_entry, -5000) << "the display shows the minus before =";
    press(s, {key_equals});
    EXPECT_EQ(s.calc_entry, -5000);
    calc_open(s, 300);
    press(s, {key_minus, digit(5), key_equals});
    EXPECT_EQ(s.calc_entry, 295) << "on a stored amount a minus subtracts";
}
