// The few things the portable core needs from the operating system.
// Paths are UTF-8; the Windows implementation converts them to UTF-16.
#pragma once
#include <cstddef>
#include <vector>

struct LocalTime {
    int year;     // full year
    int month;    // 1..12
    int day;
    int weekday;  // 0 = Sunday
    int hour;
    int minute;
    int second;
};

void local_time_now(LocalTime* now);

// Full path of the running executable (module_instance may be null for the
// program itself). Returns false when it cannot be found or does not fit.
bool module_file_name(void* module_instance, char* path, size_t capacity);

// Reading a file in pieces. open_input_file gives null when the file
// cannot be opened; `missing` then tells whether it does not exist.
struct InputFile;
InputFile* open_input_file(const char* path, bool* missing);
// Bytes read, 0 at the end of the file, -1 after a read error.
long read_input_file(InputFile* file, void* buffer, size_t size);
void close_input_file(InputFile* file);

// Writes `content` to a new file beside `path` and moves it over `path`
// in one step, so a failure leaves the previous file whole. A link stays a
// link: the file it names is replaced (a file of several names is written
// in place). When another program holds the file so that it cannot be
// replaced, the bytes are written over it in place. True when all of it
// reached the disk.
bool replace_file(const char* path, const std::vector<unsigned char>& content);

bool path_exists(const char* path);
// Creates a folder; an existing one is fine. False when it cannot exist.
bool make_directory(const char* path);

// The current user's registration to start at logon: a string value under
// Software\Microsoft\Windows\CurrentVersion\Run. Failures pass silently.
void set_run_value(const char* name, const char* command);
void delete_run_value(const char* name);

// Built on the calls above (files.cpp):

// Reads up to `size` bytes from the start of an existing file. False when
// the file cannot be opened; `bytes_read` then stays 0. `unreadable` (when
// given) tells a file that exists but could not be opened or read whole
// from one that is missing or short.
bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read, bool* unreadable = nullptr);

// Reads a whole file; false when it cannot be opened or read.
bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool* missing);

// Puts `size` bytes at the start of the file, creating it if missing and
// keeping whatever lies beyond them, through replace_file.
bool write_file_start(const char* path, const void* data, size_t size);
