// A fresh folder per test, removed afterwards, and small file helpers.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Path of a file inside, as UTF-8 for the core's interfaces.
    std::string file(const std::string& name) const;

private:
    std::filesystem::path path_;
};

typedef std::vector<uint8_t> Bytes;

Bytes read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, const Bytes& bytes);
// Deterministic junk for robustness cases.
Bytes junk_bytes(size_t size, uint32_t seed);
