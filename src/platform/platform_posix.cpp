// POSIX side of the platform seam, used by the native tests and fuzzers.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/platform.h"
#include "platform/write_replace.h"

void local_time_now(LocalTime* now)
{
    time_t seconds = time(nullptr);
    struct tm parts;
    localtime_r(&seconds, &parts);
    now->year = parts.tm_year + 1900;
    now->month = parts.tm_mon + 1;
    now->day = parts.tm_mday;
    now->weekday = parts.tm_wday;
    now->hour = parts.tm_hour;
    now->minute = parts.tm_min;
    now->second = parts.tm_sec;
}

bool module_file_name(void*, char* path, size_t capacity)
{
    if (capacity == 0) return false;
    ssize_t length = readlink("/proc/self/exe", path, capacity - 1);
    if (length <= 0 || static_cast<size_t>(length) >= capacity - 1) {
        path[0] = 0;
        return false;
    }
    path[length] = 0;
    return true;
}

bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read)
{
    *bytes_read = 0;
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    *bytes_read = std::fread(buffer, 1, size, file);
    std::fclose(file);
    return true;
}

bool path_exists(const char* path) { return access(path, F_OK) == 0; }

bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool& missing)
{
    content.clear();
    missing = false;
    FILE* file = std::fopen(path, "rb");
    if (!file) {
        missing = errno == ENOENT;
        return false;
    }
    unsigned char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.insert(content.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool replace_file_with(const char* path, const std::vector<unsigned char>& content)
{
    std::vector<char> temporary(std::strlen(path) + 8);
    std::snprintf(temporary.data(), temporary.size(), "%s.new", path);
    FILE* file = std::fopen(temporary.data(), "wb");
    if (!file) return false;
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary.data(), path) == 0) return true;
    std::remove(temporary.data());
    return false;
}
