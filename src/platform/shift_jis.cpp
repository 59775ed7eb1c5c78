#include "platform/shift_jis.h"

#include <cstring>

bool is_sjis_lead_byte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

size_t sjis_cut_length(const char* text, size_t limit)
{
    size_t position = 0;
    while (position < limit && text[position] != 0) {
        size_t width = is_sjis_lead_byte(static_cast<unsigned char>(text[position])) ? 2 : 1;
        if (position + width > limit) break;
        if (width == 2 && text[position + 1] == 0) break;  // a lone lead byte at the end
        position += width;
    }
    return position;
}

void copy_sjis_cut(char* destination, const char* source, size_t max_bytes)
{
    size_t length = sjis_cut_length(source, max_bytes);
    std::memmove(destination, source, length);
    destination[length] = 0;
}

void terminate_sjis_field(char* field, size_t capacity)
{
    if (capacity == 0 || std::memchr(field, 0, capacity)) return;
    field[sjis_cut_length(field, capacity - 1)] = 0;
}
