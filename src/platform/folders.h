// Folder listing and removal, for keeping a bounded number of copies.
#pragma once
#include <string>
#include <vector>

struct FolderEntry {
    std::string name;
    bool is_folder;  // a real folder: links and junctions count as files
};

// The entries of a folder, without "." and "..". False when it cannot be
// read.
bool list_folder(const char* path, std::vector<FolderEntry>* entries);

// Removes the files directly inside a folder, then the folder itself. A
// folder holding a folder of its own stays, so nothing deeper is ever
// removed. True when the folder is gone.
bool remove_folder_with_files(const char* path);

// Some file's name fits the last part of the path, where * and ? are
// wildcards ("C:\\Ravo\\2009*.new"). It may also say so for a name that
// only nearly fits (Windows matches short names too), never the reverse.
bool any_file_matches(const char* pattern);

// A real folder (not a file, a link or a junction) is at the path.
bool is_folder(const char* path);
// Renames a folder; never over anything that exists. Waits while `waits`
// allows for a file inside that another program holds. One file change
// (see stop_file_changes_after).
struct FileWaits;
bool rename_folder(const char* from, const char* to, FileWaits* waits = nullptr);
