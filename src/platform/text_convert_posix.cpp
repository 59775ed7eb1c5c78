// POSIX side of the text conversions: iconv with CP932, the Windows flavour
// of Shift-JIS.
#include <iconv.h>

#include <cerrno>

#include "platform/text_convert.h"

namespace {
size_t utf8_sequence_length(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

// Opened once: iconv_open costs far more than converting a short field.
std::string convert(iconv_t converter, const char* text, size_t size, bool from_utf8)
{
    std::string result;
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(size, '?');
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(text);
    size_t in_left = size;
    char chunk[256];
    while (in_left > 0) {
        char* out = chunk;
        size_t out_left = sizeof chunk;
        size_t done = iconv(converter, &in, &in_left, &out, &out_left);
        result.append(chunk, sizeof chunk - out_left);
        if (done != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // Unconvertible or broken: one '?' for the character, then go on.
        size_t length = from_utf8 ? utf8_sequence_length(static_cast<unsigned char>(*in)) : 1;
        size_t skip = 1;
        while (skip < length && skip < in_left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
        result += '?';
        in += skip;
        in_left -= skip;
    }
    return result;
}
}  // namespace

std::string utf8_to_sjis(const char* text, size_t size)
{
    static iconv_t converter = iconv_open("CP932", "UTF-8");
    return convert(converter, text, size, true);
}

std::string sjis_to_utf8(const char* text, size_t size)
{
    static iconv_t converter = iconv_open("UTF-8", "CP932");
    return convert(converter, text, size, false);
}
