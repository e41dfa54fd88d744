#pragma once
// Byte buffers kept for the next taker of the same size. A player decodes one picture after
// another of one size and frees each when the next arrives, and every load of a recording reads
// through a window of one size; a fresh buffer of a megabyte costs more than filling it (the
// system hands out new pages and faults on each first touch), so a freed buffer is kept and
// given to the next taker instead. Safe to use from any thread.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class BufferStore {
public:
    // Keeps at most `max_buffers` buffers and `max_bytes` bytes; past either, the oldest is freed.
    BufferStore(size_t max_buffers, size_t max_bytes);

    // A buffer of `size` bytes whose contents are whatever they were; a kept one when one of
    // that size is there. Throws std::bad_alloc like new.
    std::unique_ptr<uint8_t[]> take(size_t size);
    // Keeps `buffer` of `size` bytes for a later take, or frees it.
    void give_back(std::unique_ptr<uint8_t[]> buffer, size_t size);

    size_t kept_buffers() const;
    size_t kept_bytes() const;

private:
    struct Kept {
        size_t size;
        std::unique_ptr<uint8_t[]> bytes;
    };

    const size_t max_buffers_;
    const size_t max_bytes_;
    mutable std::mutex mutex_;
    std::vector<Kept> kept_; // oldest first
    size_t kept_bytes_ = 0;
};
