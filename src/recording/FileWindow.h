#pragma once
// Reads an archive through a window of its bytes. A large window makes a pass over the blocks
// one sequential read of the file (every header and sound sample comes out of memory); a window
// the size of a block header reads just the headers, one small read each. A file already read
// whole by the caller is one window that never moves.
#include <cstddef>
#include <cstdint>
#include <memory>

class File;

class FileWindow {
public:
    static constexpr size_t whole_pass = 1048576;

    explicit FileWindow(File& file, size_t window_size = whole_pass);
    // The `size` bytes at `bytes` (a whole file, kept by the caller while the window is used).
    FileWindow(const uint8_t* bytes, size_t size);
    ~FileWindow();
    FileWindow(const FileWindow&) = delete;
    FileWindow& operator=(const FileWindow&) = delete;

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
    // Puts a buffer of `size` bytes in place of the present one (whose bytes are gone).
    void replace_buffer(size_t size);

    File* file_ = nullptr;              // none when the window holds the caller's bytes
    std::unique_ptr<uint8_t[]> buffer_; // a large one from the store of windows, given back at the end
    size_t capacity_ = 0;
    const uint8_t* bytes_ = nullptr;    // the window's first byte: in buffer_, or the caller's
    int64_t base_ = 0;
    size_t length_ = 0;
};
