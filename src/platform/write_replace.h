// Building blocks of write_file_start, one pair per platform.
#pragma once
#include <vector>

// Reads the whole file. `missing` tells a file that does not exist apart
// from one that exists but cannot be read.
bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool& missing);

// Writes `content` to a new file next to `path` and moves it over `path`.
bool replace_file_with(const char* path, const std::vector<unsigned char>& content);
