#pragma once
// A fresh, uniquely named folder in the system's temporary folder, removed with its contents
// when the object goes.
#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }
    // The path of `name` inside the folder.
    std::wstring file(const std::wstring& name) const;
    // Writes `bytes` as the file `name`; returns its path.
    std::wstring write(const std::wstring& name, const std::vector<uint8_t>& bytes) const;

private:
    std::wstring path_;
};

// The whole content of a file; empty when it cannot be read.
std::vector<uint8_t> read_whole_file(const std::wstring& path);
// Whether a file exists.
bool file_exists(const std::wstring& path);
