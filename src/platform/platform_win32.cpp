// Windows side of the platform seam: wide Win32 calls, UTF-8 paths.
#include <windows.h>

#include <vector>

#include "platform/platform.h"
#include "platform/win32_text.h"
#include "platform/write_replace.h"

void local_time_now(LocalTime* now)
{
    SYSTEMTIME time;
    GetLocalTime(&time);
    now->year = time.wYear;
    now->month = time.wMonth;
    now->day = time.wDay;
    now->weekday = time.wDayOfWeek;
    now->hour = time.wHour;
    now->minute = time.wMinute;
    now->second = time.wSecond;
}

bool module_file_name(void* module_instance, char* path, size_t capacity)
{
    wchar_t wide[MAX_PATH + 1];
    DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module_instance), wide, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        if (capacity) path[0] = 0;
        return false;
    }
    return wide_to_utf8(wide, path, capacity);
}

namespace {
HANDLE open_for_reading(const char* path)
{
    std::wstring wide = utf8_to_wide(path);
    return CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}
}  // namespace

bool read_file_start(const char* path, void* buffer, size_t size, size_t* bytes_read)
{
    *bytes_read = 0;
    HANDLE file = open_for_reading(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    char* target = static_cast<char*>(buffer);
    while (*bytes_read < size) {
        DWORD got = 0;
        if (!ReadFile(file, target + *bytes_read, static_cast<DWORD>(size - *bytes_read), &got, nullptr) || got == 0)
            break;
        *bytes_read += got;
    }
    CloseHandle(file);
    return true;
}

bool path_exists(const char* path)
{
    return GetFileAttributesW(utf8_to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool read_whole_file(const char* path, std::vector<unsigned char>& content, bool& missing)
{
    content.clear();
    missing = false;
    HANDLE file = open_for_reading(path);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return false;
    }
    bool ok = true;
    unsigned char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        content.insert(content.end(), chunk, chunk + got);
    }
    CloseHandle(file);
    return ok;
}

bool replace_file_with(const char* path, const std::vector<unsigned char>& content)
{
    std::wstring target = utf8_to_wide(path);
    std::wstring temporary = target + L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < content.size()) {
        DWORD wrote = 0;
        ok = WriteFile(file, content.data() + done, static_cast<DWORD>(content.size() - done), &wrote, nullptr) &&
             wrote > 0;
        done += wrote;
    }
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    if (ok && MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}
