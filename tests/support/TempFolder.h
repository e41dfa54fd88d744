#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in it
// (hidden and read-only files included) when the test ends; and whole-file helpers.
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
    std::wstring marker_; // the unique temporary file whose name the folder borrows
    std::wstring path_;
};

void write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
// The whole file; a file that cannot be opened fails the test and gives nothing.
std::vector<uint8_t> read_bytes(const std::wstring& path);
void make_folder(const std::wstring& path);
// Renames a file or folder (a card's folder renamed behind the viewer's back); fails the test
// when it cannot.
void rename_path(const std::wstring& from, const std::wstring& to);
