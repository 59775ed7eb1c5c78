// Conversions at the edges of the Windows program: UTF-8 paths of the core,
// Shift-JIS text of the stored files, UTF-16 of the Win32 API.
#pragma once
#include <cstddef>
#include <string>

std::wstring utf8_to_wide(const char* text);
// A UTF-8 path for the file calls: one past the old limit of 260
// characters in the \\?\ form, which takes 32,767.
std::wstring file_path(const char* path);
bool wide_to_utf8(const wchar_t* text, char* destination, size_t capacity);
std::string wide_to_utf8(const std::wstring& text);

// Shift-JIS (code page 932) to UTF-16, whatever the system's ANSI code page.
std::wstring sjis_to_wide(const char* text);
// UTF-16 to at most `max_bytes` Shift-JIS bytes plus a NUL, never splitting
// a double-byte character; characters Shift-JIS lacks become '?'.
void wide_to_sjis(const wchar_t* text, char* destination, size_t max_bytes);
// The length of text stored in Shift-JIS, as wide_to_sjis makes it.
size_t sjis_length(const std::wstring& text);
// How many UTF-16 units of `text` fit in `max_bytes` of Shift-JIS: whole
// characters only, a surrogate pair counting as one.
size_t sjis_fitting_length(const std::wstring& text, size_t max_bytes);
