#pragma once
// An open file of the card or of the temporary folder, closed when the object goes.
#include <cstddef>
#include <cstdint>
#include <string>

class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file for reading while others may read and write it.
    static File open_shared_read(const std::wstring& path);
    // Creates or truncates a file for writing that nobody else may open meanwhile.
    static File create_exclusive_write(const std::wstring& path);
    // Creates or truncates a file for writing while others may still open it to read or write
    // (the card's settings files).
    static File create_shared_write(const std::wstring& path);

    bool is_open() const;
    void close();

    // Reads up to `size` bytes; returns how many were read (fewer at the end of the file).
    size_t read(void* buffer, size_t size);
    // Writes all `size` bytes; false on a short write.
    bool write(const void* data, size_t size);
    // Pushes everything written so far onto the medium; false when it could not be stored there
    // (a full card shows up here at the latest).
    bool flush();
    // Moves to an absolute offset from the start; false when that fails.
    bool seek(int64_t offset);
    int64_t tell() const;
    // The file's length in bytes, or -1 when it cannot be told.
    int64_t size() const;

private:
    void* handle_ = nullptr; // HANDLE on Windows, FILE* on the host
};
