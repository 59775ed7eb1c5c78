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
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
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

bool write_over(const std::wstring& path, const std::vector<unsigned char>& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = write_all(file, content) && SetEndOfFile(file);
    return CloseHandle(file) && ok;
}

bool read_all(const std::wstring& path, std::vector<unsigned char>& content)
{
    return read_whole_file(wide_to_utf8(path).c_str(), content, nullptr);
}

// Rights the user gave the old file by hand stay with the new one; rights
// it only inherits from the folder the new file inherits too.
void copy_own_rights(const std::wstring& from, const std::wstring& to)
{
    DWORD needed = 0;
    GetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed == 0) return;
    std::vector<unsigned char> descriptor(needed);
    auto* security = reinterpret_cast<PSECURITY_DESCRIPTOR>(descriptor.data());
    if (!GetFileSecurityW(to.c_str(), DACL_SECURITY_INFORMATION, security, needed, &needed)) return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorControl(security, &control, &revision) ||
        !GetSecurityDescriptorDacl(security, &present, &dacl, &defaulted) || !present || !dacl)
        return;
    bool own = (control & SE_DACL_PROTECTED) != 0;
    for (DWORD i = 0; !own && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (GetAce(dacl, i, &ace)) own = !(static_cast<ACE_HEADER*>(ace)->AceFlags & INHERITED_ACE);
    }
    if (own) SetFileSecurityW(from.c_str(), DACL_SECURITY_INFORMATION, security);
}

// Virus scanners and sync tools may hold the old file for a second or
// more: back off for about two seconds in all before giving up. `held`
// tells a refusal for sharing or access from any other failure.
bool rename_over(const std::wstring& from, const std::wstring& to, bool* held)
{
    const DWORD waits_ms[] = {50, 100, 200, 400, 600, 650, 0};
    for (DWORD wait : waits_ms) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        *held = is_held_error(GetLastError());
        if (!*held) return false;
        if (wait) Sleep(wait);
    }
    return false;
}
}  // namespace

bool write_new_file(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed()) return false;
    HANDLE file = CreateFileW(utf8_to_wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = write_all(file, content);
    return CloseHandle(file) && ok;
}

bool move_over(const char* from, const char* to)
{
    if (!file_change_allowed()) return false;
    const std::wstring source = utf8_to_wide(from), target = utf8_to_wide(to);
    copy_own_rights(source, target);
    bool held = false;
    if (rename_over(source, target, &held)) return true;
    // Held open for reading and writing but not for deleting: the bytes
    // can still go over it.
    std::vector<unsigned char> content;
    if (!held || !read_all(source, content) || !write_over(target, content)) return false;
    DeleteFileW(source.c_str());
    return true;
}

bool write_in_place(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed()) return false;
    return write_over(utf8_to_wide(path), content);
}

bool remove_file(const char* path)
{
    if (!file_change_allowed()) return false;
    return DeleteFileW(utf8_to_wide(path).c_str()) != 0;
}

std::string linked_file(const char* path, unsigned* names)
{
    *names = 1;
    const std::wstring wide = utf8_to_wide(path);
    HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) *names = information.nNumberOfLinks;
    std::string final_path = path;
    wchar_t buffer[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleW(file, buffer, MAX_PATH * 4, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < MAX_PATH * 4) final_path = wide_to_utf8(std::wstring(buffer, length));
    CloseHandle(file);
    return final_path;
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
