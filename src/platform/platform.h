// The few things the portable core needs from the operating system.
// Paths are UTF-8; the Windows implementation converts them to UTF-16.
#pragma once
#include <cstddef>

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

// Reads up to `size` bytes from the start of an existing file. False when
// the file cannot be opened; `bytes_read` then stays 0.
bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read);

// Puts `size` bytes at the start of the file, creating it if missing and
// keeping whatever lies beyond them. The file is replaced in one step, so a
// failure leaves the previous file whole. True when everything was written.
bool write_file_start(const char* path, const void* data, size_t size);

bool path_exists(const char* path);
