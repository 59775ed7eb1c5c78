// Shift-JIS byte rules needed wherever stored text is cut to a byte limit.
#pragma once
#include <cstddef>

bool is_sjis_lead_byte(unsigned char byte);

// Length of the longest prefix of `text` (NUL-terminated or `limit` bytes
// long, whichever is shorter) that ends on a character boundary.
size_t sjis_cut_length(const char* text, size_t limit);

// Copies at most `max_bytes` bytes of `source` without splitting a
// double-byte character, then a NUL (`destination` holds max_bytes + 1).
void copy_sjis_cut(char* destination, const char* source, size_t max_bytes);

// Makes a fixed text field of `capacity` bytes NUL-terminated: a field
// without NUL is cut to capacity - 1 bytes on a character boundary.
void terminate_sjis_field(char* field, size_t capacity);
