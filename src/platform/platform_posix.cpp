// POSIX side of the platform seam, used by the native tests and fuzzers.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
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

namespace {
bool failed_with_errno();
}  // namespace

InputFile* open_input_file(const char* path, bool* missing)
{
    FILE* file = std::fopen(path, "rb");
    if (missing) *missing = !file && errno == ENOENT;
    if (!file) failed_with_errno();
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
// Files another program holds for reading only (tests), by real path.
std::set<std::string> held_paths;

std::string real_path(const char* path)
{
    char* resolved = realpath(path, nullptr);
    if (!resolved) return path;
    std::string real = resolved;
    std::free(resolved);
    return real;
}

// What Windows refuses: a file held open by another program, and a
// read-only file replaced, written or removed (POSIX would let root do it).
bool refused(const char* path)
{
    if (held_paths.count(real_path(path))) return !note_file_problem(file_held);
    struct stat information;
    if (stat(path, &information) == 0 && S_ISREG(information.st_mode) && !(information.st_mode & 0222))
        return !note_file_problem(file_read_only);
    return false;
}

bool failed_with_errno()
{
    switch (errno) {
    case ENAMETOOLONG: return note_file_problem(file_path_too_long);
    case ENOSPC: return note_file_problem(file_disk_full);
    case EACCES:
    case EPERM: return note_file_problem(file_denied);
    default: return note_file_problem(file_failed);
    }
}

bool write_all(FILE* file, const std::vector<unsigned char>& content)
{
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), file) == content.size();
    ok = std::fflush(file) == 0 && ok;
    return fsync(fileno(file)) == 0 && ok;
}

bool write_over(const char* path, const std::vector<unsigned char>& content)
{
    std::vector<unsigned char> old;
    read_whole_file(path, old, nullptr);
    int descriptor = open(path, O_RDWR | O_CREAT, 0666);
    if (descriptor < 0) return failed_with_errno();
    FILE* file = fdopen(descriptor, "r+b");
    if (!file) {
        close(descriptor);
        return failed_with_errno();
    }
    bool ok = write_all(file, content) && ftruncate(fileno(file), static_cast<off_t>(content.size())) == 0;
    if (!ok) {
        const int error = errno;
        std::rewind(file);
        if (write_all(file, old)) (void)!ftruncate(fileno(file), static_cast<off_t>(old.size()));
        errno = error;
    }
    const int error = errno;
    if (std::fclose(file) == 0 && ok) return true;
    errno = error;
    return failed_with_errno();
}
}  // namespace

bool write_new_file(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed() || refused(path)) return false;
    FILE* file = std::fopen(path, "wb");
    if (!file) return failed_with_errno();
    bool ok = write_all(file, content);
    return (std::fclose(file) == 0 && ok) || failed_with_errno();
}

bool move_over(const char* from, const char* to, FileWaits*)
{
    if (!file_change_allowed() || refused(from)) return false;
    if (held_paths.count(real_path(to))) return note_file_problem(file_held);
    if (refused(to)) return false;
    struct stat old_file;
    if (stat(to, &old_file) == 0) chmod(from, old_file.st_mode & 07777);
    if (std::rename(from, to) == 0) return true;
    bool held = errno == EACCES || errno == EPERM || errno == EBUSY;
    std::vector<unsigned char> content;
    if (!held || !read_whole_file(from, content, nullptr) || !write_over(to, content)) return failed_with_errno();
    std::remove(from);
    return true;
}

bool write_in_place(const char* path, const std::vector<unsigned char>& content)
{
    return file_change_allowed() && !refused(path) && write_over(path, content);
}

bool is_read_only_file(const char* path)
{
    struct stat information;
    return stat(path, &information) == 0 && S_ISREG(information.st_mode) && !(information.st_mode & 0222);
}

bool remove_file(const char* path)
{
    return file_change_allowed() && !refused(path) && (unlink(path) == 0 || failed_with_errno());
}

std::string linked_file(const char* path, unsigned* names)
{
    *names = 1;
    struct stat information;
    if (stat(path, &information) == 0) *names = static_cast<unsigned>(information.st_nlink);
    return real_path(path);
}

struct HeldFile {
    std::string path;
};

HeldFile* hold_file_open(const char* path)
{
    if (access(path, R_OK) != 0) return nullptr;
    HeldFile* held = new HeldFile{real_path(path)};
    held_paths.insert(held->path);
    return held;
}

void let_go_of_file(HeldFile* held)
{
    if (!held) return;
    held_paths.erase(held->path);
    delete held;
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
