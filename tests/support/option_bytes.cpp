#include "support/option_bytes.h"

#include <cstring>

namespace option_bytes {

void put32(Bytes& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t get32(const Bytes& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes[offset + i];
    return value;
}

namespace {
void put_text(Bytes& bytes, size_t offset, const char* text) { std::memcpy(&bytes[offset], text, std::strlen(text)); }
}  // namespace

Bytes default_file()
{
    Bytes b(512, 0);
    put32(b, 0, 20);
    put_text(b, 28, "Times New Roman");
    b[topmost] = 1;
    put_text(b, title, "Tovrel");
    b[format_version] = 't';
    put32(b, 129, 16);
    put_text(b, 129 + 28, "Times New Roman");
    const uint32_t colours[16] = {0x000000FF, 0x00000000, 0x00FF0000, 0x00FFFFE0, 0x00FFFFE0, 0x00000000,
                                  0x00FFFFFF, 0x00008000, 0x00B8C088, 0x00FF0000, 0x00B8C088, 0x00B8C088,
                                  0x0000FFFF, 0x00E0E0FF, 0x0000FFFF, 0x00000000};
    for (int i = 0; i < 16; ++i) put32(b, 189 + 4 * i, colours[i]);
    for (int i = 0; i < 16; ++i) put32(b, 253 + 4 * i, 0x00B8C088);
    put32(b, 257, 0x00FFFFE0);
    put32(b, 261, 0x00E0FFFF);
    put32(b, 265, 0x00E0E0FF);
    const uint8_t frames[8] = {1, 0, 1, 0, 1, 1, 0, 0};
    for (int i = 0; i < 8; ++i) b[frame_flags + i] = b[raised_flags + i] = frames[i];
    b[sunken_flags + 5] = 1;  // loss is sunken
    b[reshow_seconds] = 5;
    return b;
}

}  // namespace option_bytes
