// POSIX side of the platform seam, used by the native tests and fuzzers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/platform.h"

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

InputFile* open_input_file(const char* path, bool* missing)
{
    FILE* file = std::fopen(path, "rb");
    if (missing) *missing = !file && errno == ENOENT;
    return reinterpret_cast<InputFile*>(file);
}

long read_input_file(InputFile* file, void* buffer, size_t size)
{
    FILE* stream = reinterpret_cast<FILE*>(file);
    size_t got = std::fread(buffer, 1, size, stream);
    if (got == 0 && std::ferror(stream)) return -1;
    return static_cast<long>(got);
}

void close_input_file(InputFile* file) { std::fclose(reinterpret_cast<FILE*>(file)); }

namespace {
bool write_all(FILE* file, const std::vector<unsigned char>& content)
{
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = std::fflush(file) == 0 && ok;
    return fsync(fileno(file)) == 0 && ok;
}

bool write_over(const char* path, const std::vector<unsigned char>& content)
{
    int descriptor = open(path, O_WRONLY | O_CREAT, 0666);
    if (descriptor < 0) return false;
    FILE* file = fdopen(descriptor, "wb");
    if (!file) {
        close(descriptor);
        return false;
    }
    bool ok = write_all(file, content) && ftruncate(fileno(file), static_cast<off_t>(content.size())) == 0;
    return std::fclose(file) == 0 && ok;
}
}  // namespace

bool write_new_file(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed()) return false;
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool ok = write_all(file, content);
    return std::fclose(file) == 0 && ok;
}

bool move_over(const char* from, const char* to)
{
    if (!file_change_allowed()) return false;
    struct stat old_file;
    if (stat(to, &old_file) == 0) chmod(from, old_file.st_mode & 07777);
    if (std::rename(from, to) == 0) return true;
    bool held = errno == EACCES || errno == EPERM || errno == EBUSY;
    std::vector<unsigned char> content;
    if (!held || !read_whole_file(from, content, nullptr) || !write_over(to, content)) return false;
    std::remove(from);
    return true;
}

bool write_in_place(const char* path, const std::vector<unsigned char>& content)
{
    return file_change_allowed() && write_over(path, content);
}

bool remove_file(const char* path) { return file_change_allowed() && unlink(path) == 0; }

std::string linked_file(const char* path, unsigned* names)
{
    *names = 1;
    struct stat information;
    if (stat(path, &information) == 0) *names = static_cast<unsigned>(information.st_nlink);
    char* resolved = realpath(path, nullptr);
    if (!resolved) return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

bool path_exists(const char* path) { return access(path, F_OK) == 0; }

bool make_directory(const char* path)
{
    if (mkdir(path, 0777) == 0) return true;
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// No logon registration outside Windows.
void set_run_value(const char*, const char*) {}
void delete_run_value(const char*) {}
