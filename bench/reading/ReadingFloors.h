#pragma once
// What reading an archive costs at least: its bytes read front to back through the same File
// class with a large buffer, and, for the chapter count, one small read per block header. A load
// also leaves a temporary sound file behind and deletes the one before: what that costs at least
// is a temporary file made, written in one write and deleted.
#include <cstdint>
#include <string>
#include <vector>

class SequentialReader {
public:
    SequentialReader();
    // Reads the whole file; returns the bytes read.
    int64_t read_all(const std::wstring& path);
    // Makes a temporary file as a load makes its sound file, writes `bytes` bytes (at most the
    // buffer) in one write after a 44-byte header, closes and deletes it.
    void write_temporary(size_t bytes);

private:
    std::vector<uint8_t> buffer_; // 1 MiB
};

// Walks the blocks of an event or chapter file by their payload sizes, reading nothing but each
// block's 64-byte header and the 16 bytes after it; returns the blocks seen.
int hop_block_headers(const std::wstring& path);
