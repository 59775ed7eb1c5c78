// Windows side of the platform seam: wide Win32 calls, UTF-8 paths.
#include <windows.h>

#include <algorithm>
#include <set>
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
    // A folder path may run past the old limit of 260 characters.
    std::vector<wchar_t> wide(32768);
    DWORD length = GetModuleFileNameW(static_cast<HMODULE>(module_instance), wide.data(), static_cast<DWORD>(wide.size()));
    if (length == 0 || length >= wide.size()) {
        if (capacity) path[0] = 0;
        return false;
    }
    return wide_to_utf8(wide.data(), path, capacity);
}

namespace {
// Targets found held in this run: a later change tries them once and goes
// on, rather than making the window wait again.
std::set<std::wstring> known_held;

// Refused with no more said: held open by a program that shares no
// deleting (a spreadsheet), or not ours to change.
FileProblem why_denied(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return file_read_only;
    HANDLE file = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return file_denied;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? file_held : file_denied;
}

FileProblem problem_of(DWORD error, const std::wstring& path)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED: return file_held;
    case ERROR_ACCESS_DENIED: return why_denied(path);
    case ERROR_FILENAME_EXCED_RANGE: return file_path_too_long;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return file_disk_full;
    default: return file_failed;
    }
}

bool failed(DWORD error, const std::wstring& path) { return note_file_problem(problem_of(error, path)); }

bool may_wait_for(FileProblem problem) { return problem == file_held || problem == file_denied; }
}  // namespace

InputFile* open_input_file(const char* path, bool* missing)
{
    const std::wstring wide = file_path(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        if (missing) *missing = false;
        return reinterpret_cast<InputFile*>(file);
    }
    DWORD error = GetLastError();
    if (missing) *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    failed(error, wide);
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
    return GetFileAttributesW(file_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool make_directory(const char* path)
{
    std::wstring wide = file_path(path);
    if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
    const DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return failed(error, wide);
}

namespace {
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

bool read_all(HANDLE file, std::vector<unsigned char>& content)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > 0x10000000) return false;
    content.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    return content.empty() ||
           (ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr) && got == content.size());
}

bool set_size(HANDLE file, size_t size)
{
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) && SetEndOfFile(file);
}

bool rewind(HANDLE file)
{
    LARGE_INTEGER start = {};
    return SetFilePointerEx(file, start, nullptr, FILE_BEGIN) != 0;
}

// The new bytes over the old in the same file. Its room is taken before a
// byte changes, and the old bytes go back when the write fails: a full
// disk leaves the old file.
bool write_over(const std::wstring& path, const std::vector<unsigned char>& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return failed(GetLastError(), path);
    std::vector<unsigned char> old;
    bool ok = read_all(file, old) && (content.size() <= old.size() || set_size(file, content.size()));
    if (ok && !(rewind(file) && write_all(file, content) && set_size(file, content.size()))) {
        const DWORD error = GetLastError();
        if (rewind(file) && write_all(file, old)) set_size(file, old.size());
        SetLastError(error);
        ok = false;
    }
    const DWORD error = GetLastError();
    CloseHandle(file);
    return ok || failed(error, path);
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

bool running_on_wine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// ReplaceFileW keeps what belongs to the old file (encryption, attributes,
// creation time, rights). Wine's moves the old file away before the new
// one comes in, a moment without the name, so there (and for a missing
// target) the single rename is used.
bool replace_or_move(const std::wstring& from, const std::wstring& to)
{
    static const bool on_wine = running_on_wine();
    const DWORD attributes = GetFileAttributesW(to.c_str());
    // Windows refuses to replace a read-only file (Wine would not).
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    if (!on_wine && attributes != INVALID_FILE_ATTRIBUTES) {
        if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                         nullptr, nullptr))
            return true;
        const DWORD error = GetLastError();
        // Refused for the old file's sake: the rename would be refused too.
        if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && may_wait_for(problem_of(error, to))) return false;
    }
    copy_own_rights(from, to);
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Virus scanners and sync tools may hold the old file for a moment: back
// off while `waits` allows. A target found held stays known as held.
bool rename_over(const std::wstring& from, const std::wstring& to, FileWaits* waits)
{
    static const int steps_ms[] = {50, 100, 200, 300, 350};
    const bool known = known_held.count(to) != 0;
    for (int wait : steps_ms) {
        if (replace_or_move(from, to)) {
            known_held.erase(to);
            return true;
        }
        failed(GetLastError(), to);
        if (!may_wait_for(last_file_problem())) return false;
        if (last_file_problem() == file_held) known_held.insert(to);
        wait = waits && !known ? std::min(wait, waits->left_ms) : 0;
        if (wait <= 0) return false;
        Sleep(static_cast<DWORD>(wait));
        waits->left_ms -= wait;
    }
    return false;
}
}  // namespace

bool write_new_file(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed()) return false;
    const std::wstring wide = file_path(path);
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return failed(GetLastError(), wide);
    bool ok = write_all(file, content);
    const DWORD error = GetLastError();
    return (CloseHandle(file) && ok) || failed(error, wide);
}

bool move_over(const char* from, const char* to, FileWaits* waits)
{
    if (!file_change_allowed()) return false;
    const std::wstring source = file_path(from), target = file_path(to);
    if (rename_over(source, target, waits)) return true;
    // Held open for reading and writing but not for deleting: the bytes
    // can still go over it.
    if (last_file_problem() != file_held) return false;
    std::vector<unsigned char> content;
    if (!read_whole_file(from, content, nullptr) || !write_over(target, content)) return false;
    DeleteFileW(source.c_str());
    return true;
}

bool write_in_place(const char* path, const std::vector<unsigned char>& content)
{
    if (!file_change_allowed()) return false;
    return write_over(file_path(path), content);
}

bool is_read_only_file(const char* path)
{
    const DWORD attributes = GetFileAttributesW(file_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool remove_file(const char* path)
{
    if (!file_change_allowed()) return false;
    const std::wstring wide = file_path(path);
    return DeleteFileW(wide.c_str()) || failed(GetLastError(), wide);
}

std::string linked_file(const char* path, unsigned* names)
{
    *names = 1;
    const std::wstring wide = file_path(path);
    HANDLE file = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return path;
    BY_HANDLE_FILE_INFORMATION information;
    if (GetFileInformationByHandle(file, &information)) *names = information.nNumberOfLinks;
    std::string final_path = path;
    std::vector<wchar_t> buffer(32768);
    DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length > 0 && length < buffer.size()) final_path = wide_to_utf8(std::wstring(buffer.data(), length));
    CloseHandle(file);
    return final_path;
}

HeldFile* hold_file_open(const char* path)
{
    HANDLE file = CreateFileW(file_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<HeldFile*>(file);
}

void let_go_of_file(HeldFile* held)
{
    if (held) CloseHandle(reinterpret_cast<HANDLE>(held));
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
