#include "view/amount_text.h"

namespace {
// Digits with a comma after every third from the right, after `sign`
// (none for 0).
int put_grouped(uint64_t magnitude, char16_t sign, char16_t* buffer)
{
    char16_t reversed[large_amount_text_size];
    int length = 0, count = 0;
    do {
        if (count > 0 && count % 3 == 0) reversed[length++] = u',';
        reversed[length++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
        ++count;
    } while (magnitude != 0);
    const int start = sign ? 1 : 0;
    buffer[0] = sign;
    for (int i = 0; i < length; ++i) buffer[start + i] = reversed[length - 1 - i];
    buffer[start + length] = 0;
    return start + length;
}

uint64_t magnitude_of(int64_t amount)
{
    return amount < 0 ? 0u - static_cast<uint64_t>(amount) : static_cast<uint64_t>(amount);
}
}  // namespace

void format_amount(int32_t amount, char16_t* buffer) { format_large_amount(amount, buffer); }

void format_large_amount(int64_t amount, char16_t* buffer)
{
    if (amount == -1) {
        buffer[0] = u'±';
        buffer[1] = u'0';
        buffer[2] = 0;
        return;
    }
    put_grouped(magnitude_of(amount), amount < 0 ? u'-' : 0, buffer);
}

void format_sum(int64_t amount, char16_t* buffer)
{
    if (amount != -1) {
        format_large_amount(amount, buffer);
        return;
    }
    buffer[0] = u'-';
    buffer[1] = u'1';
    buffer[2] = 0;
}

namespace {

char16_t sign_of(int64_t amount) { return amount > 0 ? u'+' : amount < 0 ? u'\u2212' : u'±'; }
}  // namespace

int64_t shown_day_amount(int32_t amount) { return amount == -1 ? 0 : amount; }

void format_signed_amount(int64_t amount, char16_t* buffer)
{
    put_grouped(magnitude_of(amount), sign_of(amount), buffer);
}

void format_man_amount(int64_t amount, char16_t* buffer)
{
    // Tenths of 万, rounded half away from zero.
    const uint64_t magnitude = magnitude_of(amount);
    const uint64_t tenths = magnitude / 1000 + (magnitude % 1000 >= 500 ? 1 : 0);
    const char16_t sign = tenths == 0 ? u'±' : sign_of(amount);
    int length = put_grouped(tenths / 10, sign, buffer);
    buffer[length++] = u'.';
    buffer[length++] = static_cast<char16_t>(u'0' + tenths % 10);
    buffer[length++] = u'万';
    buffer[length] = 0;
}

void fitted_amount(int64_t amount, int width, MeasureText measure, void* context, char16_t* buffer)
{
    format_signed_amount(amount, buffer);
    const int whole = measure(buffer, context);
    if (whole <= width) return;
    char16_t man[signed_amount_text_size];
    format_man_amount(amount, man);
    if (measure(man, context) >= whole) return;  // a small amount: whole is no wider
    for (int i = 0; (buffer[i] = man[i]) != 0; ++i) {
    }
}

int amount_glyphs_width(const char16_t* text, const int (&widths)[amount_glyph_count])
{
    int width = 0;
    for (; *text; ++text)
        for (int i = 0; i < amount_glyph_count; ++i)
            if (amount_glyphs[i] == *text) width += widths[i];
    return width;
}
