// Windows side of the platform seam: wide Win32 calls, UTF-8 paths.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/platform.h"
#include "platform/win32_text.h"

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

InputFile* open_input_file(const char* path, bool* missing)
{
    HANDLE file = CreateFileW(utf8_to_wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        if (missing) *missing = false;
        return reinterpret_cast<InputFile*>(file);
    }
    DWORD error = GetLastError();
    if (missing) *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return nullptr;
}

long read_input_file(InputFile* file, void* buffer, size_t size)
{
    DWORD got = 0;
    DWORD wanted = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
    if (!ReadFile(reinterpret_cast<HANDLE>(file), buffer, wanted, &got, nullptr)) return -1;
    return static_cast<long>(got);
}

void close_input_file(InputFile* file) { CloseHandle(reinterpret_cast<HANDLE>(file)); }

bool path_exists(const char* path)
{
    return GetFileAttributesW(utf8_to_wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool make_directory(const char* path)
{
    std::wstring wide = utf8_to_wide(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
    DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {
bool is_held_error(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

// One try at putting the new file in the old one's place. ReplaceFileW
// keeps what belongs to the old file: its permissions, its creation time,
// its identity for the shell.
bool put_in_place(const std::wstring& from, const std::wstring& to, DWORD* error)
{
    if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                     nullptr, nullptr))
        return true;
    *error = GetLastError();
    // No old file yet (a new year), or the old one is gone already and only
    // the rename of the new one is left.
    if (*error == ERROR_FILE_NOT_FOUND || *error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        *error = GetLastError();
    }
    return false;
}

// Virus scanners and sync tools may hold the old file for a second or
// more without letting it be replaced: back off for about two seconds in
// all before giving up. `held` tells a refusal for sharing or access from
// any other failure.
bool move_over(const std::wstring& from, const std::wstring& to, bool* held)
{
    const DWORD waits_ms[] = {50, 100, 200, 400, 600, 650};
    for (DWORD wait : waits_ms) {
        DWORD error = 0;
        if (put_in_place(from, to, &error)) return true;
        *held = is_held_error(error);
        if (!*held) return false;
        Sleep(wait);
    }
    DWORD error = 0;
    if (put_in_place(from, to, &error)) return true;
    *held = is_held_error(error);
    return false;
}

bool write_all(HANDLE file, const std::vector<unsigned char>& content)
{
    size_t done = 0;
    while (done < content.size()) {
        DWORD wrote = 0;
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - done, 0x10000000));
        if (!WriteFile(file, content.data() + done, wanted, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return FlushFileBuffers(file) != 0;
}

// Over the existing file itself: what still works when another program
// holds it open for reading and writing but not for deleting, and what a
// hard link needs to stay one file.
bool write_in_place(const std::wstring& path, const std::vector<unsigned char>& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = write_all(file, content) && SetEndOfFile(file);
    return CloseHandle(file) && ok;
}

// The file a path names once links are followed, and how many names it
// has. A missing file is its own path with no other names.
std::wstring linked_file(const std::wstring& path, DWORD* names)
{
    *names = 1;
    HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) *names = information.nNumberOfLinks;
    std::wstring final_path = path;
    wchar_t buffer[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleW(file, buffer, MAX_PATH * 4, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < MAX_PATH * 4) final_path.assign(buffer, length);
    CloseHandle(file);
    return final_path;
}
}  // namespace

bool replace_file(const char* path, const std::vector<unsigned char>& content)
{
    // A link stays a link: the file it names is the one replaced.
    DWORD names = 1;
    std::wstring target = linked_file(utf8_to_wide(path), &names);
    if (names > 1) return write_in_place(target, content);
    std::wstring temporary = target + L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = write_all(file, content);
    ok = CloseHandle(file) && ok;
    bool held = false;
    if (ok && move_over(temporary, target, &held)) return true;
    DeleteFileW(temporary.c_str());
    return ok && held && write_in_place(target, content);
}

namespace {
const wchar_t run_key[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

HKEY open_run_key()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, run_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}
}  // namespace

void set_run_value(const char* name, const char* command)
{
    HKEY key = open_run_key();
    if (!key) return;
    std::wstring data = utf8_to_wide(command);
    RegSetValueExW(key, utf8_to_wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void delete_run_value(const char* name)
{
    HKEY key = open_run_key();
    if (!key) return;
    RegDeleteValueW(key, utf8_to_wide(name).c_str());
    RegCloseKey(key);
}
