#pragma once
// Walks the blocks of an event or chapter file. A block is taken when it carries the signature
// or is a sound block; anything else is damage, and the scanner finds the next signature.
#include <array>
#include <cstdint>
#include <optional>

#include "recording/ArchiveLayout.h"
#include "recording/FileWindow.h"

struct ScannedBlock {
    int64_t position = 0; // file offset of the block header
    std::array<uint8_t, archive_layout::block_peek_size> bytes{}; // header and 16 payload bytes
    uint8_t type() const { return bytes[12]; }
};

class BlockScanner {
public:
    // Starts at the first block header, `first_block` bytes into the file, reading through a
    // window of `window_size` bytes (FileWindow).
    BlockScanner(File& file, int64_t first_block, size_t window_size = FileWindow::whole_pass);
    // The same over a whole file already in memory (`size` bytes at `bytes`, kept by the caller).
    BlockScanner(const uint8_t* bytes, size_t size, int64_t first_block);

    // The next block taken, with the reading already moved on past it; none at the end.
    std::optional<ScannedBlock> next();
    // Copies `size` bytes from `position` through the same window (a block's samples while the
    // pass is there); false when the file holds fewer.
    bool read(int64_t position, uint8_t* out, size_t size) { return window_.read_exact(position, out, size); }

private:
    void move_past(const ScannedBlock& block);
    // Continues 66 bytes before the first signature within 1 MiB from `from`; ends when none.
    void resynchronise(int64_t from);

    FileWindow window_;
    int64_t position_;
    bool ended_ = false;
};
