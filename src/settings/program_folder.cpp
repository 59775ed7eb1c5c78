#include "settings/program_folder.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {
char path_text[path_capacity];
char folder_text[path_capacity];
}  // namespace

void find_program_folder(void* module_instance)
{
    char path[path_capacity];
    if (!module_file_name(module_instance, path, sizeof path)) path[0] = 0;
    set_program_path(path);
}

void set_program_path(const char* executable_path)
{
    std::snprintf(path_text, sizeof path_text, "%s", executable_path);
    // The folder keeps everything up to and including the last separator.
    const char* backslash = std::strrchr(path_text, '\\');
    const char* slash = std::strrchr(path_text, '/');
    const char* last = backslash > slash ? backslash : slash;
    size_t length = last ? static_cast<size_t>(last - path_text) + 1 : 0;
    std::memcpy(folder_text, path_text, length);
    folder_text[length] = 0;
}

const char* program_path() { return path_text; }
const char* program_folder() { return folder_text; }

void program_file(char* destination, size_t capacity, const char* name)
{
    std::snprintf(destination, capacity, "%s%s", folder_text, name);
}

std::string program_subfolder(const char* name)
{
    size_t length = std::strlen(folder_text);
    char separator = length ? folder_text[length - 1] : '\\';
    return std::string(folder_text) + name + separator;
}
