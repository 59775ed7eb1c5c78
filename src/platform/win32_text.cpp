#include "platform/win32_text.h"

#include <windows.h>

#include <vector>

#include "platform/shift_jis.h"

namespace {
const UINT shift_jis = 932;

std::wstring multibyte_to_wide(UINT code_page, const char* text)
{
    int length = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(code_page, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}
}  // namespace

std::wstring utf8_to_wide(const char* text) { return multibyte_to_wide(CP_UTF8, text); }

std::wstring file_path(const char* path)
{
    std::wstring wide = utf8_to_wide(path);
    // Short paths stay as they are: the \\?\ form takes no / and no ..
    if (wide.size() < MAX_PATH - 12 || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (wide.size() > 2 && wide[1] == L':') return L"\\\\?\\" + wide;
    if (wide.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;
}

bool wide_to_utf8(const wchar_t* text, char* destination, size_t capacity)
{
    if (capacity == 0) return false;
    int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, destination, static_cast<int>(capacity), nullptr, nullptr);
    if (length == 0) {
        destination[0] = 0;
        return false;
    }
    return true;
}

std::string wide_to_utf8(const std::wstring& text)
{
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], length, nullptr, nullptr);
    return utf8;
}

std::wstring sjis_to_wide(const char* text) { return multibyte_to_wide(shift_jis, text); }

void wide_to_sjis(const wchar_t* text, char* destination, size_t max_bytes)
{
    int length = WideCharToMultiByte(shift_jis, 0, text, -1, nullptr, 0, "?", nullptr);
    std::vector<char> converted(length > 0 ? static_cast<size_t>(length) : 1, '\0');
    if (length > 0) WideCharToMultiByte(shift_jis, 0, text, -1, converted.data(), length, "?", nullptr);
    copy_sjis_cut(destination, converted.data(), max_bytes);
}

size_t sjis_length(const std::wstring& text)
{
    if (text.empty()) return 0;
    int length = WideCharToMultiByte(shift_jis, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, "?", nullptr);
    return length > 0 ? static_cast<size_t>(length) : 0;
}

size_t sjis_fitting_length(const std::wstring& text, size_t max_bytes)
{
    size_t units = 0, bytes = 0;
    while (units < text.size()) {
        const bool pair = IS_HIGH_SURROGATE(text[units]) && units + 1 < text.size() && IS_LOW_SURROGATE(text[units + 1]);
        const size_t step = pair ? 2 : 1;
        bytes += sjis_length(text.substr(units, step));
        if (bytes > max_bytes) break;
        units += step;
    }
    return units;
}
