#include "view/amount_text.h"

void format_amount(int32_t amount, char16_t* buffer) { format_large_amount(amount, buffer); }

void format_large_amount(int64_t amount, char16_t* buffer)
{
    if (amount == -1) {
        buffer[0] = u'±';
        buffer[1] = u'0';
        buffer[2] = 0;
        return;
    }
    // Digits from the right, a comma after every third.
    char16_t reversed[large_amount_text_size];
    int length = 0;
    uint64_t magnitude = amount < 0 ? 0u - static_cast<uint64_t>(amount) : static_cast<uint64_t>(amount);
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) reversed[length++] = u',';
        reversed[length++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (amount < 0) reversed[length++] = u'-';
    for (int i = 0; i < length; ++i) buffer[i] = reversed[length - 1 - i];
    buffer[length] = 0;
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
