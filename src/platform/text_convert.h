// Conversions between UTF-8 and Shift-JIS (code page 932), whatever the
// system's code page. Characters the target lacks and bytes that do not
// belong to the source encoding become '?'.
#pragma once
#include <cstddef>
#include <string>

std::string utf8_to_sjis(const char* text, size_t size);
std::string sjis_to_utf8(const char* text, size_t size);
