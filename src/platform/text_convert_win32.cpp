// Windows side of the text conversions, through UTF-16.
#include <windows.h>

#include <vector>

#include "platform/text_convert.h"
#include "platform/win32_text.h"

namespace {
std::wstring to_wide(UINT code_page, const char* text, size_t size)
{
    if (size == 0) return std::wstring();
    int length = MultiByteToWideChar(code_page, 0, text, static_cast<int>(size), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(code_page, 0, text, static_cast<int>(size), &wide[0], length);
    return wide;
}
}  // namespace

std::string utf8_to_sjis(const char* text, size_t size)
{
    std::wstring wide = to_wide(CP_UTF8, text, size);
    // Every UTF-16 unit takes at most two Shift-JIS bytes: nothing is cut.
    std::vector<char> converted(wide.size() * 2 + 1, '\0');
    wide_to_sjis(wide.c_str(), converted.data(), wide.size() * 2);
    return std::string(converted.data());
}

std::string sjis_to_utf8(const char* text, size_t size)
{
    std::wstring wide = to_wide(932, text, size);
    if (wide.empty()) return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                     nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], length, nullptr, nullptr);
    return utf8;
}
