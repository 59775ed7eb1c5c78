// A program folder of its own for a fuzz target, made once per process.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/program_folder.h"

inline const std::string& fuzz_folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/ravo-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (!made) std::abort();
        std::string path = std::string(made) + "/";
        set_program_path((path + "Ravo.exe").c_str());
        // Removed at exit; the string itself is gone by then.
        static char removed_at_exit[sizeof pattern];
        std::snprintf(removed_at_exit, sizeof removed_at_exit, "%s", made);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removed_at_exit, ignored);
        });
        return path;
    }();
    return folder;
}

inline void write_fuzz_file(const char* name, const uint8_t* data, size_t size)
{
    std::string path = fuzz_folder() + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
}
