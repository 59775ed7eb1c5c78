// Windows side of the folder seam: wide Win32 calls, UTF-8 paths.
#include <windows.h>

#include <algorithm>

#include "platform/folders.h"
#include "platform/platform.h"
#include "platform/win32_text.h"

namespace {
std::wstring child_path(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
    return folder + L'\\' + name;
}

std::string wide_name_to_utf8(const wchar_t* name)
{
    char text[MAX_PATH * 3 + 1];
    return wide_to_utf8(name, text, sizeof text) ? std::string(text) : std::string();
}

// A junction or a symbolic link to a folder is never walked into.
bool is_real_folder(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool list_wide(const std::wstring& folder, std::vector<FolderEntry>* entries, std::vector<std::wstring>* wide_names)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(child_path(folder, L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (wcscmp(found.cFileName, L".") == 0 || wcscmp(found.cFileName, L"..") == 0) continue;
        entries->push_back(FolderEntry{wide_name_to_utf8(found.cFileName), is_real_folder(found.dwFileAttributes)});
        if (wide_names) wide_names->push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
}  // namespace

bool list_folder(const char* path, std::vector<FolderEntry>* entries)
{
    entries->clear();
    return list_wide(file_path(path), entries, nullptr);
}

bool remove_folder_with_files(const char* path)
{
    std::wstring folder = file_path(path);
    std::vector<FolderEntry> entries;
    std::vector<std::wstring> names;
    if (!list_wide(folder, &entries, &names)) return false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].is_folder) return false;
        std::wstring file = child_path(folder, names[i]);
        // A copy made read-only by hand would otherwise stay.
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(file.c_str());
    }
    return RemoveDirectoryW(folder.c_str()) != 0;
}

bool any_file_matches(const char* pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(file_path(pattern).c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool is_folder(const char* path)
{
    DWORD attributes = GetFileAttributesW(file_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && is_real_folder(attributes);
}

bool rename_folder(const char* from, const char* to, FileWaits* waits)
{
    if (!file_change_allowed()) return false;
    std::wstring source = file_path(from), target = file_path(to);
    // Without the separator the folders end in.
    while (source.size() > 1 && (source.back() == L'\\' || source.back() == L'/')) source.pop_back();
    while (target.size() > 1 && (target.back() == L'\\' || target.back() == L'/')) target.pop_back();
    // A virus scanner or a sync tool often holds a file just copied in.
    static const int steps_ms[] = {50, 100, 200, 300, 350, 0};
    for (int wait : steps_ms) {
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
        wait = held && waits ? std::min(wait, waits->left_ms) : 0;
        if (wait <= 0) return note_file_problem(error == ERROR_ACCESS_DENIED ? file_denied : held ? file_held : file_failed);
        Sleep(static_cast<DWORD>(wait));
        waits->left_ms -= wait;
    }
    return false;
}
