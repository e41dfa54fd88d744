#pragma once
// What reading an archive costs at least: its bytes read front to back through the same File
// class with a large buffer, and, for the chapter count, one small read per block header.
#include <cstdint>
#include <string>
#include <vector>

class SequentialReader {
public:
    SequentialReader();
    // Reads the whole file; returns the bytes read.
    int64_t read_all(const std::wstring& path);

private:
    std::vector<uint8_t> buffer_; // 1 MiB
};

// Walks the blocks of an event or chapter file by their payload sizes, reading nothing but each
// block's 64-byte header and the 16 bytes after it; returns the blocks seen.
int hop_block_headers(const std::wstring& path);
