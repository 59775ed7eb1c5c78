// POSIX side of the folder seam.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/folders.h"
#include "platform/platform.h"

namespace {
std::string child_path(const char* folder, const std::string& name)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    return path + name;
}
}  // namespace

bool list_folder(const char* path, std::vector<FolderEntry>* entries)
{
    entries->clear();
    DIR* folder = opendir(path);
    if (!folder) return false;
    while (const dirent* entry = readdir(folder)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        struct stat info;
        // lstat: a link to a folder is not a folder of ours.
        bool is_folder = lstat(child_path(path, entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries->push_back(FolderEntry{entry->d_name, is_folder});
    }
    closedir(folder);
    return true;
}

bool remove_folder_with_files(const char* path)
{
    std::vector<FolderEntry> entries;
    if (!list_folder(path, &entries)) return false;
    for (const FolderEntry& entry : entries) {
        if (entry.is_folder) return false;
        unlink(child_path(path, entry.name).c_str());
    }
    return rmdir(path) == 0;
}

bool any_file_matches(const char* pattern)
{
    // Only the name is a pattern: the folder may hold any character.
    const char* slash = std::strrchr(pattern, '/');
    const std::string folder = slash ? std::string(pattern, slash + 1) : std::string("./");
    const char* name = slash ? slash + 1 : pattern;
    DIR* listing = opendir(folder.c_str());
    if (!listing) return false;
    bool any = false;
    while (const dirent* entry = readdir(listing))
        if (fnmatch(name, entry->d_name, FNM_PERIOD) == 0) any = true;
    closedir(listing);
    return any;
}

bool is_folder(const char* path)
{
    struct stat info;
    return lstat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

bool rename_folder(const char* from, const char* to, FileWaits*)
{
    if (!file_change_allowed()) return false;
    struct stat info;
    // rename(2) would replace an empty folder: never over anything.
    if (lstat(to, &info) == 0) return note_file_problem(file_failed);
    return std::rename(from, to) == 0 || note_file_problem(file_failed);
}
