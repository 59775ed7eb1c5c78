#include <cstring>

#include "platform/platform.h"
#include "platform/write_replace.h"

bool write_file_start(const char* path, const void* data, size_t size)
{
    std::vector<unsigned char> content;
    bool missing = false;
    // An existing file that cannot be read must not be replaced: its tail
    // would be lost.
    if (!read_whole_file(path, content, missing) && !missing) return false;
    if (content.size() < size) content.resize(size);
    if (size) std::memcpy(content.data(), data, size);
    return replace_file_with(path, content);
}
