#pragma once
// Pixel buffers kept for the next picture of the same size. A player decodes one picture after
// another of one size and frees each when the next arrives; a fresh buffer of a megabyte costs
// more than decoding into it (the system hands out new pages and faults on each first touch),
// so the freed buffer is kept and given to the next picture instead.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class PixelStore {
public:
    // At most this many buffers and bytes are kept; past either, the oldest is freed.
    static constexpr size_t max_buffers = 4;
    static constexpr size_t max_bytes = 8u * 1024u * 1024u;

    // The store shared by every picture of the process (any thread).
    static PixelStore& shared();

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

    mutable std::mutex mutex_;
    std::vector<Kept> kept_; // oldest first
    size_t kept_bytes_ = 0;
};
