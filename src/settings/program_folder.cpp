#include "settings/program_folder.h"

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {
// Where the program runs from: everything it keeps lives beside it.
struct ProgramPlace {
    char path[path_capacity];
    char folder[path_capacity];
};
ProgramPlace place;
}  // namespace

void find_program_folder(void* module_instance)
{
    char path[path_capacity];
    if (!module_file_name(module_instance, path, sizeof path)) path[0] = 0;
    set_program_path(path);
}

void set_program_path(const char* executable_path)
{
    std::snprintf(place.path, sizeof place.path, "%s", executable_path);
    // The folder keeps everything up to and including the last separator.
    const char* backslash = std::strrchr(place.path, '\\');
    const char* slash = std::strrchr(place.path, '/');
    const char* last = backslash > slash ? backslash : slash;
    size_t length = last ? static_cast<size_t>(last - place.path) + 1 : 0;
    std::memcpy(place.folder, place.path, length);
    place.folder[length] = 0;
}

const char* program_path() { return place.path; }
const char* program_folder() { return place.folder; }

void program_file(char* destination, size_t capacity, const char* name)
{
    std::snprintf(destination, capacity, "%s%s", place.folder, name);
}

std::string program_subfolder(const char* name)
{
    size_t length = std::strlen(place.folder);
    char separator = length ? place.folder[length - 1] : '\\';
    return std::string(place.folder) + name + separator;
}
