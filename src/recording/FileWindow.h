#pragma once
// Reads an archive through a window of its bytes. A large window makes a pass over the blocks
// one sequential read of the file (every header and sound sample comes out of memory); a window
// the size of a block header reads just the headers, one small read each.
#include <cstddef>
#include <cstdint>
#include <vector>

class File;

class FileWindow {
public:
    static constexpr size_t whole_pass = 1048576;

    explicit FileWindow(File& file, size_t window_size = whole_pass);

    // Copies `size` bytes from `position`; false when the file holds fewer.
    bool read_exact(int64_t position, uint8_t* out, size_t size);

    // The file position of the first occurrence of `pattern` that lies entirely within the
    // `span` bytes from `position` (or before the end of the file), or -1 when there is none.
    int64_t find(int64_t position, int64_t span, const uint8_t* pattern, size_t length);

private:
    // Makes the window start at `position`; false when nothing could be read there.
    bool refill(int64_t position);
    bool holds(int64_t position) const;
    int64_t window_end() const;

    File& file_;
    std::vector<uint8_t> buffer_;
    int64_t base_ = 0;
    size_t length_ = 0;
};
